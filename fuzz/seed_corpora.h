// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Seed inputs for every fuzz target, made with the program's own writers (and
// the standard picture libraries), so nothing is downloaded: valid files of
// several sizes and settings, plus a few cut short.
#include <filesystem>

namespace sc::fuzz {

// Writes <directory>/<target name>/<seed files> for every target. False when
// a file could not be written.
bool writeSeedCorpora(const std::filesystem::path& directory);

}  // namespace sc::fuzz
