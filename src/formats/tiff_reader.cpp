// SPDX-License-Identifier: GPL-3.0-or-later
// TIFF pictures through libtiff's whole-picture colour interface, from
// memory: the first page, in any layout and compression libtiff reads.
// Unassociated alpha is read as associated, so colours arrive as stored
// rather than multiplied by their alpha; alpha itself is dropped.
#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "formats/picture_readers.h"

namespace sc {
namespace {

struct Source {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;
    bool failed = false;  // libtiff reported an error
};

tmsize_t readProc(thandle_t h, void* buffer, tmsize_t length) {
    auto* src = static_cast<Source*>(h);
    if (length < 0) return -1;
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), src->size - src->pos);
    std::memcpy(buffer, src->data + src->pos, n);
    src->pos += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t writeProc(thandle_t, void*, tmsize_t) { return -1; }

toff_t seekProc(thandle_t h, toff_t offset, int whence) {
    auto* src = static_cast<Source*>(h);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR) base = src->pos;
    else if (whence == SEEK_END) base = src->size;
    else if (whence != SEEK_SET) return static_cast<toff_t>(-1);
    const std::uint64_t target = base + offset;
    if (target < base || target > src->size) return static_cast<toff_t>(-1);
    src->pos = static_cast<std::size_t>(target);
    return target;
}

int closeProc(thandle_t) { return 0; }
toff_t sizeProc(thandle_t h) { return static_cast<Source*>(h)->size; }
// The file is handed over as if mapped: libtiff then reads strips and tiles
// in place (and takes uncompressed tiles stored with padding, which it
// refuses when it reads them through readProc).
int mapProc(thandle_t h, void** base, toff_t* size) {
    auto* src = static_cast<Source*>(h);
    *base = const_cast<std::uint8_t*>(src->data);
    *size = src->size;
    return 1;
}
void unmapProc(thandle_t, void*, toff_t) {}

int noteError(TIFF*, void* user, const char*, const char*, va_list) {
    static_cast<Source*>(user)->failed = true;
    return 1;
}
int ignoreWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct Closer {
    TIFF* tif;
    ~Closer() {
        if (tif) TIFFClose(tif);
    }
};

// Unassociated alpha becomes associated: the colour interface would
// otherwise multiply the colours by it.
void readAlphaAsAssociated(TIFF* tif) {
    std::uint16_t count = 0;
    std::uint16_t* kinds = nullptr;
    if (!TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &count, &kinds) || count == 0 || kinds[0] != EXTRASAMPLE_UNASSALPHA) {
        return;
    }
    std::uint16_t changed[256];
    const std::uint16_t n = std::min<std::uint16_t>(count, 256);
    std::memcpy(changed, kinds, n * sizeof *kinds);
    changed[0] = EXTRASAMPLE_ASSOCALPHA;
    TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, n, changed);
}

// A first directory that gives a tag twice leaves open which value counts
// (libtiff takes the first; another reader may see another picture): such
// a file is damaged.
bool repeatsATag(const std::uint8_t* d, std::size_t size) {
    const bool big = d[0] == 'M';
    auto u16 = [&](std::size_t at) { return big ? (d[at] << 8 | d[at + 1]) : (d[at + 1] << 8 | d[at]); };
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(big ? (u16(at) << 16 | u16(at + 2)) : (u16(at + 2) << 16 | u16(at)));
    };
    if (u16(2) != 42) return false;
    const std::uint32_t at = u32(4);
    if (at > size - 2) return false;
    const std::uint32_t entries = static_cast<std::uint32_t>(u16(at));
    if (entries * 12ull > size - at - 2) return false;
    std::vector<bool> seen(65536);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const unsigned tag = static_cast<unsigned>(u16(at + 2 + 12 * i));
        if (seen[tag]) return true;
        seen[tag] = true;
    }
    return false;
}

// 16-bit RGB in strips, or in uncompressed tiles, has always been imported
// by its samples' high bytes, where the colour interface rounds; such
// pictures keep their pixels.
bool isSixteenBitRgbByHighBytes(TIFF* tif) {
    std::uint16_t bits = 0, samples = 0, planar = 0, format = 0, photometric = 0, compression = 0;
    return TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits) && bits == 16 &&
           TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples) && samples == 3 &&
           TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar) && planar == PLANARCONFIG_CONTIG &&
           TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &format) && format == SAMPLEFORMAT_UINT &&
           TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric) && photometric == PHOTOMETRIC_RGB &&
           (!TIFFIsTiled(tif) ||
            (TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression) && compression == COMPRESSION_NONE));
}

PictureLoadResult readHighBytesOfStrips(TIFF* tif, const Source& src, DecodedRgb& out) {
    if (TIFFScanlineSize64(tif) != std::uint64_t{out.width} * 6) return PictureLoadResult::kDamaged;
    std::vector<std::uint16_t> row(std::size_t{out.width} * 3);
    std::uint8_t* o = out.pixels.get();
    for (std::uint32_t y = 0; y < out.height; ++y) {
        if (TIFFReadScanline(tif, row.data(), y, 0) != 1 || src.failed) return PictureLoadResult::kDamaged;
        for (const std::uint16_t sample : row) *o++ = static_cast<std::uint8_t>(sample >> 8);
    }
    return PictureLoadResult::kOk;
}

PictureLoadResult readHighBytesOfTiles(TIFF* tif, const Source& src, DecodedRgb& out) {
    std::uint32_t tileWidth = 0, tileLength = 0;
    if (!TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tileWidth) || !TIFFGetField(tif, TIFFTAG_TILELENGTH, &tileLength) ||
        tileWidth == 0 || tileLength == 0 || TIFFTileSize64(tif) != std::uint64_t{tileWidth} * tileLength * 6) {
        return PictureLoadResult::kDamaged;
    }
    std::vector<std::uint16_t> tile(std::size_t{tileWidth} * tileLength * 3);
    for (std::uint32_t ty = 0; ty < out.height; ty += tileLength) {
        for (std::uint32_t tx = 0; tx < out.width; tx += tileWidth) {
            if (TIFFReadTile(tif, tile.data(), tx, ty, 0, 0) < 0 || src.failed) return PictureLoadResult::kDamaged;
            const std::uint32_t across = std::min(tileWidth, out.width - tx);
            const std::uint32_t down = std::min(tileLength, out.height - ty);
            for (std::uint32_t r = 0; r < down; ++r) {
                std::uint8_t* o = out.pixels.get() + (std::size_t{ty + r} * out.width + tx) * 3;
                const std::uint16_t* in = tile.data() + std::size_t{r} * tileWidth * 3;
                for (std::uint32_t i = 0; i < across * 3; ++i) o[i] = static_cast<std::uint8_t>(in[i] >> 8);
            }
        }
    }
    return PictureLoadResult::kOk;
}

}  // namespace

PictureLoadResult decodeTiff(const std::uint8_t* data, std::size_t size, DecodedRgb& out) {
    out = DecodedRgb{};
    if (size < 8 || data[0] != data[1]) return PictureLoadResult::kDamaged;
    if (repeatsATag(data, size)) return PictureLoadResult::kDamaged;
    Source src{data, size};
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) return PictureLoadResult::kTooLarge;
    TIFFOpenOptionsSetErrorHandlerExtR(options, noteError, &src);
    TIFFOpenOptionsSetWarningHandlerExtR(options, ignoreWarning, &src);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, static_cast<tmsize_t>(kPictureByteLimit));
    Closer file{TIFFClientOpenExt("picture", "r", &src, readProc, writeProc, seekProc, closeProc, sizeProc, mapProc,
                                  unmapProc, options)};
    TIFFOpenOptionsFree(options);
    if (!file.tif) {
        // BigTIFF (version 43) and other versions are not read.
        const bool big = data[0] == 'M';
        const unsigned version = big ? (data[2] << 8 | data[3]) : (data[3] << 8 | data[2]);
        return version == 42 ? PictureLoadResult::kDamaged : PictureLoadResult::kUnsupported;
    }
    if (TIFFIsBigTIFF(file.tif)) return PictureLoadResult::kUnsupported;
    std::uint32_t width = 0, height = 0;
    if (!TIFFGetField(file.tif, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(file.tif, TIFFTAG_IMAGELENGTH, &height) ||
        width == 0 || height == 0) {
        return PictureLoadResult::kDamaged;
    }
    char message[1024] = "";
    if (!TIFFRGBAImageOK(file.tif, message))
        return src.failed ? PictureLoadResult::kDamaged : PictureLoadResult::kUnsupported;
    readAlphaAsAssociated(file.tif);
    if (isSixteenBitRgbByHighBytes(file.tif)) {
        PictureLoadResult result = allocateDecoded(width, height, size, out);
        if (result == PictureLoadResult::kOk) {
            result = TIFFIsTiled(file.tif) ? readHighBytesOfTiles(file.tif, src, out)
                                           : readHighBytesOfStrips(file.tif, src, out);
        }
        if (result != PictureLoadResult::kOk) out = DecodedRgb{};
        return result;
    }

    const std::uint64_t rasterBytes = std::uint64_t{width} * height * 4;
    PictureLoadResult result = pictureMemoryAllowed(rasterBytes, size + std::uint64_t{width} * height * 6);
    if (result != PictureLoadResult::kOk) return result;
    ByteBuffer raster(static_cast<std::uint8_t*>(std::calloc(1, static_cast<std::size_t>(rasterBytes))));
    if (!raster) return PictureLoadResult::kTooLarge;
    auto* pixels = reinterpret_cast<std::uint32_t*>(raster.get());
    if (!TIFFReadRGBAImageOriented(file.tif, width, height, pixels, ORIENTATION_TOPLEFT, 1) || src.failed) {
        return PictureLoadResult::kDamaged;
    }
    result = allocateDecoded(width, height, size + rasterBytes, out);
    if (result != PictureLoadResult::kOk) return result;
    std::uint8_t* o = out.pixels.get();
    for (std::uint64_t i = 0, n = std::uint64_t{width} * height; i < n; ++i, o += 3) {
        o[0] = static_cast<std::uint8_t>(TIFFGetR(pixels[i]));
        o[1] = static_cast<std::uint8_t>(TIFFGetG(pixels[i]));
        o[2] = static_cast<std::uint8_t>(TIFFGetB(pixels[i]));
    }
    return PictureLoadResult::kOk;
}

}  // namespace sc
