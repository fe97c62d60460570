// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Finger's smear over the brush square, in its visiting order (columns
// outer, rows inner): cells change in place, so a source already visited in
// this application gives its new values and the smear depends on that order.
// What depends only on the row (the source row, the texture row) or the
// column is worked out once. The blend of a cell's five bytes toward its
// source is given by the caller: byte by byte (blendBytes below) or in the
// lanes of one vector (finger_avx2.cpp, finger_avx512.cpp), with the same
// arithmetic either way.
#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/canvas.h"
#include "tools/grain_sampling.h"
#include "tools/tool_frame.h"

namespace sc::smear {

// Where the Finger takes paint from: 1.9 times as far from the pointer as the
// cell, computed in single precision and clamped into [0, limit).
inline std::int64_t source(std::int64_t c, std::int64_t centre, std::uint32_t limit) {
    const float pull = static_cast<float>((c - centre) * static_cast<double>(0.9f));
    const std::int32_t s = truncToInt(static_cast<float>(c + static_cast<double>(pull)));
    if (s < 0) return 0;
    if (static_cast<std::uint32_t>(s) >= limit) return static_cast<std::int64_t>(limit) - 1;
    return s;
}

// Red, green, blue, grain and shine of `c` each moved toward the source's
// by f: trunc(own + (source - own) * f), the low 8 bits.
inline void blendBytes(PaintCell& c, const PaintCell& from, double f) {
    c.red = frame::lerpByte(c.red, from.red, f);
    c.green = frame::lerpByte(c.green, from.green, f);
    c.blue = frame::lerpByte(c.blue, from.blue, f);
    c.grain = frame::lerpByte(c.grain, from.grain, f);
    c.shine = frame::lerpByte(c.shine, from.shine, f);
}

// blendBytes(cell, source, f) is how the bytes move.
template <class BlendBytes>
void overSquare(const BrushMask& mask, Canvas& canvas, int x, int y, int r, const BrushSettings& s,
                const GrainSampler& texture, BlendBytes blendBytes) {
    const Surface& image = texture.image();
    const bool textured = s.texture != 0;
    // The source row and the texture's row (null where it reads 0) of every row.
    const std::int64_t firstRow = std::max<std::int64_t>(static_cast<std::int64_t>(y) - r, 0);
    const std::int64_t endRow = std::min<std::int64_t>(static_cast<std::int64_t>(y) + r, canvas.height);
    std::array<const PaintCell*, kMaskSide> sourceRows{};
    std::array<const std::uint8_t*, kMaskSide> textureRows{};
    for (std::int64_t cy = firstRow; cy < endRow; ++cy) {
        sourceRows[cy - firstRow] = &canvas.at(0, static_cast<std::uint32_t>(source(cy, y, canvas.height)));
        const std::uint32_t v = texture.row(cy);
        textureRows[cy - firstRow] = image.valid() && v < image.height() ? image.pixelAddress(0, v) : nullptr;
    }
    std::int64_t lastColumn = -1;
    std::int64_t sx = 0;
    std::int64_t textureByte = -1;  // the red byte of the column in a texture row; -1 outside the image
    frame::forEachBrushCell(mask, canvas, x, y, r, [&](PaintCell& c, float m, std::int64_t cx, std::int64_t cy) {
        if (cx != lastColumn) {
            sx = source(cx, x, canvas.width);
            const std::uint32_t u = texture.column(cx);
            textureByte =
                image.valid() && u < image.width() ? static_cast<std::int64_t>(u) * image.bytesPerPixel() + 2 : -1;
            lastColumn = cx;
        }
        const PaintCell from = sourceRows[cy - firstRow][sx];
        const float a = static_cast<float>(static_cast<double>(m) * s.strength);
        const std::uint8_t* textureRow = textureRows[cy - firstRow];
        const int t = !textured ? 255 : textureRow != nullptr && textureByte >= 0 ? textureRow[textureByte] : 0;
        const double f = (t * static_cast<double>(kInv255)) * a;  // kept in double
        blendBytes(c, from, f);
        const double h = c.height;
        c.height = static_cast<float>(h + (from.height - h) * f);
    });
}

// The smear with the bytes blended one by one.
inline void overSquareByByte(const BrushMask& mask, Canvas& canvas, int x, int y, int r, const BrushSettings& s,
                             const GrainSampler& texture) {
    overSquare(mask, canvas, x, y, r, s, texture,
               [](PaintCell& c, const PaintCell& from, double f) { blendBytes(c, from, f); });
}

void overSquareAvx2(const BrushMask& mask, Canvas& canvas, int x, int y, int r, const BrushSettings& s,
                    const GrainSampler& texture);
void overSquareAvx512(const BrushMask& mask, Canvas& canvas, int x, int y, int r, const BrushSettings& s,
                      const GrainSampler& texture);

}  // namespace sc::smear
