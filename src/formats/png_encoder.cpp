// SPDX-License-Identifier: GPL-3.0-or-later
// PNG through libpng, into memory.
#include <png.h>

#include <csetjmp>
#include <new>

#include "formats/picture_encoders.h"

namespace sc {
namespace {

// Where the library's output goes. Running out of memory is noted, never
// thrown through the library.
struct Output {
    std::vector<std::uint8_t>& bytes;
    bool failed = false;
};

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Output*>(png_get_io_ptr(png));
    if (out->failed) return;
    try {
        out->bytes.insert(out->bytes.end(), data, data + length);
    } catch (const std::bad_alloc&) {
        out->failed = true;
    }
}

void flushNothing(png_structp) {}

// libpng's limit of a side (its user limit defaults to 1000000).
constexpr std::uint32_t kMaxSide = 1000000;

}  // namespace

bool encodePng(const RgbPicture& picture, std::vector<std::uint8_t>& out) {
    if (picture.width == 0 || picture.height == 0 || picture.width > kMaxSide || picture.height > kMaxSide ||
        picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * 3) {
        return false;
    }
    out.clear();
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    // The library jumps back here when it gives up.
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    Output output{out};
    png_set_write_fn(png, &output, appendBytes, flushNothing);
    png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        // libpng takes a non-const row pointer but only reads it.
        auto* row = const_cast<std::uint8_t*>(picture.rgb.data() + static_cast<std::size_t>(y) * picture.width * 3);
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return !output.failed;
}

}  // namespace sc
