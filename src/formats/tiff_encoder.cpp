// SPDX-License-Identifier: GPL-3.0-or-later
// TIFF through libtiff, into memory: the library writes through procedures
// over a growing buffer.
#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "formats/picture_encoders.h"

namespace sc {
namespace {

// The file as the library builds it, with its write position.
struct MemoryFile {
    std::vector<std::uint8_t>& bytes;
    std::uint64_t position = 0;
};

MemoryFile& fileOf(thandle_t handle) { return *static_cast<MemoryFile*>(handle); }

tmsize_t readNothing(thandle_t, void*, tmsize_t) { return 0; }

tmsize_t writeBytes(thandle_t handle, void* data, tmsize_t size) {
    MemoryFile& f = fileOf(handle);
    if (size < 0) return -1;
    const std::uint64_t end = f.position + static_cast<std::uint64_t>(size);
    // A classic TIFF file cannot pass 4 GiB.
    if (end > std::numeric_limits<std::uint32_t>::max()) return -1;
    // Running out of memory is a failed write for the library, never thrown through it.
    try {
        if (end > f.bytes.size()) f.bytes.resize(static_cast<std::size_t>(end));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    if (size > 0) std::memcpy(f.bytes.data() + f.position, data, static_cast<std::size_t>(size));
    f.position = end;
    return size;
}

toff_t seekTo(thandle_t handle, toff_t offset, int whence) {
    MemoryFile& f = fileOf(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR) base = f.position;
    if (whence == SEEK_END) base = f.bytes.size();
    const std::uint64_t target = base + offset;
    if (target > std::numeric_limits<std::uint32_t>::max()) return static_cast<toff_t>(-1);
    f.position = target;
    return f.position;
}

int closeNothing(thandle_t) { return 0; }
toff_t sizeOf(thandle_t handle) { return fileOf(handle).bytes.size(); }
int mapNothing(thandle_t, void**, toff_t*) { return 0; }
void unmapNothing(thandle_t, void*, toff_t) {}

// The library reports through these; the encoder's result says enough.
void quiet(const char*, const char*, va_list) {}

// Restores the library's handlers when the encoder returns.
struct QuietHandlers {
    TIFFErrorHandler error = TIFFSetErrorHandler(quiet);
    TIFFErrorHandler warning = TIFFSetWarningHandler(quiet);
    ~QuietHandlers() {
        TIFFSetErrorHandler(error);
        TIFFSetWarningHandler(warning);
    }
};

bool writePage(TIFF* tif, const RgbPicture& picture) {
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, picture.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, picture.height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
    // The library may change a row it compresses in place (the predictor):
    // each row is handed over from a copy.
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * 3;
    std::unique_ptr<std::uint8_t[]> row(new (std::nothrow) std::uint8_t[rowBytes]);
    if (!row) return false;
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        std::copy_n(picture.rgb.data() + y * rowBytes, rowBytes, row.get());
        if (TIFFWriteScanline(tif, row.get(), y, 0) < 0) return false;
    }
    return TIFFWriteDirectory(tif) != 0;
}

}  // namespace

bool encodeTiff(const RgbPicture& picture, std::vector<std::uint8_t>& out) {
    if (picture.width == 0 || picture.height == 0 ||
        picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * 3) {
        return false;
    }
    out.clear();
    const QuietHandlers handlers;
    MemoryFile file{out};
    TIFF* tif = TIFFClientOpen("picture", "w", &file, readNothing, writeBytes, seekTo, closeNothing, sizeOf, mapNothing,
                               unmapNothing);
    if (!tif) return false;
    const bool written = writePage(tif, picture);
    // What is still buffered goes out before the close, so a failure shows.
    const bool flushed = written && TIFFFlush(tif) != 0;
    TIFFClose(tif);
    return flushed;
}

}  // namespace sc
