// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages the Help menu opens: the user guide installed with the program,
// and the web site given when the program was configured (the CMake cache
// variable SMUDGECRAFT_WEB_SITE; none by default).
#include <string>

#include "app/run_paths.h"

namespace sc {

// Where the user guide is: "guide.html" among the files that come with the
// program, as an absolute path.
std::string userGuidePath(const RunPaths& paths);
// A local file's absolute path as a "file://" address, every byte other than
// letters, digits, "-._~" and "/" percent-encoded.
std::string fileAddress(const std::string& path);
// The user guide's address.
std::string userGuideAddress(const RunPaths& paths);
// The address of the web-site item (also its text): the configured web site,
// or the user guide when none was given.
std::string webSiteItemAddress(const RunPaths& paths);
// What Help says when the desktop has no program to open `address` with; it
// names the guide's file, which the user can then open another way.
std::string helpNotOpenedText(const std::string& address, const RunPaths& paths);

}  // namespace sc
