// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What `--version` prints, the same for both programs: the program's name and
// version, who holds the copyright and the licence.
#include <string>

namespace sc {

std::string versionText(const std::string& program);

}  // namespace sc
