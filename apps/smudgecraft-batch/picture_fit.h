// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A rendered picture made to fit a square, for thumbnails: each pixel of the
// smaller picture is the average of the area of the original it covers
// (partly covered pixels count by the part they cover), so fine grain and
// thin strokes blend instead of flickering in and out as a sampled picture
// would. A picture that fits already is kept at its size, never enlarged.
#include <cstdint>

#include "formats/picture_encoders.h"

namespace sc {

class Surface;

// The size that fits width x height within side x side, keeping the shape;
// each side at least 1.
void fittedSize(std::uint32_t width, std::uint32_t height, std::uint32_t side, std::uint32_t& fitWidth,
                std::uint32_t& fitHeight);

// The surface's picture fitted within side x side.
RgbPicture fitPicture(const Surface& surface, std::uint32_t side);

}  // namespace sc
