// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bilinear resampling of the whole cell grid (Image Size).
#include <cstdint>

namespace sc {

class Canvas;

// Resizes the canvas to newWidth x newHeight (each at least 1), interpolating
// every cell field. Returns false, leaving the canvas untouched, when the new
// grid cannot be allocated or a size is 0. `rendered` is not changed.
bool resample(Canvas& canvas, std::uint32_t newWidth, std::uint32_t newHeight);

}  // namespace sc
