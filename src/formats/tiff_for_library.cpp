// The TIFF preparation for the picture library (see picture_preparation.h).
// The library reads a TIFF through the TIFF library's whole-picture colour
// interface, from memory; these rewrites keep it from the paths where that
// goes wrong.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "formats/picture_preparation.h"
#include "formats/tiff_directory.h"

namespace sc {
namespace {

using tiff::Bytes;
using tiff::Directory;
using tiff::Entry;

constexpr std::uint32_t kExtraUnassociatedAlpha = 2, kExtraAssociatedAlpha = 1;
constexpr std::uint32_t kNoCompression = 1, kPhotometricYCbCr = 6, kPlanesSeparate = 2;

void putValue16(std::uint8_t* p, std::uint16_t v, bool big) {
    if (big) {
        p[0] = static_cast<std::uint8_t>(v >> 8);
        p[1] = static_cast<std::uint8_t>(v);
    } else {
        putU16(p, v);
    }
}

void putValue32(std::uint8_t* p, std::uint32_t v, bool big) {
    if (big) {
        for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
    } else {
        putU32(p, v);
    }
}

void markAlphaAssociated(std::uint8_t* data, const Bytes& file, const Entry& extraSamples) {
    std::uint32_t first = 0;
    if (!file.element(extraSamples, 0, first) || first != kExtraUnassociatedAlpha) return;
    if (extraSamples.type == tiff::kTypeShort) {
        putValue16(data + extraSamples.valuePos, kExtraAssociatedAlpha, file.bigEndian());
    } else {
        putValue32(data + extraSamples.valuePos, kExtraAssociatedAlpha, file.bigEndian());
    }
}

// The layout of uncompressed tiles, read from the directory.
struct TileLayout {
    std::uint32_t width = 0, height = 0, tileWidth = 0, tileLength = 0;
    std::uint32_t planes = 1;        // 1, or the samples per pixel when stored plane by plane
    std::uint64_t unitBits = 0;      // bits of one pixel within one plane
    std::uint64_t tileRowBytes = 0;
    std::uint64_t rowBytes = 0;      // of one picture row within one plane
    std::uint64_t across = 0, down = 0;
};

enum class Relayout { kNotNeeded, kPossible, kDamaged };

Relayout tileLayoutOf(const Bytes& file, const Directory& dir, TileLayout& out) {
    if (!dir.tileOffsets.present) return Relayout::kNotNeeded;
    std::uint32_t compression = 0, photometric = 0, samples = 0, bits = 0, planar = 0;
    if (!file.valueOr(dir.compression, kNoCompression, compression) || compression != kNoCompression) {
        return Relayout::kNotNeeded;
    }
    // Sub-sampled colour is stored in blocks of pixels, not rows: left to the library.
    if (!file.valueOr(dir.photometric, 0, photometric) || photometric == kPhotometricYCbCr) {
        return Relayout::kNotNeeded;
    }
    if (!file.valueOr(dir.samplesPerPixel, 1, samples) || !file.valueOr(dir.bitsPerSample, 1, bits) ||
        !file.valueOr(dir.planarConfig, 1, planar) || samples == 0 || bits == 0) {
        return Relayout::kNotNeeded;
    }
    for (std::uint32_t i = 1; i < dir.bitsPerSample.count; ++i) {
        std::uint32_t other = 0;
        if (!file.element(dir.bitsPerSample, i, other) || other != bits) return Relayout::kNotNeeded;
    }
    if (!file.element(dir.width, 0, out.width) || !file.element(dir.height, 0, out.height) ||
        !file.element(dir.tileWidth, 0, out.tileWidth) || !file.element(dir.tileLength, 0, out.tileLength)) {
        return Relayout::kNotNeeded;
    }
    // Sizes no reader takes are left to the library to refuse.
    if (bits > 64 || samples > 0xFFFF) return Relayout::kNotNeeded;
    if (out.width == 0 || out.height == 0 || out.tileWidth == 0 || out.tileLength == 0) return Relayout::kDamaged;
    out.planes = planar == kPlanesSeparate ? samples : 1;
    out.unitBits = static_cast<std::uint64_t>(bits) * (planar == kPlanesSeparate ? 1 : samples);
    // Tile rows are joined byte by byte, so each must end on a byte boundary.
    if ((out.tileWidth * out.unitBits) % 8 != 0) return Relayout::kNotNeeded;
    out.tileRowBytes = out.tileWidth * out.unitBits / 8;
    if (out.tileRowBytes > file.size()) return Relayout::kDamaged;  // no tile could be whole
    out.rowBytes = (out.width * out.unitBits + 7) / 8;
    out.across = (static_cast<std::uint64_t>(out.width) + out.tileWidth - 1) / out.tileWidth;
    out.down = (static_cast<std::uint64_t>(out.height) + out.tileLength - 1) / out.tileLength;
    // Every tile of every plane must be there, whole.
    if (!file.blocksInside(dir.tileOffsets, dir.tileCounts)) return Relayout::kDamaged;
    if (dir.tileOffsets.count < out.across * out.down * out.planes) return Relayout::kDamaged;
    for (std::uint32_t i = 0; i < dir.tileOffsets.count; ++i) {
        std::uint32_t count = 0;
        if (!file.element(dir.tileCounts, i, count) || count < out.tileRowBytes * out.tileLength) {
            return Relayout::kDamaged;
        }
    }
    return Relayout::kPossible;
}

bool isTileOrStripTag(std::uint16_t tag) {
    return tag == tiff::kTagTileWidth || tag == tiff::kTagTileLength || tag == tiff::kTagTileOffsets ||
           tag == tiff::kTagTileByteCounts || tag == tiff::kTagStripOffsets || tag == tiff::kTagRowsPerStrip ||
           tag == tiff::kTagStripByteCounts;
}

// One 12-byte directory entry and its tag.
struct RawEntry {
    std::uint16_t tag;
    std::array<std::uint8_t, tiff::kEntryBytes> bytes;
};

RawEntry makeEntry(std::uint16_t tag, std::uint32_t count, std::uint32_t value, bool big) {
    RawEntry e{tag, {}};
    putValue16(e.bytes.data(), tag, big);
    putValue16(e.bytes.data() + 2, tiff::kTypeLong, big);
    putValue32(e.bytes.data() + 4, count, big);
    putValue32(e.bytes.data() + 8, value, big);
    return e;
}

// Appends to the original bytes a new first directory (the old entries but
// the tile ones, and one strip per plane) and the strips' pixel rows. The
// old entries' values stay where they are, so they are copied unchanged.
PictureLoadResult relayTilesAsStrip(PictureBytes& bytes, const Bytes& file, const Directory& dir,
                                    const TileLayout& t) {
    const bool big = file.bigEndian();
    const std::uint8_t* in = bytes.data.get();
    const std::uint64_t planeBytes = t.rowBytes * t.height;
    const std::uint64_t arrays = t.planes > 1 ? 8ull * t.planes : 0;
    std::vector<RawEntry> entries;
    for (std::uint16_t i = 0; i < dir.entries; ++i) {
        const std::size_t at = dir.position + 2 + tiff::kEntryBytes * i;
        RawEntry e{file.u16(at), {}};
        std::memcpy(e.bytes.data(), in + at, tiff::kEntryBytes);
        if (!isTileOrStripTag(e.tag)) entries.push_back(e);
    }
    // Each plane is no larger than the tiles the file holds for it.
    if (planeBytes > kLibraryByteLimit / t.planes) return PictureLoadResult::kTooLarge;
    const std::uint64_t count = entries.size() + 3;
    const std::uint64_t directoryAt = (bytes.size + 1) & ~std::uint64_t{1};  // on a word boundary
    const std::uint64_t arraysAt = directoryAt + 2 + tiff::kEntryBytes * count + 4;
    const std::uint64_t stripAt = arraysAt + arrays;
    const std::uint64_t total = stripAt + planeBytes * t.planes;
    if (count > 0xFFFF || total > kLibraryByteLimit) return PictureLoadResult::kTooLarge;
    // With one plane the strip's offset and size fit in their entries; with
    // more they are arrays after the directory.
    const bool inEntry = t.planes == 1;
    entries.push_back(makeEntry(tiff::kTagStripOffsets, t.planes,
                                static_cast<std::uint32_t>(inEntry ? stripAt : arraysAt), big));
    entries.push_back(makeEntry(tiff::kTagRowsPerStrip, 1, t.height, big));
    entries.push_back(makeEntry(tiff::kTagStripByteCounts, t.planes,
                                static_cast<std::uint32_t>(inEntry ? planeBytes : arraysAt + 4ull * t.planes), big));
    std::stable_sort(entries.begin(), entries.end(), [](const RawEntry& a, const RawEntry& b) { return a.tag < b.tag; });

    ByteBuffer out(static_cast<std::uint8_t*>(std::calloc(1, static_cast<std::size_t>(total))));
    if (!out) return PictureLoadResult::kTooLarge;
    std::uint8_t* o = out.get();
    std::memcpy(o, in, bytes.size);
    putValue32(o + 4, static_cast<std::uint32_t>(directoryAt), big);
    putValue16(o + directoryAt, static_cast<std::uint16_t>(count), big);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::memcpy(o + directoryAt + 2 + tiff::kEntryBytes * i, entries[i].bytes.data(), tiff::kEntryBytes);
    }
    for (std::uint32_t p = 0; !inEntry && p < t.planes; ++p) {
        putValue32(o + arraysAt + 4ull * p, static_cast<std::uint32_t>(stripAt + planeBytes * p), big);
        putValue32(o + arraysAt + 4ull * (t.planes + p), static_cast<std::uint32_t>(planeBytes), big);
    }

    // Each tile row lands in its picture row; the last tile of a row and of
    // a column gives only what lies inside the picture.
    for (std::uint32_t plane = 0; plane < t.planes; ++plane) {
        std::uint8_t* strip = o + stripAt + planeBytes * plane;
        for (std::uint64_t ty = 0; ty < t.down; ++ty) {
            for (std::uint64_t tx = 0; tx < t.across; ++tx) {
                std::uint32_t offset = 0;
                file.element(dir.tileOffsets, static_cast<std::uint32_t>((plane * t.down + ty) * t.across + tx), offset);
                const std::uint64_t x0 = tx * t.tileRowBytes;
                const std::uint64_t bytesAcross = std::min(t.tileRowBytes, t.rowBytes - x0);
                const std::uint64_t rows = std::min<std::uint64_t>(t.tileLength, t.height - ty * t.tileLength);
                for (std::uint64_t r = 0; r < rows; ++r) {
                    std::memcpy(strip + (ty * t.tileLength + r) * t.rowBytes + x0, in + offset + r * t.tileRowBytes,
                                static_cast<std::size_t>(bytesAcross));
                }
            }
        }
    }
    bytes.data = std::move(out);
    bytes.size = static_cast<std::size_t>(total);
    return PictureLoadResult::kOk;
}

}  // namespace

PictureLoadResult prepareTiffForLibrary(PictureBytes& bytes) {
    const Bytes file(bytes.data.get(), bytes.size);
    Directory dir;
    if (!tiff::readFirstDirectory(file, dir)) return PictureLoadResult::kDamaged;
    std::memset(bytes.data.get() + dir.nextPointer(), 0, 4);
    markAlphaAssociated(bytes.data.get(), file, dir.extraSamples);
    TileLayout layout;
    switch (tileLayoutOf(file, dir, layout)) {
        case Relayout::kNotNeeded: return PictureLoadResult::kOk;
        case Relayout::kDamaged: return PictureLoadResult::kDamaged;
        case Relayout::kPossible: break;
    }
    return relayTilesAsStrip(bytes, file, dir, layout);
}

}  // namespace sc
