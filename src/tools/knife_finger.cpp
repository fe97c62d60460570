// The Knife scrapes the relief toward flat while laying colour like the Paint
// Brush; the Finger drags paint inward from cells farther out. Both do
// nothing when the centre lies outside the grid.
#include "engine/canvas.h"
#include "tools/grain_sampling.h"
#include "tools/tool_frame.h"
#include "tools/tool_routines.h"

namespace sc {

using frame::laidHeight;
using frame::lerpByte;

namespace {

// Where the Finger takes paint from: 1.9 times as far from the pointer as the
// cell, computed in single precision and clamped into [0, limit).
inline std::int64_t fingerSource(std::int64_t c, std::int64_t centre, std::uint32_t limit) {
    const float pull = static_cast<float>((c - centre) * static_cast<double>(0.9f));
    const std::int32_t s = truncToInt(static_cast<float>(c + static_cast<double>(pull)));
    if (s < 0) return 0;
    if (static_cast<std::uint32_t>(s) >= limit) return static_cast<std::int64_t>(limit) - 1;
    return s;
}

}  // namespace

void knife(Canvas& canvas, int x, int y, BrushSettings s) {
    if (!canvas.hasCells() || !frame::insideGrid(canvas, x, y)) return;
    const int r = frame::brushRadius(s);
    const ToolState& ts = toolState();
    const GrainSampler style(styleImage(s.paintStyle), ts.styleOffset.x, ts.styleOffset.y);
    const GrainSampler texture(textureImage(s.texture), ts.textureOffset.x, ts.textureOffset.y);
    frame::forEachBrushCellRowWise(canvas, x, y, r, [&](PaintCell& c, float m, std::int64_t cx, std::int64_t cy) {
        const float a = static_cast<float>(static_cast<double>(m) * s.strength);
        const std::uint8_t tex = s.texture != 0 ? texture.at(texture.column(cx), texture.row(cy)) : 0;
        const int t = s.texture != 0 ? tex : 255;
        const float f = static_cast<float>((t * static_cast<double>(kInv255)) * a);
        c.red = lerpByte(c.red, s.red, f);
        c.green = lerpByte(c.green, s.green, f);
        c.blue = lerpByte(c.blue, s.blue, f);
        c.grain = lerpByte(c.grain, style.at(style.column(cx), style.row(cy)), f);
        c.shine = lerpByte(c.shine, s.shine, f);
        // Shave the old relief by half of f toward 0, then lay a fresh layer.
        const double h = c.height;
        c.height = static_cast<float>(h - 0.5 * h * f + laidHeight(s, 0.5 * a, tex));
    });
    frame::renderSquare(canvas, x, y, r);
}

void finger(Canvas& canvas, int x, int y, BrushSettings s) {
    if (!canvas.hasCells() || !frame::insideGrid(canvas, x, y)) return;
    const int r = frame::brushRadius(s);
    const ToolState& ts = toolState();
    const GrainSampler texture(textureImage(s.texture), ts.textureOffset.x, ts.textureOffset.y);
    std::int64_t lastColumn = -1;
    std::int64_t sx = 0;
    // Cells change in place in visiting order, so a source already visited in
    // this application gives its new values: the smear depends on that order.
    frame::forEachBrushCell(canvas, x, y, r, [&](PaintCell& c, float m, std::int64_t cx, std::int64_t cy) {
        if (cx != lastColumn) {
            sx = fingerSource(cx, x, canvas.width);
            lastColumn = cx;
        }
        const std::int64_t sy = fingerSource(cy, y, canvas.height);
        const PaintCell source = canvas.at(static_cast<std::uint32_t>(sx), static_cast<std::uint32_t>(sy));
        const float a = static_cast<float>(static_cast<double>(m) * s.strength);
        const int t = s.texture != 0 ? texture.at(texture.column(cx), texture.row(cy)) : 255;
        const double f = (t * static_cast<double>(kInv255)) * a;  // kept in double
        c.red = lerpByte(c.red, source.red, f);
        c.green = lerpByte(c.green, source.green, f);
        c.blue = lerpByte(c.blue, source.blue, f);
        c.grain = lerpByte(c.grain, source.grain, f);
        c.shine = lerpByte(c.shine, source.shine, f);
        const double h = c.height;
        c.height = static_cast<float>(h + (source.height - h) * f);
    });
    frame::renderSquare(canvas, x, y, r);
}

}  // namespace sc
