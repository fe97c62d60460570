// TIFF structure check of the first directory: every value, strip and tile
// it points at must lie inside the file, and there must be enough of them
// for the picture's size.
#include <cstdint>
#include <cstring>

#include "formats/little_endian.h"
#include "formats/picture_check_parts.h"

namespace sc {
namespace {

enum : std::uint16_t {
    kTagWidth = 256,
    kTagHeight = 257,
    kTagStripOffsets = 273,
    kTagRowsPerStrip = 278,
    kTagStripByteCounts = 279,
    kTagTileWidth = 322,
    kTagTileLength = 323,
    kTagTileOffsets = 324,
    kTagTileByteCounts = 325,
};
constexpr std::uint16_t kTypeShort = 3, kTypeLong = 4;

std::uint32_t typeSize(std::uint16_t type) {
    switch (type) {
        case 1: case 2: case 6: case 7: return 1;   // bytes, text, signed bytes, undefined
        case 3: case 8: return 2;                   // shorts
        case 4: case 9: case 11: case 13: return 4; // longs, floats, sub-directories
        case 5: case 10: case 12: return 8;         // rationals, doubles
        default: return 0;                          // unknown: skipped by readers
    }
}

struct Entry {
    bool present = false;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::size_t valuePos = 0;
};

class Tiff {
public:
    Tiff(const std::uint8_t* d, std::size_t size) : d_(d), size_(size), big_(d[0] == 'M') {}
    std::uint16_t u16(std::size_t pos) const { return big_ ? getBigU16(d_ + pos) : getU16(d_ + pos); }
    std::uint32_t u32(std::size_t pos) const { return big_ ? getBigU32(d_ + pos) : getU32(d_ + pos); }
    // Element i of a SHORT or LONG value; false for any other type.
    bool element(const Entry& e, std::uint32_t i, std::uint32_t& out) const {
        if (!e.present || i >= e.count) return false;
        if (e.type == kTypeShort) out = u16(e.valuePos + 2ull * i);
        else if (e.type == kTypeLong) out = u32(e.valuePos + 4ull * i);
        else return false;
        return true;
    }
    // Every (offset, count) pair of the two arrays lies inside the file.
    bool blocksInside(const Entry& offsets, const Entry& counts) const {
        if (!offsets.present || !counts.present || offsets.count == 0 || offsets.count != counts.count) return false;
        for (std::uint32_t i = 0; i < offsets.count; ++i) {
            std::uint32_t offset = 0, count = 0;
            if (!element(offsets, i, offset) || !element(counts, i, count)) return false;
            if (offset > size_ || count > size_ - offset) return false;
        }
        return true;
    }

private:
    const std::uint8_t* d_;
    std::size_t size_;
    bool big_;
};

// Position of the first directory and its entry count, or false.
bool firstDirectory(const Tiff& t, std::size_t size, std::size_t& ifd, std::uint16_t& entries) {
    ifd = t.u32(4);
    if (ifd < 8 || ifd > size - 2) return false;
    entries = t.u16(ifd);
    return entries > 0 && 2 + 12ull * entries + 4 <= size - ifd;
}

}  // namespace

PictureInfo inspectTiff(const std::uint8_t* d, std::size_t size) {
    PictureInfo info;
    info.format = PictureFormat::kTiff;
    info.verdict = PictureVerdict::kDamaged;
    info.libraryBytesPerPixel = 8;
    if (size < 8 || d[0] != d[1]) return info;
    const Tiff t(d, size);
    const std::uint16_t magic = t.u16(2);
    if (magic != 42) {
        info.verdict = PictureVerdict::kUnsupported;  // BigTIFF and the like
        return info;
    }
    std::size_t ifd = 0;
    std::uint16_t entries = 0;
    if (!firstDirectory(t, size, ifd, entries)) return info;

    Entry width, height, rowsPerStrip, stripOffsets, stripCounts, tileWidth, tileLength, tileOffsets, tileCounts;
    for (std::uint16_t i = 0; i < entries; ++i) {
        const std::size_t e = ifd + 2 + 12ull * i;
        Entry entry{true, t.u16(e + 2), t.u32(e + 4), e + 8};
        const std::uint64_t bytes = static_cast<std::uint64_t>(entry.count) * typeSize(entry.type);
        if (bytes > 4) {
            const std::uint32_t offset = t.u32(e + 8);
            if (offset > size || bytes > size - offset) return info;
            entry.valuePos = offset;
        }
        Entry* slot = nullptr;
        switch (t.u16(e)) {
            case kTagWidth: slot = &width; break;
            case kTagHeight: slot = &height; break;
            case kTagRowsPerStrip: slot = &rowsPerStrip; break;
            case kTagStripOffsets: slot = &stripOffsets; break;
            case kTagStripByteCounts: slot = &stripCounts; break;
            case kTagTileWidth: slot = &tileWidth; break;
            case kTagTileLength: slot = &tileLength; break;
            case kTagTileOffsets: slot = &tileOffsets; break;
            case kTagTileByteCounts: slot = &tileCounts; break;
            default: break;
        }
        if (!slot) continue;
        // A tag given twice leaves open which value a decoder takes (this
        // check could see height 3 where the library reads 19532): damaged.
        if (slot->present) return info;
        *slot = entry;
    }
    if (!t.element(width, 0, info.width) || !t.element(height, 0, info.height)) return info;
    if (info.width == 0 || info.height == 0) return info;
    // The strips or tiles must cover the whole picture: the library fills
    // missing ones with zeros, so a file of a few hundred bytes could claim
    // a picture of a gigabyte and be decoded as one.
    const auto blocksAcross = [](std::uint32_t length, std::uint32_t block) {
        return (static_cast<std::uint64_t>(length) + block - 1) / block;
    };
    if (tileOffsets.present) {
        std::uint32_t tw = 0, tl = 0;
        if (!t.element(tileWidth, 0, tw) || !t.element(tileLength, 0, tl) || tw == 0 || tl == 0) return info;
        if (!t.blocksInside(tileOffsets, tileCounts)) return info;
        if (tileOffsets.count < blocksAcross(info.width, tw) * blocksAcross(info.height, tl)) return info;
    } else {
        // The library steps through the strips by the rows-per-strip value it
        // reads without a default, so the value must be there.
        std::uint32_t rows = 0;
        if (!t.element(rowsPerStrip, 0, rows) || rows == 0) return info;
        if (!t.blocksInside(stripOffsets, stripCounts)) return info;
        if (stripOffsets.count < blocksAcross(info.height, rows)) return info;
    }
    info.verdict = PictureVerdict::kSound;
    return info;
}

void keepFirstTiffPageOnly(std::uint8_t* data, std::size_t size) {
    if (size < 8) return;
    const Tiff t(data, size);
    std::size_t ifd = 0;
    std::uint16_t entries = 0;
    if (!firstDirectory(t, size, ifd, entries)) return;
    std::memset(data + ifd + 2 + 12ull * entries, 0, 4);
}

}  // namespace sc
