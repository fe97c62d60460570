// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/render_cell.h"

#include <cmath>

#include "engine/canvas.h"
#include "engine/numeric.h"

namespace sc {
namespace {

// u mod n for the grain lookup. Lookups land near their own cell, so the
// common cases avoid the division; the result is the same as u % n.
inline std::uint32_t wrapIndex(std::uint32_t u, std::uint32_t n) {
    if (u < n) return u;
    if (u - n < n) return u - n;
    return u % n;
}

inline std::uint8_t clampChannel(std::int32_t v) { return static_cast<std::uint8_t>(clampInt(v, 0, 255)); }

// Shades one channel by the light term: v + k * (v * d - v), truncated.
inline std::int32_t shade(std::int32_t v, double k, double d) {
    const double dv = v;
    return truncToInt(dv + k * (dv * d - dv));
}

}  // namespace

RenderContext renderContextOf(const Canvas& canvas) {
    RenderContext c;
    c.cells = canvas.cells();
    c.width = canvas.width;
    c.height = canvas.height;
    c.lightX = canvas.light[0];
    c.lightY = canvas.light[1];
    c.lightZ = canvas.light[2];
    c.highQuality = canvas.highQuality;
    c.lighting = canvas.lighting;
    return c;
}

RenderedPixel renderCellPixel(const RenderContext& c, std::uint32_t x, std::uint32_t y) {
    const PaintCell* row = c.cells + static_cast<std::size_t>(y) * c.width;
    const double hc = row[x].height;

    // 1. The normal from the neighbouring heights; its components are floats,
    //    rounded after each step.
    float nx = 0.0f;
    float ny = 1.0f;
    float nz = 0.0f;
    if (x > 0) nx = static_cast<float>(nx + (hc - static_cast<double>(row[x - 1].height)));
    if (x + 1 < c.width) nx = static_cast<float>(nx - (hc - static_cast<double>(row[x + 1].height)));
    if (y > 0) nz = static_cast<float>(nz + (hc - static_cast<double>((row - c.width)[x].height)));
    if (y + 1 < c.height) nz = static_cast<float>(nz - (hc - static_cast<double>((row + c.width)[x].height)));
    normalise(nx, ny, nz);

    // 2. The light term.
    float d = static_cast<float>(static_cast<double>(nx) * c.lightX + static_cast<double>(ny) * c.lightY +
                                 static_cast<double>(nz) * c.lightZ);
    if (d < 0.0f) d = 0.0f;

    // 3. The grain, looked up at the position displaced by the normal.
    const double dispX = 20.0 * nx;
    const double dispZ = 20.0 * nz;
    const double px = x + dispX;
    const double pz = y + dispZ;
    std::int32_t g;
    if (!c.highQuality) {
        const std::uint32_t col = wrapIndex(truncToUnsigned(px), c.width);
        const std::uint32_t rw = wrapIndex(truncToUnsigned(pz), c.height);
        g = c.cells[static_cast<std::size_t>(rw) * c.width + col].grain;
    } else {
        const std::uint32_t col0 = wrapIndex(truncToUnsigned(px), c.width);
        const std::uint32_t col1 = wrapIndex(truncToUnsigned(px + 1.0), c.width);
        const std::uint32_t row0 = wrapIndex(truncToUnsigned(pz), c.height);
        const std::uint32_t row1 = wrapIndex(truncToUnsigned(pz + 1.0), c.height);
        const PaintCell* r0 = c.cells + static_cast<std::size_t>(row0) * c.width;
        const PaintCell* r1 = c.cells + static_cast<std::size_t>(row1) * c.width;
        const double g00 = r0[col0].grain;
        const double g01 = r0[col1].grain;
        const double g10 = r1[col0].grain;
        const double g11 = r1[col1].grain;
        const double fx = static_cast<float>(fractionOfMagnitude(std::fabs(dispX)));
        const double fz = static_cast<float>(fractionOfMagnitude(std::fabs(dispZ)));
        const std::int32_t a = truncToInt(g10 + fx * (g11 - g10));
        const std::int32_t b = truncToInt(g00 + fx * (g01 - g00));
        const std::int32_t cc = truncToInt(g00 + fz * (g10 - g00));
        const std::int32_t e = truncToInt(g01 + fz * (g11 - g01));
        g = wrapAdd(wrapAdd(a, b), wrapAdd(cc, e)) / 4;
    }

    // 4. The cell's own colour plus the grain, 5. shaded when shiny and lit.
    const PaintCell& cell = row[x];
    std::int32_t red = cell.red + g;
    std::int32_t green = cell.green + g;
    std::int32_t blue = cell.blue + g;
    if (c.lighting && cell.shine != 0) {
        const double k = cell.shine * static_cast<double>(kInv255);
        const double dd = d;
        red = shade(red, k, dd);
        green = shade(green, k, dd);
        blue = shade(blue, k, dd);
    }
    // 6. Clamped to bytes.
    return RenderedPixel{clampChannel(blue), clampChannel(green), clampChannel(red)};
}

void renderSpanByCell(const RenderContext& c, std::uint32_t y, std::uint32_t x0, std::uint32_t x1, std::uint8_t* pixels,
                      std::uint32_t bytesPerPixel) {
    for (std::uint32_t x = x0; x < x1; ++x) {
        const RenderedPixel p = renderCellPixel(c, x, y);
        std::uint8_t* out = pixels + static_cast<std::size_t>(x - x0) * bytesPerPixel;
        out[0] = p.blue;
        out[1] = p.green;
        out[2] = p.red;
    }
}

}  // namespace sc
