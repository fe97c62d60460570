// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The autosave of a painting of layers: every layer bit for bit, so that a
// recovered painting is the painting that was autosaved, not a coded
// approximation of it. It lives in the autosave folder only (Save writes
// version 2 and 3 painting files); docs/painting_file_format.md gives its
// byte table. In short: the 80-byte painting header with a magic of its own,
// the layer count and the active layer, a table of the layers' names and
// flags, then each layer's raw 12-byte cells and, unless it covers every
// cell, its coverage as floats.
//
// An autosave copy holds the layers' data exactly as the file does after
// its table (rawLayerBytes per layer, bottom first), so the writer sends the
// copy out as it is.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/painting_file.h"

namespace sc {

class Canvas;
class DataFile;
struct Layer;

// "L" over the painting magic: File, Open refuses the file as not a painting.
inline constexpr std::uint32_t kRawLayersMagic = 0x4C005ED7;
inline constexpr std::uint32_t kRawLayersVersion = 1;
// Longer names are cut to this on writing.
inline constexpr std::uint32_t kMaxRawLayerNameBytes = 64 * 1024;

// A layer's entry in the table.
struct RawLayerEntry {
    std::string name;
    bool visible = true;
    float opacity = 1.0f;  // 0..1
    bool opaque = true;    // covers every cell: no coverage stored
};

// Bytes of one layer's data: its cells, then its coverage unless opaque.
std::uint64_t rawLayerBytes(std::uint64_t cells, bool opaque);

// The header and table as they begin the file (the data follows them).
std::vector<std::byte> rawLayersHead(std::uint32_t width, std::uint32_t height, const std::vector<RawLayerEntry>& table,
                                     std::size_t active);

// Writes the head and the layers' data (`data`, laid out as above; the
// cells' unused bytes go out as zero). False when it could not be written
// completely; a file that was at the path then stays as it was.
[[nodiscard]] bool writeRawLayersFile(const std::string& path, const std::vector<std::byte>& head,
                                      const std::vector<RawLayerEntry>& table, std::uint32_t width,
                                      std::uint32_t height, const std::byte* data);

// Whether the file (read from its start) begins with the magic; the file is
// left at its start.
bool isRawLayersFile(const std::string& path);

// Reads the whole file: `into` gets the painting's size with blank cells,
// `layers` the layers bottom first, `active` the active one. kDamaged for a
// file cut short or longer than its layers, an impossible count, active
// layer, flag, opacity, name length or coverage; kLaterVersion for a later
// version. On any result but kOk the arguments are left as they were.
PaintingLoadResult readRawLayersFile(DataFile& file, Canvas& into, std::vector<Layer>& layers, std::size_t& active);

}  // namespace sc
