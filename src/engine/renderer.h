#pragma once
// Turns cells into lit relief pixels of the canvas surface.
#include <cstdint>

namespace sc {

class Canvas;

// Renders cell (x, y); the caller guarantees x < width, y < height and cells.
void renderCell(Canvas& canvas, std::uint32_t x, std::uint32_t y);
// Renders [x0, x1) x [y0, y1) clipped to the grid; does not touch `rendered`.
void renderRect(Canvas& canvas, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);
// Renders every cell, then marks the canvas rendered.
void renderAll(Canvas& canvas);

}  // namespace sc
