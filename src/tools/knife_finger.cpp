// The Knife scrapes the relief toward flat while laying colour like the Paint
// Brush; the Finger drags paint inward from cells farther out. Both do
// nothing when the centre lies outside the grid.
#include <algorithm>
#include <array>

#include "engine/canvas.h"
#include "tools/grain_sampling.h"
#include "tools/laying.h"
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
    // Shaves the old relief by half of the factor toward 0, then lays a fresh layer.
    laySquare(canvas, x, y, r, layingRule(LayingTool::kKnife, s, 0.0), style, texture);
    frame::renderSquare(canvas, x, y, r);
}

void finger(Canvas& canvas, int x, int y, BrushSettings s) {
    if (!canvas.hasCells() || !frame::insideGrid(canvas, x, y)) return;
    const int r = frame::brushRadius(s);
    const ToolState& ts = toolState();
    const GrainSampler texture(textureImage(s.texture), ts.textureOffset.x, ts.textureOffset.y);
    const Surface& image = texture.image();
    const bool textured = s.texture != 0;
    // What depends only on the row, worked out once for the square's rows:
    // the source row, and the texture's row (null where it reads 0).
    const std::int64_t firstRow = std::max<std::int64_t>(static_cast<std::int64_t>(y) - r, 0);
    const std::int64_t endRow = std::min<std::int64_t>(static_cast<std::int64_t>(y) + r, canvas.height);
    std::array<const PaintCell*, kMaskSide> sourceRows{};
    std::array<const std::uint8_t*, kMaskSide> textureRows{};
    for (std::int64_t cy = firstRow; cy < endRow; ++cy) {
        sourceRows[cy - firstRow] = &canvas.at(0, static_cast<std::uint32_t>(fingerSource(cy, y, canvas.height)));
        const std::uint32_t v = texture.row(cy);
        textureRows[cy - firstRow] = image.valid() && v < image.height() ? image.pixelAddress(0, v) : nullptr;
    }
    std::int64_t lastColumn = -1;
    std::int64_t sx = 0;
    std::int64_t textureByte = -1;  // the red byte of the column in a texture row; -1 outside the image
    // Cells change in place in visiting order, so a source already visited in
    // this application gives its new values: the smear depends on that order.
    frame::forEachBrushCell(canvas, x, y, r, [&](PaintCell& c, float m, std::int64_t cx, std::int64_t cy) {
        if (cx != lastColumn) {
            sx = fingerSource(cx, x, canvas.width);
            const std::uint32_t u = texture.column(cx);
            textureByte = image.valid() && u < image.width() ? static_cast<std::int64_t>(u) * image.bytesPerPixel() + 2 : -1;
            lastColumn = cx;
        }
        const PaintCell source = sourceRows[cy - firstRow][sx];
        const float a = static_cast<float>(static_cast<double>(m) * s.strength);
        const std::uint8_t* textureRow = textureRows[cy - firstRow];
        const int t = !textured ? 255 : textureRow != nullptr && textureByte >= 0 ? textureRow[textureByte] : 0;
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
