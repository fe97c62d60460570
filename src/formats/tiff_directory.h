#pragma once
// The first directory of a TIFF file held in memory: the entries the checks
// and the preparation for the picture library look at, each value checked
// to lie inside the file.
#include <cstddef>
#include <cstdint>

#include "formats/little_endian.h"
#include "formats/picture_check_parts.h"

namespace sc::tiff {

enum Tag : std::uint16_t {
    kTagWidth = 256,
    kTagHeight = 257,
    kTagBitsPerSample = 258,
    kTagCompression = 259,
    kTagPhotometric = 262,
    kTagStripOffsets = 273,
    kTagSamplesPerPixel = 277,
    kTagRowsPerStrip = 278,
    kTagStripByteCounts = 279,
    kTagPlanarConfig = 284,
    kTagTileWidth = 322,
    kTagTileLength = 323,
    kTagTileOffsets = 324,
    kTagTileByteCounts = 325,
    kTagExtraSamples = 338,
};
constexpr std::uint16_t kTypeShort = 3, kTypeLong = 4;
constexpr std::size_t kEntryBytes = 12;

struct Entry {
    bool present = false;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::size_t valuePos = 0;  // where the value lies: in the entry or elsewhere in the file
};

// Byte-order-aware access to the file.
class Bytes {
public:
    Bytes(const std::uint8_t* d, std::size_t size) : d_(d), size_(size), big_(size > 0 && d[0] == 'M') {}
    std::size_t size() const { return size_; }
    bool bigEndian() const { return big_; }
    std::uint16_t u16(std::size_t pos) const { return big_ ? getBigU16(d_ + pos) : getU16(d_ + pos); }
    std::uint32_t u32(std::size_t pos) const { return big_ ? getBigU32(d_ + pos) : getU32(d_ + pos); }
    // Element i of a SHORT or LONG value; false for any other type.
    bool element(const Entry& e, std::uint32_t i, std::uint32_t& out) const;
    // Element 0, or `fallback` when the entry is absent; false for a value of another type.
    bool valueOr(const Entry& e, std::uint32_t fallback, std::uint32_t& out) const;
    // Every (offset, count) pair of the two arrays lies inside the file.
    bool blocksInside(const Entry& offsets, const Entry& counts) const;

private:
    const std::uint8_t* d_;
    std::size_t size_;
    bool big_;
};

struct Directory {
    std::size_t position = 0;   // of the entry count
    std::uint16_t entries = 0;
    Entry width, height, bitsPerSample, compression, photometric, samplesPerPixel, rowsPerStrip, stripOffsets,
        stripCounts, planarConfig, tileWidth, tileLength, tileOffsets, tileCounts, extraSamples;
    // Where the next directory's offset is kept.
    std::size_t nextPointer() const { return position + 2 + kEntryBytes * entries; }
};

// Reads the first directory of a file whose first eight bytes say TIFF.
// False when it or a value it names lies outside the file, or it gives one
// of the entries above twice (which value counts would be left open).
bool readFirstDirectory(const Bytes& file, Directory& out);

}  // namespace sc::tiff
