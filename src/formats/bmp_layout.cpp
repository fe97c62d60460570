// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/bmp_layout.h"

#include <bit>

#include "formats/little_endian.h"

namespace sc {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeader = 12;  // the oldest form: 16-bit sizes, 3-byte palette entries
constexpr std::uint32_t kInfoHeader = 40;
constexpr std::uint32_t kOs2Header = 64;
constexpr std::uint32_t kRle8 = 1, kRle4 = 2, kBitfields = 3;  // 0 is uncompressed
constexpr std::size_t kMaskBytes = 12;                         // red, green and blue masks
// A run-length pair covers at most 255 pixels, so a stream that paints every
// pixel needs at least 2 bytes for 255 of them.
constexpr std::uint64_t kRunLengthPixelsPerByte = 128;

bool knownHeader(std::uint32_t size) {
    return size == kInfoHeader || size == 52 || size == 56 || size == kOs2Header || size == 108 || size == 124;
}

// A channel mask as a field; false when its bits are not one run.
bool fieldOf(std::uint32_t mask, BmpField& out) {
    out = BmpField{};
    if (mask == 0) return true;
    out.shift = static_cast<std::uint32_t>(std::countr_zero(mask));
    const std::uint32_t run = mask >> out.shift;
    if ((run & (run + 1)) != 0) return false;
    out.bits = static_cast<std::uint32_t>(std::popcount(run));
    return true;
}

// The palette of a picture of 8 bits or fewer: `named` entries (all that the
// bits can index when the header names none), fewer when fewer lie between
// the headers and the pixel data.
PictureLoadResult readPalette(const std::uint8_t* d, std::size_t size, std::size_t start, std::uint32_t named,
                              BmpLayout& out) {
    if (out.dataOffset < start) return PictureLoadResult::kDamaged;
    const std::uint64_t between = (out.dataOffset - start) / out.entryBytes;
    if (between == 0) return PictureLoadResult::kDamaged;
    out.colours = static_cast<std::uint32_t>(between < named ? between : named);
    if (start + std::uint64_t{out.colours} * out.entryBytes > size) return PictureLoadResult::kDamaged;
    out.palette = d + start;
    return PictureLoadResult::kOk;
}

// The pixel data from the offset to the end of the file must be able to hold the picture.
PictureLoadResult dataHoldsPicture(std::size_t size, const BmpLayout& l) {
    const std::uint64_t bytes = size - l.dataOffset;
    if (l.runLength) {
        return l.width * l.height > kRunLengthPixelsPerByte * bytes ? PictureLoadResult::kDamaged
                                                                    : PictureLoadResult::kOk;
    }
    return l.height > bytes / bmpRowBytes(l.width, l.bits) ? PictureLoadResult::kDamaged : PictureLoadResult::kOk;
}

PictureLoadResult coreLayout(const std::uint8_t* d, std::size_t size, BmpLayout& out) {
    if (size < kFileHeaderBytes + kCoreHeader) return PictureLoadResult::kDamaged;
    out.width = getU16(d + 18);
    out.height = getU16(d + 20);
    out.bits = getU16(d + 24);
    if (out.width == 0 || out.height == 0 || getU16(d + 22) != 1) return PictureLoadResult::kDamaged;
    if (out.bits != 1 && out.bits != 4 && out.bits != 8 && out.bits != 24) return PictureLoadResult::kUnsupported;
    if (out.dataOffset < kFileHeaderBytes + kCoreHeader || out.dataOffset > size) return PictureLoadResult::kDamaged;
    out.entryBytes = 3;
    if (out.bits <= 8) {
        const PictureLoadResult palette = readPalette(d, size, kFileHeaderBytes + kCoreHeader, 1u << out.bits, out);
        if (palette != PictureLoadResult::kOk) return palette;
    }
    return dataHoldsPicture(size, out);
}

}  // namespace

// One guard after another over the file's header, read in the order the
// bytes come; split, the checks would lose that order. The fuzzer covers it.
// NOLINTNEXTLINE(readability-function-cognitive-complexity)
PictureLoadResult readBmpLayout(const std::uint8_t* d, std::size_t size, BmpLayout& out) {
    out = BmpLayout{};
    if (size < kFileHeaderBytes + 4) return PictureLoadResult::kDamaged;
    out.dataOffset = getU32(d + 10);
    const std::uint32_t headerSize = getU32(d + 14);
    if (headerSize > size - kFileHeaderBytes) return PictureLoadResult::kDamaged;
    if (headerSize == kCoreHeader) return coreLayout(d, size, out);
    if (!knownHeader(headerSize)) return PictureLoadResult::kUnsupported;

    const std::int32_t width = getI32(d + 18), height = getI32(d + 22);
    out.bits = getU16(d + 28);
    const std::uint32_t compression = getU32(d + 30), coloursUsed = getU32(d + 46);
    if (width <= 0 || height == 0 || height == INT32_MIN || getU16(d + 26) != 1) return PictureLoadResult::kDamaged;
    out.width = static_cast<std::uint64_t>(width);
    out.topDown = height < 0;
    out.height = out.topDown ? -static_cast<std::int64_t>(height) : height;
    if (out.bits != 1 && out.bits != 4 && out.bits != 8 && out.bits != 16 && out.bits != 24 && out.bits != 32) {
        return PictureLoadResult::kUnsupported;
    }
    if (headerSize == kOs2Header) {
        // OS/2 numbers compression 3 and 4 differently (Huffman, 24-bit
        // run-length); rows stored other than bottom-up, and colour other
        // than RGB, are not read either.
        const std::uint16_t recording = getU16(d + kFileHeaderBytes + 44);
        const std::uint32_t encoding = getU32(d + kFileHeaderBytes + 56);
        if (compression >= kBitfields || recording != 0 || encoding != 0) return PictureLoadResult::kUnsupported;
    }
    if (compression > kBitfields) return PictureLoadResult::kUnsupported;
    out.runLength = compression == kRle8 || compression == kRle4;
    if (compression == kBitfields && out.bits != 16 && out.bits != 32) return PictureLoadResult::kDamaged;
    if ((compression == kRle8 && out.bits != 8) || (compression == kRle4 && out.bits != 4)) {
        return PictureLoadResult::kDamaged;
    }
    if (out.runLength && out.topDown) return PictureLoadResult::kDamaged;
    if (out.bits <= 8 && coloursUsed > (1u << out.bits)) return PictureLoadResult::kDamaged;
    if (out.dataOffset < kFileHeaderBytes + headerSize || out.dataOffset > size) return PictureLoadResult::kDamaged;

    const std::size_t afterHeader = kFileHeaderBytes + headerSize;
    if (out.bits <= 8) {
        const std::uint32_t named = coloursUsed > 0 ? coloursUsed : 1u << out.bits;
        const PictureLoadResult palette = readPalette(d, size, afterHeader, named, out);
        if (palette != PictureLoadResult::kOk) return palette;
    } else if (out.bits == 16 || out.bits == 32) {
        // Without bit fields: 5-5-5, or 8-8-8 with the top byte unused.
        std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
        if (out.bits == 32) {
            masks[0] = 0xFF0000;
            masks[1] = 0xFF00;
            masks[2] = 0xFF;
        }
        if (compression == kBitfields) {
            // The masks follow the 40-byte header, inside the longer ones.
            const std::size_t at = kFileHeaderBytes + kInfoHeader;
            if (headerSize == kInfoHeader && out.dataOffset < at + kMaskBytes) return PictureLoadResult::kDamaged;
            for (int i = 0; i < 3; ++i) masks[i] = getU32(d + at + 4 * i);
        }
        for (int i = 0; i < 3; ++i) {
            if (out.bits == 16 && masks[i] > 0xFFFF) return PictureLoadResult::kDamaged;
            if (!fieldOf(masks[i], out.fields[i])) return PictureLoadResult::kUnsupported;
        }
    }
    return dataHoldsPicture(size, out);
}

}  // namespace sc
