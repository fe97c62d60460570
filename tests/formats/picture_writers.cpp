#include "formats/picture_writers.h"

#include <cstdio>
#include <vector>

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

}  // namespace

bool writePngFile(const std::string& path, std::uint32_t width, std::uint32_t height, const PixelFunction& pixel) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGB;
    const std::vector<unsigned char> rgb = rgbRows(width, height, pixel);
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

bool writeJpegFile(const std::string& path, std::uint32_t width, std::uint32_t height, const PixelFunction& pixel) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 98, TRUE);
    for (int i = 0; i < info.num_components; ++i) {
        info.comp_info[i].h_samp_factor = 1;
        info.comp_info[i].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> rgb = rgbRows(width, height, pixel);
    while (info.next_scanline < height) {
        JSAMPROW row = &rgb[static_cast<std::size_t>(info.next_scanline) * width * 3];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(f) == 0;
}

bool writeTiffFile(const std::string& path, std::uint32_t width, std::uint32_t height, const PixelFunction& pixel,
                   int pages, std::uint32_t rowsPerStrip) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (!tif) return false;
    std::vector<unsigned char> rgb = rgbRows(width, height, pixel);
    bool ok = true;
    for (int page = 0; page < pages && ok; ++page) {
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
        for (std::uint32_t y = 0; y < height && ok; ++y) {
            ok = TIFFWriteScanline(tif, &rgb[static_cast<std::size_t>(y) * width * 3], y, 0) >= 0;
        }
        ok = ok && TIFFWriteDirectory(tif) != 0;
    }
    TIFFClose(tif);
    return ok;
}

}  // namespace sc::testing
