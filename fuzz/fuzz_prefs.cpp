// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/prefs_file.h"
#include "fuzz_input.h"
#include "fuzz_targets.h"

namespace sc::fuzz {

void fuzzPrefs(const std::uint8_t* data, std::size_t size) {
    ViewPreferences prefs{false, true};
    SC_FUZZ_CHECK(readPrefsFile(inputFile(data, size), prefs));
    if (size == 0) SC_FUZZ_CHECK(!prefs.highQuality && prefs.lighting);
    if (size >= 1) SC_FUZZ_CHECK(prefs.highQuality == (data[0] != 0));
    if (size >= 2) SC_FUZZ_CHECK(prefs.lighting == (data[1] != 0));
}

}  // namespace sc::fuzz
