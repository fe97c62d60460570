// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The brush-preset and stroke-preset lists and their files. A list file is
// the list as 60-byte records (used flag, 3 padding bytes, 32 thumbnail bytes
// that mean nothing on disk, the 24-byte settings or dynamics block) followed
// by the selected index: 2704 bytes for 45 brushes, 604 for 10 strokes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/surface.h"
#include "tools/brush_settings.h"

namespace sc {

inline constexpr int kBrushPresetSlots = 45;
inline constexpr int kStrokePresetSlots = 10;
inline constexpr std::size_t kPresetRecordBytes = 60;
inline constexpr std::size_t kBrushPresetFileBytes = kBrushPresetSlots * kPresetRecordBytes + 4;
inline constexpr std::size_t kStrokePresetFileBytes = kStrokePresetSlots * kPresetRecordBytes + 4;
static_assert(kBrushPresetFileBytes == 2704 && kStrokePresetFileBytes == 604);

struct BrushPreset {
    std::uint8_t used = 0;  // 0 = free slot
    Surface thumbnail;      // 30 x 30 sample dab, this run only
    BrushSettings settings;
};

struct StrokePreset {
    std::uint8_t used = 0;
    Surface thumbnail;  // 132 x 15 sample stroke, this run only
    StrokeDynamics dynamics;
};

struct BrushPresetList {
    std::array<BrushPreset, kBrushPresetSlots> slots;
    std::int32_t selected = 0;
};

struct StrokePresetList {
    std::array<StrokePreset, kStrokePresetSlots> slots;
    std::int32_t selected = 0;
};

// Reads a list file over the list: the used flags and settings of the
// records the file reaches change (a file cut inside a record changes the
// bytes it holds, as a raw read would); thumbnails and `selected` do not.
// False, with nothing changed, when the file cannot be opened.
bool readBrushPresetFile(const std::string& path, BrushPresetList& list);
bool readStrokePresetFile(const std::string& path, StrokePresetList& list);

// Writes the whole list; thumbnail and padding bytes are zero. False when the
// file could not be written; an old file stays as it was.
bool writeBrushPresetFile(const std::string& path, const BrushPresetList& list);
bool writeStrokePresetFile(const std::string& path, const StrokePresetList& list);

}  // namespace sc
