// SPDX-License-Identifier: GPL-3.0-or-later
// Eraser and Sponge: the tools that take paint off. Neither checks the
// centre: a square reaching into the grid still works on the part inside it.
#include "engine/canvas.h"
#include "tools/tool_frame.h"
#include "tools/tool_routines.h"
#include "tools/tool_state.h"

namespace sc {

using frame::lerpByte;

CellRect eraser(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    if (!canvas.hasCells()) return {};
    const int r = frame::brushRadius(s);
    frame::forEachBrushCellRowWise(tools.mask, canvas, x, y, r, [&](PaintCell& c, float m, std::int64_t, std::int64_t) {
        const float a = static_cast<float>(static_cast<double>(m) * s.strength);
        c.red = lerpByte(c.red, 255, a);
        c.green = lerpByte(c.green, 255, a);
        c.blue = lerpByte(c.blue, 255, a);
        c.grain = lerpByte(c.grain, 0, a);
        // Shine only halves at full strength: erased canvas keeps some gloss.
        c.shine = truncToByte((1.0 - 0.5 * a) * c.shine);
        c.height = static_cast<float>((1.0 - a) * c.height);
    });
    return frame::renderSquare(canvas, x, y, r);
}

CellRect sponge(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    if (!canvas.hasCells()) return {};
    const int r = frame::brushRadius(s);
    frame::forEachBrushCellRowWise(tools.mask, canvas, x, y, r, [&](PaintCell& c, float m, std::int64_t, std::int64_t) {
        // At most a quarter of grain and relief per application.
        const float q = static_cast<float>(static_cast<double>(m) * s.strength * 0.25);
        const double f = 1.0 - q;
        c.grain = truncToByte(c.grain * f);
        c.height = static_cast<float>(c.height * f);
    });
    return frame::renderSquare(canvas, x, y, r);
}

}  // namespace sc
