#include "formats/tiff_directory.h"

namespace sc::tiff {
namespace {

std::uint32_t typeSize(std::uint16_t type) {
    switch (type) {
        case 1: case 2: case 6: case 7: return 1;   // bytes, text, signed bytes, undefined
        case 3: case 8: return 2;                   // shorts
        case 4: case 9: case 11: case 13: return 4; // longs, floats, sub-directories
        case 5: case 10: case 12: return 8;         // rationals, doubles
        default: return 0;                          // unknown: skipped by readers
    }
}

Entry* slotFor(Directory& d, std::uint16_t tag) {
    switch (tag) {
        case kTagWidth: return &d.width;
        case kTagHeight: return &d.height;
        case kTagBitsPerSample: return &d.bitsPerSample;
        case kTagCompression: return &d.compression;
        case kTagPhotometric: return &d.photometric;
        case kTagStripOffsets: return &d.stripOffsets;
        case kTagSamplesPerPixel: return &d.samplesPerPixel;
        case kTagRowsPerStrip: return &d.rowsPerStrip;
        case kTagStripByteCounts: return &d.stripCounts;
        case kTagPlanarConfig: return &d.planarConfig;
        case kTagTileWidth: return &d.tileWidth;
        case kTagTileLength: return &d.tileLength;
        case kTagTileOffsets: return &d.tileOffsets;
        case kTagTileByteCounts: return &d.tileCounts;
        case kTagExtraSamples: return &d.extraSamples;
        default: return nullptr;
    }
}

}  // namespace

bool Bytes::element(const Entry& e, std::uint32_t i, std::uint32_t& out) const {
    if (!e.present || i >= e.count) return false;
    if (e.type == kTypeShort) out = u16(e.valuePos + 2ull * i);
    else if (e.type == kTypeLong) out = u32(e.valuePos + 4ull * i);
    else return false;
    return true;
}

bool Bytes::valueOr(const Entry& e, std::uint32_t fallback, std::uint32_t& out) const {
    if (e.present) return element(e, 0, out);
    out = fallback;
    return true;
}

bool Bytes::blocksInside(const Entry& offsets, const Entry& counts) const {
    if (!offsets.present || !counts.present || offsets.count == 0 || offsets.count != counts.count) return false;
    for (std::uint32_t i = 0; i < offsets.count; ++i) {
        std::uint32_t offset = 0, count = 0;
        if (!element(offsets, i, offset) || !element(counts, i, count)) return false;
        if (offset > size_ || count > size_ - offset) return false;
    }
    return true;
}

bool readFirstDirectory(const Bytes& file, Directory& out) {
    out = Directory{};
    const std::size_t size = file.size();
    if (size < 8) return false;
    const std::uint32_t ifd = file.u32(4);
    if (ifd < 8 || ifd > size - 2) return false;
    const std::uint16_t entries = file.u16(ifd);
    if (entries == 0 || 2 + kEntryBytes * entries + 4 > size - ifd) return false;
    out.position = ifd;
    out.entries = entries;
    for (std::uint16_t i = 0; i < entries; ++i) {
        const std::size_t e = ifd + 2 + kEntryBytes * i;
        Entry entry{true, file.u16(e + 2), file.u32(e + 4), e + 8};
        const std::uint64_t bytes = static_cast<std::uint64_t>(entry.count) * typeSize(entry.type);
        if (bytes > 4) {
            const std::uint32_t offset = file.u32(e + 8);
            if (offset > size || bytes > size - offset) return false;
            entry.valuePos = offset;
        }
        Entry* slot = slotFor(out, file.u16(e));
        if (!slot) continue;
        // A tag given twice leaves open which value a decoder takes (this
        // check could see height 3 where the library reads 19532).
        if (slot->present) return false;
        *slot = entry;
    }
    return true;
}

}  // namespace sc::tiff
