// Format recognition, and the PNG and JPEG structure checks.
#include "formats/picture_check.h"

#include <cstring>

#include "formats/picture_check_parts.h"

namespace sc {
namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// Deflate expands at most 1032-fold (a 258-byte match in two bits).
constexpr std::uint64_t kDeflateExpansion = 1032;
constexpr std::uint64_t kDeflateSlack = 1024;

bool isChunkLetter(std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Samples per pixel for a PNG colour type and the bit depths it allows.
int pngChannels(std::uint8_t colourType, std::uint8_t depth) {
    const bool byteDepth = depth == 8 || depth == 16;
    switch (colourType) {
        case 0: return (depth == 1 || depth == 2 || depth == 4 || byteDepth) ? 1 : 0;
        case 2: return byteDepth ? 3 : 0;
        case 3: return (depth == 1 || depth == 2 || depth == 4 || depth == 8) ? 1 : 0;
        case 4: return byteDepth ? 2 : 0;
        case 6: return byteDepth ? 4 : 0;
        default: return 0;
    }
}

bool isJpegFrame(std::uint8_t m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }

// Skips entropy-coded data: stuffed 0xFF 0x00 pairs, restart markers and fill
// bytes. Returns the position of the next marker's 0xFF, or size if none.
std::size_t skipEntropyData(const std::uint8_t* d, std::size_t size, std::size_t pos) {
    while (pos < size) {
        const void* ff = std::memchr(d + pos, 0xFF, size - pos);
        if (!ff) return size;
        pos = static_cast<std::size_t>(static_cast<const std::uint8_t*>(ff) - d);
        if (pos + 1 >= size) return size;
        const std::uint8_t next = d[pos + 1];
        if (next == 0x00 || (next >= 0xD0 && next <= 0xD7)) {
            pos += 2;
        } else if (next == 0xFF) {
            pos += 1;
        } else {
            return pos;
        }
    }
    return size;
}

}  // namespace

PictureInfo inspectPng(const std::uint8_t* d, std::size_t size) {
    PictureInfo info;
    info.format = PictureFormat::kPng;
    info.verdict = PictureVerdict::kDamaged;
    std::size_t pos = sizeof kPngSignature;
    std::uint64_t compressed = 0;
    int channels = 0;
    std::uint8_t depth = 0;
    bool first = true, ended = false;
    // Every chunk must lie inside the file, the first must be the header and
    // the last the end chunk: the library loops forever on some that do not.
    while (size - pos >= 12) {
        const std::uint32_t length = getBigU32(d + pos);
        const std::uint8_t* type = d + pos + 4;
        if (length > 0x7FFFFFFFu || length > size - pos - 12) return info;
        for (int i = 0; i < 4; ++i) {
            if (!isChunkLetter(type[i])) return info;
        }
        const std::uint8_t* body = d + pos + 8;
        if (first) {
            if (std::memcmp(type, "IHDR", 4) != 0 || length != 13) return info;
            info.width = getBigU32(body);
            info.height = getBigU32(body + 4);
            depth = body[8];
            channels = pngChannels(body[9], depth);
            if (info.width == 0 || info.height == 0 || info.width > 0x7FFFFFFFu || info.height > 0x7FFFFFFFu) return info;
            if (channels == 0 || body[10] != 0 || body[11] != 0 || body[12] > 1) return info;
            first = false;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            compressed += length;
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            ended = true;
            break;
        }
        pos += 12 + static_cast<std::size_t>(length);
    }
    if (first || !ended || compressed == 0) return info;
    // Each row is a filter byte and the packed samples; the picture data must
    // be able to expand to at least that much.
    const std::uint64_t row = 1 + (static_cast<std::uint64_t>(info.width) * channels * depth + 7) / 8;
    const std::uint64_t limit = kDeflateExpansion * compressed + kDeflateSlack;
    if (info.height > limit / row) return info;
    info.libraryBytesPerPixel = depth == 16 ? 8 : 4;
    info.verdict = PictureVerdict::kSound;
    return info;
}

PictureInfo inspectJpeg(const std::uint8_t* d, std::size_t size) {
    PictureInfo info;
    info.format = PictureFormat::kJpeg;
    info.verdict = PictureVerdict::kDamaged;
    info.libraryBytesPerPixel = 4;
    bool frame = false, scan = false;
    std::size_t pos = 2;
    // Segments must lie inside the file; a frame header must come before the
    // first scan, and the picture must end with its end marker.
    for (;;) {
        while (pos < size && d[pos] != 0xFF) ++pos;  // stray bytes, as decoders skip them
        while (pos < size && d[pos] == 0xFF) ++pos;  // fill bytes
        if (pos >= size) return info;
        const std::uint8_t marker = d[pos++];
        if (marker == 0xD9) break;
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
        if (marker == 0x00 || size - pos < 2) return info;
        const std::uint16_t length = getBigU16(d + pos);
        if (length < 2 || length > size - pos) return info;
        if (isJpegFrame(marker)) {
            // Huffman and arithmetic baseline, extended and progressive frames of 8-bit samples.
            if (marker != 0xC0 && marker != 0xC1 && marker != 0xC2 && marker != 0xC9 && marker != 0xCA) {
                info.verdict = PictureVerdict::kUnsupported;
                return info;
            }
            if (length < 8) return info;
            const std::uint8_t precision = d[pos + 2];
            info.height = getBigU16(d + pos + 3);
            info.width = getBigU16(d + pos + 5);
            const std::uint8_t components = d[pos + 7];
            if (precision != 8) {
                info.verdict = PictureVerdict::kUnsupported;
                return info;
            }
            if (info.width == 0 || info.height == 0 || components == 0 || components > 4) return info;
            if (length < 8 + 3 * components) return info;
            frame = true;
        }
        pos += length;
        if (marker == 0xDA) {
            if (!frame) return info;
            scan = true;
            pos = skipEntropyData(d, size, pos);
        }
    }
    if (!frame || !scan) return info;
    info.verdict = PictureVerdict::kSound;
    return info;
}

PictureInfo inspectPicture(const std::uint8_t* data, std::size_t size) {
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') return inspectBmp(data, size);
    if (size >= sizeof kPngSignature && std::memcmp(data, kPngSignature, sizeof kPngSignature) == 0) {
        return inspectPng(data, size);
    }
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return inspectJpeg(data, size);
    if (size >= 4 && ((data[0] == 'I' && data[1] == 'I') || (data[0] == 'M' && data[1] == 'M'))) {
        return inspectTiff(data, size);
    }
    return PictureInfo{};
}

}  // namespace sc
