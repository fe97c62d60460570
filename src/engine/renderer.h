// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns cells into lit relief pixels of the canvas surface.
#include <cstdint>

namespace sc {

class Canvas;

// Renders of at least this many cells are shared by the worker pool in bands
// of rows; smaller ones cost more to share than they save.
inline constexpr std::uint64_t kSharedRenderCells = 2048;
// The fewest rows a band of a shared render holds when there are rows to
// spare: each band reads the grain rows its lookups reach before its first.
// Work on the cells of a rectangle about to be rendered can be cut into the
// same bands (forEachRowBand with these two limits), so that each thread then
// mostly renders cells it has just written itself.
inline constexpr std::uint32_t kSharedRenderBandRows = 64;

// Renders cell (x, y); the caller guarantees x < width, y < height and cells.
void renderCell(Canvas& canvas, std::uint32_t x, std::uint32_t y);
// Renders [x0, x1) x [y0, y1) clipped to the grid; does not touch `rendered`.
void renderRect(Canvas& canvas, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);
// Renders every cell, then marks the canvas rendered.
void renderAll(Canvas& canvas);

}  // namespace sc
