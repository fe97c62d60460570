// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/prefs_file.h"

#include <algorithm>
#include <cstdint>

#include "formats/data_file.h"

namespace sc {

bool readPrefsFile(const std::string& path, ViewPreferences& prefs) {
    DataFile file;
    if (!file.open(path, DataFile::kRead)) return false;
    std::uint8_t bytes[2] = {prefs.highQuality, prefs.lighting};
    const auto got = static_cast<std::size_t>(std::min<std::uint64_t>(2, file.remaining()));
    file.read(bytes, got);
    file.close();
    prefs.highQuality = bytes[0] != 0;
    prefs.lighting = bytes[1] != 0;
    return true;
}

bool writePrefsFile(const std::string& path, const ViewPreferences& prefs) {
    DataFile file;
    if (!file.open(path, DataFile::kWrite)) return false;
    const std::uint8_t bytes[2] = {prefs.highQuality, prefs.lighting};
    if (!file.write(bytes, sizeof bytes)) {
        file.discard();
        return false;
    }
    return file.close();
}

}  // namespace sc
