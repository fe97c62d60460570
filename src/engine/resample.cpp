// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/resample.h"

#include <algorithm>

#include "engine/canvas.h"
#include "engine/numeric.h"

namespace sc {
namespace {

inline double lerp2(double a, double b, double c, double d, double wx, double wy) {
    const double top = a + (b - a) * wx;
    const double bottom = c + (d - c) * wx;
    return top + (bottom - top) * wy;
}

inline std::uint8_t lerpByte(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d, double wx, double wy) {
    return truncToByte(lerp2(a, b, c, d, wx, wy));
}

}  // namespace

bool resample(Canvas& canvas, std::uint32_t newWidth, std::uint32_t newHeight) {
    if (!canvas.hasCells() || newWidth == 0 || newHeight == 0 || canvas.width == 0 || canvas.height == 0) return false;
    Canvas scratch;
    if (!scratch.allocate(newWidth, newHeight)) return false;

    const std::uint32_t oldW = canvas.width;
    const std::uint32_t oldH = canvas.height;
    const float ratioX = static_cast<float>(static_cast<double>(oldW) / newWidth);
    const float ratioY = static_cast<float>(static_cast<double>(oldH) / newHeight);
    for (std::uint32_t i = 0; i < newWidth; ++i) {
        const double fx = static_cast<double>(i) * ratioX;
        // The product never passes the old grid; the clamp only guards the index.
        const std::uint32_t sx = std::min(static_cast<std::uint32_t>(fx), oldW - 1);
        const double wx = fx - sx;
        const bool hasRight = sx < oldW - 1;
        for (std::uint32_t j = 0; j < newHeight; ++j) {
            const double fy = static_cast<double>(j) * ratioY;
            const std::uint32_t sy = std::min(static_cast<std::uint32_t>(fy), oldH - 1);
            const double wy = fy - sy;
            const bool hasBelow = sy < oldH - 1;
            const PaintCell& a = canvas.at(sx, sy);
            const PaintCell& b = hasRight ? canvas.at(sx + 1, sy) : a;
            const PaintCell& d = hasRight && hasBelow ? canvas.at(sx + 1, sy + 1) : a;
            const PaintCell& c = hasBelow ? canvas.at(sx, sy + 1) : a;
            PaintCell& out = scratch.at(i, j);
            out.red = lerpByte(a.red, b.red, c.red, d.red, wx, wy);
            out.green = lerpByte(a.green, b.green, c.green, d.green, wx, wy);
            out.blue = lerpByte(a.blue, b.blue, c.blue, d.blue, wx, wy);
            out.grain = lerpByte(a.grain, b.grain, c.grain, d.grain, wx, wy);
            out.shine = lerpByte(a.shine, b.shine, c.shine, d.shine, wx, wy);
            out.height = static_cast<float>(lerp2(a.height, b.height, c.height, d.height, wx, wy));
        }
    }
    // The scratch grid, with its fresh white picture, becomes the canvas's.
    canvas.swapCells(scratch);
    return true;
}

}  // namespace sc
