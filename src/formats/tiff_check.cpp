// TIFF structure check of the first directory: every value, strip and tile
// it points at must lie inside the file, and there must be enough of them
// for the picture's size.
#include <cstdint>

#include "formats/picture_check_parts.h"
#include "formats/tiff_directory.h"

namespace sc {

PictureInfo inspectTiff(const std::uint8_t* d, std::size_t size) {
    PictureInfo info;
    info.format = PictureFormat::kTiff;
    info.verdict = PictureVerdict::kDamaged;
    info.libraryBytesPerPixel = 8;
    if (size < 8 || d[0] != d[1]) return info;
    const tiff::Bytes t(d, size);
    if (t.u16(2) != 42) {
        info.verdict = PictureVerdict::kUnsupported;  // BigTIFF and the like
        return info;
    }
    tiff::Directory dir;
    if (!tiff::readFirstDirectory(t, dir)) return info;
    if (!t.element(dir.width, 0, info.width) || !t.element(dir.height, 0, info.height)) return info;
    if (info.width == 0 || info.height == 0) return info;
    // The strips or tiles must cover the whole picture: the library fills
    // missing ones with zeros, so a file of a few hundred bytes could claim
    // a picture of a gigabyte and be decoded as one.
    const auto blocksAcross = [](std::uint32_t length, std::uint32_t block) {
        return (static_cast<std::uint64_t>(length) + block - 1) / block;
    };
    if (dir.tileOffsets.present) {
        std::uint32_t tw = 0, tl = 0;
        if (!t.element(dir.tileWidth, 0, tw) || !t.element(dir.tileLength, 0, tl) || tw == 0 || tl == 0) return info;
        if (!t.blocksInside(dir.tileOffsets, dir.tileCounts)) return info;
        if (dir.tileOffsets.count < blocksAcross(info.width, tw) * blocksAcross(info.height, tl)) return info;
    } else {
        // The library steps through the strips by the rows-per-strip value it
        // reads without a default, so the value must be there.
        std::uint32_t rows = 0;
        if (!t.element(dir.rowsPerStrip, 0, rows) || rows == 0) return info;
        if (!t.blocksInside(dir.stripOffsets, dir.stripCounts)) return info;
        if (dir.stripOffsets.count < blocksAcross(info.height, rows)) return info;
    }
    info.verdict = PictureVerdict::kSound;
    return info;
}

}  // namespace sc
