// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One-pixel lines as the desktop's MoveTo/LineTo draw them.
#include <cstdint>

namespace sc {

class Surface;

// Draws a line from (x0, y0) toward (x1, y1), end point excluded, in the
// given colour; pixels outside the surface are skipped. Exact midpoints are
// resolved per octant as the desktop's line drawing does.
void drawLine(Surface& surface, int x0, int y0, int x1, int y1, std::uint8_t red, std::uint8_t green,
              std::uint8_t blue);

}  // namespace sc
