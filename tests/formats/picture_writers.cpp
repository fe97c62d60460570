// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture_writers.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

namespace sc::testing {
namespace {

std::vector<unsigned char> rgbRows(std::uint32_t width, std::uint32_t height, const PixelFunction& pixel) {
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            unsigned char* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
        }
    }
    return rgb;
}

// The samples of one TIFF pixel: grey or red, green, blue, then any alpha.
struct TiffSamples {
    const PixelFunction& pixel;
    const TiffOptions& options;
    int colours() const { return options.grey ? 1 : 3; }
    int count() const { return colours() + (options.alphaKind != TiffAlpha::kNone ? 1 : 0); }
    std::uint8_t at(std::uint32_t x, std::uint32_t y, int sample) const {
        if (sample == colours()) return options.alpha(x, y);
        const Rgb c = pixel(x, y);
        return sample == 0 ? c.r : sample == 1 ? c.g : c.b;
    }
    // Writes the samples of (x, y) from `first` (all of them, or the one of a plane) at p.
    unsigned char* put(unsigned char* p, std::uint32_t x, std::uint32_t y, int first, int n) const {
        for (int s = first; s < first + n; ++s) {
            const std::uint8_t v = at(x, y, s);
            if (options.bitsPerSample == 16) {
                const std::uint16_t wide = static_cast<std::uint16_t>(v * 257);
                std::memcpy(p, &wide, 2);
                p += 2;
            } else {
                *p++ = v;
            }
        }
        return p;
    }
};

bool writeTiffPage(TIFF* tif, std::uint32_t width, std::uint32_t height, const TiffSamples& samples) {
    const TiffOptions& o = samples.options;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples.count());
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, o.bitsPerSample);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, o.separatePlanes ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, o.grey ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, o.compression);
    if (o.alphaKind != TiffAlpha::kNone) {
        const std::uint16_t kind =
            o.alphaKind == TiffAlpha::kAssociated ? EXTRASAMPLE_ASSOCALPHA : EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &kind);
    }
    const int planes = o.separatePlanes ? samples.count() : 1;
    const int perPixel = o.separatePlanes ? 1 : samples.count();
    if (o.tileWidth == 0) {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, o.rowsPerStrip);
        std::vector<unsigned char> row(static_cast<std::size_t>(TIFFScanlineSize(tif)));
        for (int plane = 0; plane < planes; ++plane) {
            for (std::uint32_t y = 0; y < height; ++y) {
                unsigned char* p = row.data();
                for (std::uint32_t x = 0; x < width; ++x) p = samples.put(p, x, y, plane, perPixel);
                if (TIFFWriteScanline(tif, row.data(), y, static_cast<std::uint16_t>(plane)) < 0) return false;
            }
        }
        return TIFFWriteDirectory(tif) != 0;
    }
    TIFFSetField(tif, TIFFTAG_TILEWIDTH, o.tileWidth);
    TIFFSetField(tif, TIFFTAG_TILELENGTH, o.tileLength);
    std::vector<unsigned char> tile(static_cast<std::size_t>(TIFFTileSize(tif)));
    const std::size_t rowBytes = tile.size() / o.tileLength;
    for (int plane = 0; plane < planes; ++plane) {
        for (std::uint32_t ty = 0; ty < height; ty += o.tileLength) {
            for (std::uint32_t tx = 0; tx < width; tx += o.tileWidth) {
                std::fill(tile.begin(), tile.end(), 0);
                for (std::uint32_t r = 0; r < o.tileLength && ty + r < height; ++r) {
                    unsigned char* p = tile.data() + r * rowBytes;
                    for (std::uint32_t c = 0; c < o.tileWidth && tx + c < width; ++c) {
                        p = samples.put(p, tx + c, ty + r, plane, perPixel);
                    }
                }
                const ttile_t index = TIFFComputeTile(tif, tx, ty, 0, static_cast<std::uint16_t>(plane));
                if (TIFFWriteEncodedTile(tif, index, tile.data(), static_cast<tmsize_t>(tile.size())) < 0) return false;
            }
        }
    }
    return TIFFWriteDirectory(tif) != 0;
}

}  // namespace

bool writePngFile(const std::string& path, std::uint32_t width, std::uint32_t height, const PixelFunction& pixel,
                  const AlphaFunction& alpha) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    const std::vector<unsigned char> rgb = rgbRows(width, height, pixel);
    if (!alpha) return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
    std::vector<unsigned char> rgba;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const unsigned char* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            rgba.insert(rgba.end(), {p[0], p[1], p[2], alpha(x, y)});
        }
    }
    return png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
}

bool writeJpegFile(const std::string& path, std::uint32_t width, std::uint32_t height, const PixelFunction& pixel,
                   const JpegOptions& options) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f);
    info.image_width = width;
    info.image_height = height;
    info.input_components = options.grey ? 1 : 3;
    info.in_color_space = options.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 98, TRUE);
    if (!options.subsampled) {
        for (int i = 0; i < info.num_components; ++i) {
            info.comp_info[i].h_samp_factor = 1;
            info.comp_info[i].v_samp_factor = 1;
        }
    }
    if (options.progressive) jpeg_simple_progression(&info);
    info.arith_code = options.arithmetic ? TRUE : FALSE;
    info.restart_in_rows = static_cast<int>(options.restartRows);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> rgb = rgbRows(width, height, pixel);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    while (info.next_scanline < height) {
        const unsigned char* source = &rgb[static_cast<std::size_t>(info.next_scanline) * width * 3];
        for (std::uint32_t x = 0; x < width; ++x) {
            if (options.grey) {
                row[x] = source[x * 3];
            } else {
                std::memcpy(&row[x * 3], source + x * 3, 3);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(f) == 0;
}

std::vector<std::uint8_t> decodeJpegAsLibraryDefaults(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return {};
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, f);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(info.output_width) * info.output_height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {&rgb[static_cast<std::size_t>(info.output_scanline) * info.output_width * 3]};
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(f);
    return rgb;
}

bool writeTiffFile(const std::string& path, std::uint32_t width, std::uint32_t height, const PixelFunction& pixel,
                   const TiffOptions& options) {
    TIFF* tif = TIFFOpen(path.c_str(), options.bigEndian ? "wb" : "wl");
    if (!tif) return false;
    const TiffSamples samples{pixel, options};
    bool ok = true;
    for (int page = 0; page < options.pages && ok; ++page) ok = writeTiffPage(tif, width, height, samples);
    TIFFClose(tif);
    return ok;
}

}  // namespace sc::testing
