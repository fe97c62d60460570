// The BMP headers of 52 and 56 bytes (the 40-byte header followed by its
// colour masks) and the 64-byte OS/2 header, rewritten as the 40-byte
// header the picture library reads. The first 40 bytes of all three are laid
// out as the 40-byte header; the palette and the rows are copied unchanged.
#include <cstdlib>
#include <cstring>

#include "formats/little_endian.h"
#include "formats/picture_preparation.h"

namespace sc {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeader = 40, kOs2Header = 64;
constexpr std::uint32_t kBitfields = 3;
constexpr std::size_t kMaskBytes = 12;  // red, green and blue masks

bool isOlderHeader(std::uint32_t size) { return size == 52 || size == 56 || size == kOs2Header; }

}  // namespace

PictureLoadResult rewriteOlderBmpHeader(PictureBytes& bytes) {
    const std::uint8_t* d = bytes.data.get();
    const std::size_t size = bytes.size;
    if (size < kFileHeaderBytes + 4 || d[0] != 'B' || d[1] != 'M') return PictureLoadResult::kOk;
    const std::uint32_t headerSize = getU32(d + 14);
    if (!isOlderHeader(headerSize)) return PictureLoadResult::kOk;
    const std::uint32_t dataOffset = getU32(d + 10);
    if (size < kFileHeaderBytes + headerSize || dataOffset < kFileHeaderBytes + headerSize || dataOffset > size) {
        return PictureLoadResult::kDamaged;
    }
    const std::uint32_t compression = getU32(d + 30);
    if (headerSize == kOs2Header) {
        // OS/2 numbers compression 3 and 4 differently (Huffman, 24-bit
        // run-length); rows stored other than bottom-up, and colour other
        // than RGB, are not read either.
        const std::uint16_t recording = getU16(d + kFileHeaderBytes + 44);
        const std::uint32_t encoding = getU32(d + kFileHeaderBytes + 56);
        if (compression >= kBitfields || recording != 0 || encoding != 0) return PictureLoadResult::kUnsupported;
    }
    // Bit-field masks go where the library looks for them: just before the rows.
    const bool masks = headerSize != kOs2Header && compression == kBitfields;
    const std::size_t between = dataOffset - kFileHeaderBytes - headerSize;  // palette and any gap
    const std::size_t rows = size - dataOffset;
    const std::size_t newOffset = kFileHeaderBytes + kInfoHeader + between + (masks ? kMaskBytes : 0);
    const std::size_t newSize = newOffset + rows;
    if (newSize > kLibraryByteLimit) return PictureLoadResult::kTooLarge;
    ByteBuffer out(static_cast<std::uint8_t*>(std::malloc(newSize)));
    if (!out) return PictureLoadResult::kTooLarge;
    std::uint8_t* o = out.get();
    std::memcpy(o, d, kFileHeaderBytes + kInfoHeader);
    putU32(o + 2, static_cast<std::uint32_t>(newSize));
    putU32(o + 10, static_cast<std::uint32_t>(newOffset));
    putU32(o + 14, kInfoHeader);
    std::memcpy(o + kFileHeaderBytes + kInfoHeader, d + kFileHeaderBytes + headerSize, between);
    if (masks) std::memcpy(o + newOffset - kMaskBytes, d + kFileHeaderBytes + kInfoHeader, kMaskBytes);
    std::memcpy(o + newOffset, d + dataOffset, rows);
    bytes.data = std::move(out);
    bytes.size = newSize;
    return PictureLoadResult::kOk;
}

}  // namespace sc
