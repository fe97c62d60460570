// SPDX-License-Identifier: GPL-3.0-or-later
// PNG pictures through libpng: every colour type and depth, interlaced or
// not, arrives as 8-bit RGB; alpha is dropped, so colours under it arrive as
// stored. Samples arrive as stored too: a gamma or colour-space chunk
// changes nothing.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "formats/picture_readers.h"

namespace sc {
namespace {

// Deflate expands at most 1032-fold (a 258-byte match in two bits).
constexpr std::uint64_t kDeflateExpansion = 1032;
constexpr std::uint64_t kDeflateSlack = 1024;

std::uint32_t bigU32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// The compressed picture data a file holds: the sum of its IDAT chunks'
// lengths, counting only chunks that lie inside the file.
std::uint64_t compressedBytes(const std::uint8_t* d, std::size_t size) {
    std::uint64_t total = 0;
    for (std::size_t pos = 8; size - pos >= 12;) {
        const std::uint32_t length = bigU32(d + pos);
        if (length > size - pos - 12) break;
        if (std::memcmp(d + pos + 4, "IDAT", 4) == 0) total += length;
        pos += 12 + static_cast<std::size_t>(length);
    }
    return total;
}

struct Source {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

void readBytes(png_structp png, png_bytep out, png_size_t length) {
    auto* src = static_cast<Source*>(png_get_io_ptr(png));
    if (length > src->size - src->pos) png_error(png, "cut short");
    std::memcpy(out, src->data + src->pos, length);
    src->pos += length;
}

void stop(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignoreWarning(png_structp, png_const_charp) {}

struct Reader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~Reader() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

// Everything libpng may jump out of: only plain data lives in this frame.
PictureLoadResult decodeRows(Reader& r, Source& src, std::vector<png_bytep>& rows, DecodedRgb& out) {
    if (setjmp(png_jmpbuf(r.png))) return PictureLoadResult::kDamaged;
    png_set_read_fn(r.png, &src, readBytes);
    png_set_user_limits(r.png, 0x7FFFFFFF, 0x7FFFFFFF);
    png_read_info(r.png, r.info);
    const png_uint_32 width = png_get_image_width(r.png, r.info), height = png_get_image_height(r.png, r.info);
    const int depth = png_get_bit_depth(r.png, r.info), type = png_get_color_type(r.png, r.info);
    const int channels = png_get_channels(r.png, r.info);
    // Each row is a filter byte and the packed samples; the compressed data
    // must be able to expand to at least that much.
    const std::uint64_t rowBytes = 1 + (std::uint64_t{width} * channels * depth + 7) / 8;
    const std::uint64_t limit = kDeflateExpansion * compressedBytes(src.data, src.size) + kDeflateSlack;
    if (height > limit / rowBytes) return PictureLoadResult::kDamaged;

    if (depth == 16) png_set_strip_16(r.png);
    if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(r.png);
    if (type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(r.png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(r.png);
    png_set_strip_alpha(r.png);  // an alpha channel, and the one a palette's tRNS would add
    png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    if (png_get_rowbytes(r.png, r.info) != std::size_t{width} * 3) return PictureLoadResult::kUnsupported;

    const PictureLoadResult made = allocateDecoded(width, height, src.size, out);
    if (made != PictureLoadResult::kOk) return made;
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = out.pixels.get() + std::size_t{y} * width * 3;
    png_read_image(r.png, rows.data());
    // Reads on to the end chunk, so a file cut after its pixels counts as damaged too.
    png_read_end(r.png, nullptr);
    return PictureLoadResult::kOk;
}

}  // namespace

PictureLoadResult decodePng(const std::uint8_t* data, std::size_t size, DecodedRgb& out) {
    out = DecodedRgb{};
    Reader r;
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, stop, ignoreWarning);
    if (r.png) r.info = png_create_info_struct(r.png);
    if (!r.info) return PictureLoadResult::kTooLarge;
    Source src{data, size, 0};
    std::vector<png_bytep> rows;
    const PictureLoadResult result = decodeRows(r, src, rows, out);
    if (result != PictureLoadResult::kOk) out = DecodedRgb{};
    return result;
}

}  // namespace sc
