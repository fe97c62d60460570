// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a BMP file's headers say, checked against the file: the picture's
// size and row order, how its pixels are coded, its palette and bit fields.
#include <cstddef>
#include <cstdint>

#include "formats/picture_file.h"

namespace sc {

// One colour channel of a 16- or 32-bit pixel: `bits` bits from bit `shift` up.
struct BmpField {
    std::uint32_t shift = 0;
    std::uint32_t bits = 0;
};

struct BmpLayout {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    bool topDown = false;
    std::uint32_t bits = 0;      // 1, 4, 8, 16, 24 or 32 a pixel
    bool runLength = false;      // 8- or 4-bit run-length coding
    std::size_t dataOffset = 0;  // where the pixel data starts; it runs to the end of the file
    // For 8 bits and fewer: `colours` entries of `entryBytes` (blue, green,
    // red and for 4-byte entries one more), all inside the file.
    const std::uint8_t* palette = nullptr;
    std::uint32_t colours = 0;
    std::uint32_t entryBytes = 4;
    BmpField fields[3];  // red, green, blue of 16- and 32-bit pixels
};

// Bytes of one row of uncompressed pixels, padded to 4 bytes.
inline std::uint64_t bmpRowBytes(std::uint64_t width, std::uint32_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// kOk with `out` filled when the headers describe a picture whose pixel data
// the file can hold (uncompressed rows must all be there; run-length data
// must be long enough to paint every pixel); kUnsupported for a kind of BMP
// not read here; kDamaged otherwise.
PictureLoadResult readBmpLayout(const std::uint8_t* data, std::size_t size, BmpLayout& out);

}  // namespace sc
