// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Encoders of the standard picture files the program writes besides BMP:
// PNG, TIFF and JPEG, each made in memory by its reference library (libpng,
// libtiff, libjpeg) so that a file is written only once it is complete.
#include <cstdint>
#include <vector>

namespace sc {

class Surface;

// A picture as the encoders take it: red, green, blue per pixel, the top row
// first, no padding.
struct RgbPicture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgb;
};

// The surface's picture (3 or 4 bytes per pixel, bottom-up BGR); empty for an
// invalid surface.
RgbPicture rgbPictureOf(const Surface& surface);

// Each gives the whole file in `out`; false (out unspecified) for an empty or
// inconsistent picture, a size the format cannot hold, or a library failure.
// PNG: 8-bit RGB, no metadata. TIFF: 8-bit RGB, LZW with the horizontal
// predictor, one page. JPEG: baseline, full-resolution colour (no chroma
// subsampling), quality 1..100 (clamped).
bool encodePng(const RgbPicture& picture, std::vector<std::uint8_t>& out);
bool encodeTiff(const RgbPicture& picture, std::vector<std::uint8_t>& out);
bool encodeJpeg(const RgbPicture& picture, int quality, std::vector<std::uint8_t>& out);

}  // namespace sc
