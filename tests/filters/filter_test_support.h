// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small canvases for the filter tests.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "engine/canvas.h"
#include "engine/paint_cell.h"
#include "tools/tool_state.h"

namespace sc::test {

inline PaintCell cellOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t grain = 0,
                        std::uint8_t shine = 0, float height = 0.0f) {
    PaintCell c;
    c.red = red;
    c.green = green;
    c.blue = blue;
    c.grain = grain;
    c.shine = shine;
    c.height = height;
    return c;
}

// A one-row canvas holding these cells, its surface white.
inline void fillRow(Canvas& canvas, std::initializer_list<PaintCell> cells) {
    canvas.allocate(static_cast<std::uint32_t>(cells.size()), 1);
    std::uint32_t x = 0;
    for (const PaintCell& c : cells) canvas.at(x++, 0) = c;
}

// Runs `filter` on a single cell and returns the result.
inline PaintCell filtered(void (*filter)(Canvas&), const PaintCell& cell) {
    Canvas canvas;
    fillRow(canvas, {cell});
    filter(canvas);
    return canvas.at(0, 0);
}
// The same for a filter that reads the tools' record.
inline PaintCell filtered(void (*filter)(Canvas&, const ToolState&), const PaintCell& cell, const ToolState& tools) {
    Canvas canvas;
    fillRow(canvas, {cell});
    filter(canvas, tools);
    return canvas.at(0, 0);
}

inline std::vector<PaintCell> cellsOf(const Canvas& canvas) {
    return std::vector<PaintCell>(canvas.cells(), canvas.cells() + canvas.cellCount());
}

// Bit-for-bit equality, so NaN heights compare equal to themselves.
inline bool sameCells(const std::vector<PaintCell>& a, const std::vector<PaintCell>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(PaintCell)) == 0);
}

}  // namespace sc::test
