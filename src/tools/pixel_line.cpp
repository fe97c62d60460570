// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/pixel_line.h"

#include <cstdlib>

#include "engine/surface.h"

namespace sc {
namespace {

// Octants 1..8 counterclockwise from the positive x axis, with y downward as
// on the screen: 1 is x-major going right and down.
int octantOf(long long dx, long long dy) {
    if (dy > 0) {
        if (dx > 0) return dx > dy ? 1 : 2;
        return -dx > dy ? 4 : 3;
    }
    if (dx < 0) return -dx > -dy ? 5 : 6;
    return dx > -dy ? 8 : 7;
}

}  // namespace

void drawLine(Surface& surface, int x0, int y0, int x1, int y1, std::uint8_t red, std::uint8_t green,
              std::uint8_t blue) {
    const long long dx = static_cast<long long>(x1) - x0;
    const long long dy = static_cast<long long>(y1) - y0;
    const long long adx = std::llabs(dx);
    const long long ady = std::llabs(dy);
    const bool xMajor = adx > ady;
    const long long major = xMajor ? adx : ady;
    const long long minor = xMajor ? ady : adx;
    const int xStep = dx > 0 ? 1 : -1;
    const int yStep = dy > 0 ? 1 : -1;
    // On an exact midpoint the minor coordinate steps early in octants 3, 5,
    // 6 and 8 and late in the others.
    const int octant = octantOf(dx, dy);
    const long long bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;

    long long err = 2 * minor - major;
    long long x = x0;
    long long y = y0;
    for (long long i = 0; i < major; ++i) {
        if (x >= 0 && y >= 0)
            surface.setPixel(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), red, green, blue);
        if (err + bias > 0) {
            if (xMajor) y += yStep;
            else x += xStep;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
        if (xMajor) x += xStep;
        else y += yStep;
    }
}

}  // namespace sc
