// SPDX-License-Identifier: GPL-3.0-or-later
// Tube Paint, Paint Brush, Spray Paint and Gel Brush: the tools that lay
// colour, grain, shine and height toward the brush's own.
#include "engine/canvas.h"
#include "tools/grain_sampling.h"
#include "tools/laying.h"
#include "tools/program_random.h"
#include "tools/tool_frame.h"
#include "tools/tool_routines.h"
#include "tools/tool_state.h"

namespace sc {

using frame::laidHeight;
using frame::lerpByte;

namespace {

// The style and texture images of the settings, seen through the current offsets.
struct GrainPair {
    GrainSampler style;
    GrainSampler texture;
    GrainPair(const ToolState& tools, const BrushSettings& s)
        : style(styleImage(tools, s.paintStyle), tools.styleOffset.x, tools.styleOffset.y),
          texture(textureImage(tools, s.texture), tools.textureOffset.x, tools.textureOffset.y) {}

    std::uint8_t textureAt(std::int64_t cx, std::int64_t cy) const {
        return texture.at(texture.column(cx), texture.row(cy));
    }
};

// The per-cell amount: mask weight times strength, rounded to a float.
inline float amount(float m, const BrushSettings& s) { return static_cast<float>(static_cast<double>(m) * s.strength); }

}  // namespace

CellRect tubePaint(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    if (!canvas.hasCells() || !frame::insideGrid(canvas, x, y)) return {};
    const int r = frame::brushRadius(s);
    const GrainPair grain(tools, s);
    laySquare(tools.mask, canvas, x, y, r, layingRule(LayingTool::kTubePaint, s, canvas.at(x, y).height), grain.style,
              grain.texture, tools.rowLaid);
    return frame::renderSquare(canvas, x, y, r);
}

CellRect paintBrush(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    if (!canvas.hasCells() || !frame::insideGrid(canvas, x, y)) return {};
    const int r = frame::brushRadius(s);
    const GrainPair grain(tools, s);
    laySquare(tools.mask, canvas, x, y, r, layingRule(LayingTool::kPaintBrush, s, canvas.at(x, y).height), grain.style,
              grain.texture, tools.rowLaid);
    return frame::renderSquare(canvas, x, y, r);
}

CellRect sprayPaint(ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    // No centre check: a square reaching into the grid still sprays there.
    if (!canvas.hasCells()) return {};
    const int r = frame::brushRadius(s);
    constexpr double kThird = 1.0f / 3000.0f;
    ProgramRandom& random = tools.random;
    frame::forEachBrushCell(tools.mask, canvas, x, y, r, [&](PaintCell& c, float m, std::int64_t, std::int64_t) {
        // One draw per sprayed cell, in visiting order (columns outer).
        const int n = random.next() % 1000;
        const double k = amount(m, s) * (n * kThird);
        c.red = lerpByte(c.red, s.red, k);
        c.green = lerpByte(c.green, s.green, k);
        c.blue = lerpByte(c.blue, s.blue, k);
        c.grain = lerpByte(c.grain, 0, k);
        c.shine = lerpByte(c.shine, s.shine, k);
    });
    return frame::renderSquare(canvas, x, y, r);
}

CellRect gelBrush(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    if (!canvas.hasCells() || !frame::insideGrid(canvas, x, y)) return {};
    const int r = frame::brushRadius(s);
    const double h0 = canvas.at(x, y).height;
    const GrainPair grain(tools, s);
    frame::forEachBrushCellRowWise(
        tools.mask, canvas, x, y, r, [&](PaintCell& c, float m, std::int64_t cx, std::int64_t cy) {
            const float a = amount(m, s);
            const std::uint8_t t = s.texture != 0 ? grain.textureAt(cx, cy) : 0;
            const double h = c.height;
            c.height = static_cast<float>(h + (h0 - h) * 0.5 * a + laidHeight(s, 0.5 * a, t));
            c.shine = lerpByte(c.shine, s.shine, a);
        });
    return frame::renderSquare(canvas, x, y, r);
}

}  // namespace sc
