// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "prefs.dat": two bytes, High Quality then Lighting, non-zero meaning on.
#include <string>

namespace sc {

inline constexpr const char* kPrefsFileName = "prefs.dat";

struct ViewPreferences {
    bool highQuality = true;
    bool lighting = true;
};

// False, with nothing changed, when the file cannot be opened. A file of one
// byte changes only High Quality; an empty one changes nothing.
bool readPrefsFile(const std::string& path, ViewPreferences& prefs);
// False when the file could not be written; an old file then stays.
bool writePrefsFile(const std::string& path, const ViewPreferences& prefs);

}  // namespace sc
