// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame the masked tools share: the brush square around the centre, the
// mask weight of each cell in it, the byte blend and the closing render.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "engine/canvas.h"
#include "engine/numeric.h"
#include "engine/renderer.h"
#include "engine/worker_pool.h"
#include "tools/tool_outcome.h"
#include "tools/brush_mask.h"
#include "tools/tools.h"

namespace sc::frame {

inline bool insideGrid(const Canvas& canvas, std::int64_t x, std::int64_t y) {
    return x >= 0 && y >= 0 && x < canvas.width && y < canvas.height;
}

// The brush radius the tools index the mask with. The settings keep size in
// 1..100; the clamp keeps a stray value from reading beyond the mask.
inline int brushRadius(const BrushSettings& s) { return clampInt(s.size, 1, kMaxBrushSize); }

// A byte moved toward target by factor k; the low 8 bits of the truncation.
inline std::uint8_t lerpByte(int value, int target, double k) { return truncToByte(value + (target - value) * k); }

// The square of columns x rows cells that a tool is about to change is then
// rendered; when the workers will share that render, those asleep are woken
// now, so that they are running by the time the cells are done.
inline void prepareSharedRender(std::int64_t columns, std::int64_t rows) {
    if (static_cast<std::uint64_t>(columns * rows) >= kSharedRenderCells) wakeWorkers();
}

// Visits the cells of the square [x - r, x + r) x [y - r, y + r) that lie in
// the grid and whose weight in the mask is above 0: columns outer, rows inner. The
// visitor gets the cell, its weight m and its position (cx, cy).
template <class Visit>
void forEachBrushCell(const BrushMask& mask, Canvas& canvas, std::int64_t x, std::int64_t y, int r, Visit&& visit) {
    const std::int64_t x0 = std::max<std::int64_t>(x - r, 0);
    const std::int64_t x1 = std::min<std::int64_t>(x + r, canvas.width);
    const std::int64_t y0 = std::max<std::int64_t>(y - r, 0);
    const std::int64_t y1 = std::min<std::int64_t>(y + r, canvas.height);
    if (x0 >= x1 || y0 >= y1) return;
    prepareSharedRender(x1 - x0, y1 - y0);
    const float* weights = mask.weights.data();
    PaintCell* cells = canvas.cells();
    const std::int64_t stride = canvas.width;
    for (std::int64_t cx = x0; cx < x1; ++cx) {
        const float* column = weights + (cx - x + r) + (y0 - y + r) * kMaskSide;
        PaintCell* cell = cells + y0 * stride + cx;
        for (std::int64_t cy = y0; cy < y1; ++cy, column += kMaskSide, cell += stride) {
            const float m = *column;
            if (!(m > 0.0f)) continue;
            visit(*cell, m, cx, cy);
        }
    }
}

// The rows of the square [x - r, x + r) x [y - r, y + r) clipped to the
// grid, top to bottom: visit(cells, weights, cx0, count, cy) gets the row's
// first cell in the square, the mask weights of its cells, its first column
// and the number of cells.
template <class Visit>
void forEachBrushRow(const BrushMask& mask, Canvas& canvas, std::int64_t x, std::int64_t y, int r, Visit&& visit) {
    const std::int64_t x0 = std::max<std::int64_t>(x - r, 0);
    const std::int64_t x1 = std::min<std::int64_t>(x + r, canvas.width);
    const std::int64_t y0 = std::max<std::int64_t>(y - r, 0);
    const std::int64_t y1 = std::min<std::int64_t>(y + r, canvas.height);
    if (x0 >= x1 || y0 >= y1) return;
    prepareSharedRender(x1 - x0, y1 - y0);
    const float* weights = mask.weights.data();
    PaintCell* cells = canvas.cells();
    const std::int64_t stride = canvas.width;
    for (std::int64_t cy = y0; cy < y1; ++cy)
        visit(cells + cy * stride + x0, weights + (cy - y + r) * kMaskSide + (x0 - x + r), x0,
              static_cast<std::uint32_t>(x1 - x0), cy);
}

// The same cells as forEachBrushCell for tools whose update of a cell reads
// and writes only that cell: the order cannot change their result, so rows
// are walked outer, which follows the memory of the cells, the mask and the
// grain images.
template <class Visit>
void forEachBrushCellRowWise(const BrushMask& mask, Canvas& canvas, std::int64_t x, std::int64_t y, int r,
                             Visit&& visit) {
    forEachBrushRow(mask, canvas, x, y, r,
                    [&](PaintCell* cell, const float* weights, std::int64_t x0, std::uint32_t count, std::int64_t cy) {
                        for (std::uint32_t i = 0; i < count; ++i) {
                            const float m = weights[i];
                            if (!(m > 0.0f)) continue;
                            visit(cell[i], m, x0 + i, cy);
                        }
                    });
}

// renderRect of the brush square; the edges are clamped to the int range
// (renderRect clips to the grid anyway) so no sum overflows. Returns the
// cells rendered: the square clipped to the grid.
inline CellRect renderSquare(Canvas& canvas, std::int64_t x, std::int64_t y, int r) {
    auto edge = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                                  std::numeric_limits<std::int32_t>::max()));
    };
    renderRect(canvas, edge(x - r), edge(y - r), edge(x + r), edge(y + r));
    if (!canvas.hasCells()) return {};
    auto clip = [&](std::int64_t v, std::uint32_t limit) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, 0, limit));
    };
    return {clip(x - r, canvas.width), clip(y - r, canvas.height), clip(x + r, canvas.width),
            clip(y + r, canvas.height)};
}

// The height a texture lets a tool lay: k * thickness when smooth, else
// (T * 0.001) * (k * thickness) with 0.001 as a single-precision constant.
inline double laidHeight(bool textured, float thickness, double k, std::uint8_t textureSample) {
    if (!textured) return k * thickness;
    return (textureSample * static_cast<double>(0.001f)) * (k * thickness);
}
inline double laidHeight(const BrushSettings& s, double k, std::uint8_t textureSample) {
    return laidHeight(s.texture != 0, s.thickness, k, textureSample);
}

}  // namespace sc::frame
