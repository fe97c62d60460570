// SPDX-License-Identifier: GPL-3.0-or-later
// Raise, Lower, Shine, Matte, Brighten and Darken: tools that rework paint
// already laid. They read only size and strength from the settings and do
// nothing at all when the centre lies outside the grid.
#include "engine/canvas.h"
#include "tools/tool_frame.h"
#include "tools/tool_routines.h"

namespace sc {

using frame::lerpByte;

namespace {

// Runs `rule(cell, m)` over the brush square when the centre is on the grid.
// Each rule reads and writes only its own cell, so rows may be walked outer.
template <class Rule>
CellRect reworkSquare(const ToolState& tools, Canvas& canvas, int x, int y, const BrushSettings& s, Rule&& rule) {
    if (!canvas.hasCells() || !frame::insideGrid(canvas, x, y)) return {};
    const int r = frame::brushRadius(s);
    frame::forEachBrushCellRowWise(tools.mask, canvas, x, y, r,
                                   [&](PaintCell& c, float m, std::int64_t, std::int64_t) { rule(c, m); });
    return frame::renderSquare(canvas, x, y, r);
}

// Raise, Lower, Brighten and Darken use the product unrounded.
inline double exactAmount(float m, const BrushSettings& s) { return static_cast<double>(m) * s.strength; }
// Shine and Matte round it to a float.
inline float roundedAmount(float m, const BrushSettings& s) { return static_cast<float>(exactAmount(m, s)); }

inline std::uint8_t brighten(std::uint8_t c, double a) {
    // Toward double the channel: black moves toward 10, 128 and up toward 255.
    const int target = clampInt(2 * c, 10, 255);
    return lerpByte(c, target, a);
}

}  // namespace

CellRect raiseTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    return reworkSquare(tools, canvas, x, y, s, [&](PaintCell& c, float m) {
        // Bare canvas (height exactly 0) is left alone.
        if (c.height != 0.0f) c.height = static_cast<float>(c.height + exactAmount(m, s));
    });
}

CellRect lowerTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    return reworkSquare(tools, canvas, x, y, s, [&](PaintCell& c, float m) {
        const double a = exactAmount(m, s);
        // No lower bound: a cell below zero keeps going down.
        if (c.height != 0.0f && a > 0.0) c.height = static_cast<float>(c.height - a);
    });
}

CellRect shineTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    return reworkSquare(tools, canvas, x, y, s,
                        [&](PaintCell& c, float m) { c.grain = lerpByte(c.grain, 200, roundedAmount(m, s)); });
}

CellRect matteTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    return reworkSquare(tools, canvas, x, y, s,
                        [&](PaintCell& c, float m) { c.grain = lerpByte(c.grain, 0, roundedAmount(m, s)); });
}

CellRect brightenTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    return reworkSquare(tools, canvas, x, y, s, [&](PaintCell& c, float m) {
        const double a = exactAmount(m, s);
        c.red = brighten(c.red, a);
        c.green = brighten(c.green, a);
        c.blue = brighten(c.blue, a);
    });
}

CellRect darkenTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    return reworkSquare(tools, canvas, x, y, s, [&](PaintCell& c, float m) {
        const double a = exactAmount(m, s);
        c.red = lerpByte(c.red, c.red / 2, a);
        c.green = lerpByte(c.green, c.green / 2, a);
        c.blue = lerpByte(c.blue, c.blue / 2, a);
    });
}

}  // namespace sc
