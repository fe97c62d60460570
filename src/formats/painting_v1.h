// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Version 1 paintings: the 80-byte header and the cells as raw 12-byte records.
#include <cstdint>
#include <string>

namespace sc {

class Canvas;
class DataFile;
struct PaintCell;

inline constexpr std::uint32_t kPaintingMagic = 0x5ED7;
inline constexpr std::size_t kPaintingHeaderSize = 80;

struct PaintingHeader {
    std::uint32_t magic = kPaintingMagic;
    std::uint32_t version = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

void encodePaintingHeader(const PaintingHeader& header, std::uint8_t out[kPaintingHeaderSize]);
PaintingHeader decodePaintingHeader(const std::uint8_t in[kPaintingHeaderSize]);

// Writes the canvas as a version 1 file (lossless); reserved and unused bytes
// are zero. False when the file could not be written; an old file stays.
[[nodiscard]] bool writeRawPainting(const Canvas& canvas, const std::string& path);
// The same for width x height cells held anywhere (a copy of a canvas's).
[[nodiscard]] bool writeRawPaintingCells(const PaintCell* cells, std::uint32_t width, std::uint32_t height,
                                         const std::string& path);

// Reads the raw cells that follow a version 1 header into a canvas already
// allocated to the header's size. False when the file holds fewer bytes.
bool readRawCells(DataFile& file, Canvas& canvas);

}  // namespace sc
