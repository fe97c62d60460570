// SPDX-License-Identifier: GPL-3.0-or-later
// BMP pictures: the 12-byte header of the oldest form, the 40-byte header
// and its longer forms (52, 56, 108 and 124 bytes) and OS/2's 64-byte one;
// 1, 4 and 8 bits through a palette, uncompressed or run-length coded; 16
// and 32 bits through bit fields of any width, and 24 bits. Every size,
// offset, run and colour index is checked against the file before it is used.
#include "formats/bmp_layout.h"
#include "formats/little_endian.h"
#include "formats/picture_readers.h"

namespace sc {
namespace {

// Where row `y` of the file lands in the picture.
std::uint8_t* outputRow(const BmpLayout& l, DecodedRgb& out, std::uint64_t y) {
    const std::uint64_t row = l.topDown ? y : l.height - 1 - y;
    return out.pixels.get() + row * l.width * 3;
}

void putColour(std::uint8_t* o, const std::uint8_t* bgr) {
    o[0] = bgr[2];
    o[1] = bgr[1];
    o[2] = bgr[0];
}

// A channel of `field.bits` bits made 8 bits wide: shorter ones repeat their
// bits (so all ones is 255), longer ones keep their top 8.
std::uint8_t channel(std::uint32_t pixel, const BmpField& field) {
    if (field.bits == 0) return 0;
    const std::uint32_t v = (pixel >> field.shift) & ((field.bits >= 32 ? 0 : 1u << field.bits) - 1);
    if (field.bits >= 8) return static_cast<std::uint8_t>(v >> (field.bits - 8));
    std::uint32_t r = 0;
    std::uint32_t have = 0;
    while (have < 8) {
        r = (r << field.bits) | v;
        have += field.bits;
    }
    return static_cast<std::uint8_t>(r >> (have - 8));
}

PictureLoadResult decodeUncompressed(const std::uint8_t* d, const BmpLayout& l, DecodedRgb& out) {
    const std::uint64_t stride = bmpRowBytes(l.width, l.bits);
    const std::uint32_t mask = (1u << (l.bits < 8 ? l.bits : 8)) - 1;
    for (std::uint64_t y = 0; y < l.height; ++y) {
        const std::uint8_t* row = d + l.dataOffset + y * stride;
        std::uint8_t* o = outputRow(l, out, y);
        for (std::uint64_t x = 0; x < l.width; ++x, o += 3) {
            if (l.bits <= 8) {
                const std::uint64_t bit = x * l.bits;
                const std::uint32_t index = (row[bit / 8] >> (8 - l.bits - bit % 8)) & mask;
                if (index >= l.colours) return PictureLoadResult::kDamaged;
                putColour(o, l.palette + std::size_t{index} * l.entryBytes);
            } else if (l.bits == 24) {
                putColour(o, row + x * 3);
            } else {
                const std::uint32_t pixel = l.bits == 16 ? getU16(row + x * 2) : getU32(row + x * 4);
                o[0] = channel(pixel, l.fields[0]);
                o[1] = channel(pixel, l.fields[1]);
                o[2] = channel(pixel, l.fields[2]);
            }
        }
    }
    return PictureLoadResult::kOk;
}

// Run-length data, 8 or 4 bits a pixel. A run or move that would land
// outside its row or past the last row, a colour index beyond the palette,
// or a stream that ends before it is complete refuses the picture. Pixels
// the stream skips stay black.
// The run-length stream's four kinds of record and their bounds checks stay
// in one loop, as the format lays them out. The fuzzer covers it.
// NOLINTNEXTLINE(readability-function-cognitive-complexity)
PictureLoadResult decodeRunLength(const std::uint8_t* d, std::size_t size, const BmpLayout& l, DecodedRgb& out) {
    const std::uint8_t* p = d + l.dataOffset;
    const std::size_t bytes = size - l.dataOffset;
    const bool four = l.bits == 4;
    auto paint = [&](std::uint64_t y, std::uint64_t x, std::uint32_t index) {
        if (index >= l.colours) return false;
        putColour(outputRow(l, out, y) + x * 3, l.palette + std::size_t{index} * l.entryBytes);
        return true;
    };
    std::size_t pos = 0;
    for (std::uint64_t y = 0; y < l.height; ++y) {
        std::uint64_t x = 0;
        for (;;) {
            if (bytes - pos < 2) return PictureLoadResult::kDamaged;
            const std::uint8_t count = p[pos], value = p[pos + 1];
            pos += 2;
            if (count != 0) {
                if (x + count > l.width) return PictureLoadResult::kDamaged;
                for (std::uint32_t i = 0; i < count; ++i, ++x) {
                    const std::uint32_t index = four ? (i % 2 == 0 ? value >> 4 : value & 15u) : value;
                    if (!paint(y, x, index)) return PictureLoadResult::kDamaged;
                }
                continue;
            }
            if (value == 0) break;                          // end of line
            if (value == 1) return PictureLoadResult::kOk;  // end of picture
            if (value == 2) {                               // move right and down
                if (bytes - pos < 2) return PictureLoadResult::kDamaged;
                x += p[pos];
                y += p[pos + 1];
                pos += 2;
                if (y >= l.height) return PictureLoadResult::kOk;
                if (x > l.width) return PictureLoadResult::kDamaged;
                continue;
            }
            // A literal run of `value` pixels, padded to a 16-bit boundary.
            if (l.width - x < value) return PictureLoadResult::kDamaged;
            const std::size_t used = four ? (value + 1u) / 2 : value;
            const std::size_t padded = used + (used & 1u);
            if (bytes - pos < padded) return PictureLoadResult::kDamaged;
            for (std::uint32_t i = 0; i < value; ++i, ++x) {
                const std::uint8_t b = p[pos + (four ? i / 2 : i)];
                const std::uint32_t index = four ? (i % 2 == 0 ? b >> 4 : b & 15u) : b;
                if (!paint(y, x, index)) return PictureLoadResult::kDamaged;
            }
            pos += padded;
        }
    }
    return PictureLoadResult::kOk;
}

}  // namespace

PictureLoadResult decodeBmp(const std::uint8_t* data, std::size_t size, DecodedRgb& out) {
    out = DecodedRgb{};
    BmpLayout layout;
    PictureLoadResult result = readBmpLayout(data, size, layout);
    if (result != PictureLoadResult::kOk) return result;
    result =
        allocateDecoded(static_cast<std::uint32_t>(layout.width), static_cast<std::uint32_t>(layout.height), size, out);
    if (result != PictureLoadResult::kOk) return result;
    result = layout.runLength ? decodeRunLength(data, size, layout, out) : decodeUncompressed(data, layout, out);
    if (result != PictureLoadResult::kOk) out = DecodedRgb{};
    return result;
}

}  // namespace sc
