// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/preset_lists.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "formats/data_file.h"
#include "formats/little_endian.h"

namespace sc {
namespace {

// The settings and dynamics blocks are stored as they lie in memory.
static_assert(std::endian::native == std::endian::little);
constexpr std::size_t kUsedOffset = 0;
constexpr std::size_t kBlockOffset = 36;
constexpr std::size_t kBlockBytes = 24;

// A list as its file image, and back. Only the used flags, the blocks and
// the selected index take part.
template <typename Slots, typename BlockOf>
std::vector<std::uint8_t> toImage(const Slots& slots, std::int32_t selected, BlockOf blockOf) {
    std::vector<std::uint8_t> image(slots.size() * kPresetRecordBytes + 4, 0);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        std::uint8_t* record = image.data() + i * kPresetRecordBytes;
        record[kUsedOffset] = slots[i].used;
        std::memcpy(record + kBlockOffset, &blockOf(slots[i]), kBlockBytes);
    }
    putU32(image.data() + slots.size() * kPresetRecordBytes, static_cast<std::uint32_t>(selected));
    return image;
}

template <typename Slots, typename BlockOf>
void fromImage(const std::vector<std::uint8_t>& image, Slots& slots, BlockOf blockOf) {
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const std::uint8_t* record = image.data() + i * kPresetRecordBytes;
        slots[i].used = record[kUsedOffset];
        std::memcpy(&blockOf(slots[i]), record + kBlockOffset, kBlockBytes);
    }
}

// Overlays the bytes of the file on the list's own image, so what the file
// does not reach keeps its value.
bool overlayFile(const std::string& path, std::vector<std::uint8_t>& image) {
    DataFile file;
    if (!file.open(path, DataFile::kRead)) return false;
    // A file that opens counts as read, however many bytes it held.
    const auto got = static_cast<std::size_t>(std::min<std::uint64_t>(image.size(), file.remaining()));
    file.read(image.data(), got);
    file.close();
    return true;
}

bool writeImage(const std::string& path, const std::vector<std::uint8_t>& image) {
    DataFile file;
    if (!file.open(path, DataFile::kWrite)) return false;
    if (!file.write(image.data(), image.size())) {
        file.discard();
        return false;
    }
    return file.close();
}

BrushSettings& settingsOf(BrushPreset& p) { return p.settings; }
const BrushSettings& constSettingsOf(const BrushPreset& p) { return p.settings; }
StrokeDynamics& dynamicsOf(StrokePreset& p) { return p.dynamics; }
const StrokeDynamics& constDynamicsOf(const StrokePreset& p) { return p.dynamics; }

}  // namespace

bool readBrushPresetFile(const std::string& path, BrushPresetList& list) {
    std::vector<std::uint8_t> image = toImage(list.slots, list.selected, constSettingsOf);
    if (!overlayFile(path, image)) return false;
    fromImage(image, list.slots, settingsOf);
    return true;
}

bool readStrokePresetFile(const std::string& path, StrokePresetList& list) {
    std::vector<std::uint8_t> image = toImage(list.slots, list.selected, constDynamicsOf);
    if (!overlayFile(path, image)) return false;
    fromImage(image, list.slots, dynamicsOf);
    return true;
}

bool writeBrushPresetFile(const std::string& path, const BrushPresetList& list) {
    return writeImage(path, toImage(list.slots, list.selected, constSettingsOf));
}

bool writeStrokePresetFile(const std::string& path, const StrokePresetList& list) {
    return writeImage(path, toImage(list.slots, list.selected, constDynamicsOf));
}

}  // namespace sc
