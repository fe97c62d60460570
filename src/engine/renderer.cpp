#include "engine/renderer.h"

#include <algorithm>
#include <cmath>
#include <thread>

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

struct RenderRow {
    const PaintCell* cells;
    std::uint32_t w;
    std::uint32_t h;
    float lx, ly, lz;
    bool highQuality;
    bool lighting;
    std::uint8_t* pixels;  // the pixel of the span's first cell, or null
    std::uint8_t bpp;
};

// Renders cells [x0, x1) of row y. Identical to renderCell for each cell.
void renderRowSpan(const RenderRow& r, std::uint32_t y, std::uint32_t x0, std::uint32_t x1) {
    const PaintCell* row = r.cells + static_cast<std::size_t>(y) * r.w;
    const PaintCell* above = y > 0 ? row - r.w : nullptr;
    const PaintCell* below = y + 1 < r.h ? row + r.w : nullptr;
    const double kShine = static_cast<double>(kInv255);
    for (std::uint32_t x = x0; x < x1; ++x) {
        const double hc = row[x].height;
        // The normal's components are floats, rounded after each step.
        float nx = 0.0f;
        float nz = 0.0f;
        float ny = 1.0f;
        if (x > 0) nx = static_cast<float>(nx + (hc - static_cast<double>(row[x - 1].height)));
        if (x + 1 < r.w) nx = static_cast<float>(nx - (hc - static_cast<double>(row[x + 1].height)));
        if (above) nz = static_cast<float>(nz + (hc - static_cast<double>(above[x].height)));
        if (below) nz = static_cast<float>(nz - (hc - static_cast<double>(below[x].height)));
        normalise(nx, ny, nz);

        float d = static_cast<float>(static_cast<double>(nx) * r.lx + static_cast<double>(ny) * r.ly +
                                     static_cast<double>(nz) * r.lz);
        if (d < 0.0f) d = 0.0f;

        const double dispX = 20.0 * nx;
        const double dispZ = 20.0 * nz;
        const double px = x + dispX;
        const double pz = y + dispZ;
        std::int32_t g;
        if (!r.highQuality) {
            const std::uint32_t col = wrapIndex(truncToUnsigned(px), r.w);
            const std::uint32_t rw = wrapIndex(truncToUnsigned(pz), r.h);
            g = r.cells[static_cast<std::size_t>(rw) * r.w + col].grain;
        } else {
            const std::uint32_t col0 = wrapIndex(truncToUnsigned(px), r.w);
            const std::uint32_t col1 = wrapIndex(truncToUnsigned(px + 1.0), r.w);
            const std::uint32_t row0 = wrapIndex(truncToUnsigned(pz), r.h);
            const std::uint32_t row1 = wrapIndex(truncToUnsigned(pz + 1.0), r.h);
            const PaintCell* r0 = r.cells + static_cast<std::size_t>(row0) * r.w;
            const PaintCell* r1 = r.cells + static_cast<std::size_t>(row1) * r.w;
            const double g00 = r0[col0].grain;
            const double g01 = r0[col1].grain;
            const double g10 = r1[col0].grain;
            const double g11 = r1[col1].grain;
            const double ax = std::fabs(dispX);
            const double az = std::fabs(dispZ);
            const double fx = static_cast<float>(fractionOfMagnitude(ax));
            const double fz = static_cast<float>(fractionOfMagnitude(az));
            const std::int32_t a = truncToInt(g10 + fx * (g11 - g10));
            const std::int32_t b = truncToInt(g00 + fx * (g01 - g00));
            const std::int32_t c = truncToInt(g00 + fz * (g10 - g00));
            const std::int32_t e = truncToInt(g01 + fz * (g11 - g01));
            g = wrapAdd(wrapAdd(a, b), wrapAdd(c, e)) / 4;
        }

        const PaintCell& cell = row[x];
        std::int32_t red = cell.red + g;
        std::int32_t green = cell.green + g;
        std::int32_t blue = cell.blue + g;
        if (r.lighting && cell.shine != 0) {
            const double k = cell.shine * kShine;
            const double dd = d;
            red = shade(red, k, dd);
            green = shade(green, k, dd);
            blue = shade(blue, k, dd);
        }
        if (r.pixels) {
            std::uint8_t* p = r.pixels + static_cast<std::size_t>(x - x0) * r.bpp;
            p[0] = clampChannel(blue);
            p[1] = clampChannel(green);
            p[2] = clampChannel(red);
        }
    }
}

RenderRow rowContext(Canvas& canvas) {
    RenderRow r{};
    r.cells = canvas.cells();
    r.w = canvas.width;
    r.h = canvas.height;
    r.lx = canvas.light[0];
    r.ly = canvas.light[1];
    r.lz = canvas.light[2];
    r.highQuality = canvas.highQuality;
    r.lighting = canvas.lighting;
    r.bpp = canvas.surface.bytesPerPixel();
    return r;
}

// The surface row of cell row y, or null when the surface does not cover it
// (an invalid or differently sized surface ignores the writes, as setPixel would).
std::uint8_t* surfaceRow(Canvas& canvas, std::uint32_t y, std::uint32_t x1) {
    Surface& s = canvas.surface;
    if (!s.valid() || y >= s.height() || x1 > s.width()) return nullptr;
    return s.pixelAddress(0, y);
}

void renderRows(Canvas& canvas, std::uint32_t y0, std::uint32_t y1, std::uint32_t x0, std::uint32_t x1) {
    RenderRow r = rowContext(canvas);
    for (std::uint32_t y = y0; y < y1; ++y) {
        r.pixels = surfaceRow(canvas, y, x1);
        if (r.pixels) r.pixels += static_cast<std::size_t>(x0) * r.bpp;
        if (!r.pixels && canvas.surface.valid()) {
            // A surface smaller than the grid: fall back to per-cell bounds checks.
            for (std::uint32_t x = x0; x < x1; ++x) renderCell(canvas, x, y);
            continue;
        }
        renderRowSpan(r, y, x0, x1);
    }
}

}  // namespace

void renderCell(Canvas& canvas, std::uint32_t x, std::uint32_t y) {
    RenderRow r = rowContext(canvas);
    std::uint8_t px[3] = {0, 0, 0};
    r.pixels = px;
    r.bpp = 3;
    renderRowSpan(r, y, x, x + 1);
    canvas.surface.setPixel(x, y, px[2], px[1], px[0]);
}

void renderRect(Canvas& canvas, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    if (!canvas.hasCells()) return;
    const std::int64_t cx0 = std::max<std::int64_t>(x0, 0);
    const std::int64_t cy0 = std::max<std::int64_t>(y0, 0);
    const std::int64_t cx1 = std::min<std::int64_t>(x1, canvas.width);
    const std::int64_t cy1 = std::min<std::int64_t>(y1, canvas.height);
    if (cx0 >= cx1 || cy0 >= cy1) return;
    renderRows(canvas, static_cast<std::uint32_t>(cy0), static_cast<std::uint32_t>(cy1),
               static_cast<std::uint32_t>(cx0), static_cast<std::uint32_t>(cx1));
}

void renderAll(Canvas& canvas) {
    if (canvas.hasCells() && canvas.cellCount() > 0) {
        const std::uint32_t h = canvas.height;
        const std::uint32_t w = canvas.width;
        // Cells are independent of one another, so the rows can be shared
        // between two threads without changing a single pixel.
        const bool split = canvas.cellCount() >= 100000 && std::thread::hardware_concurrency() > 1;
        if (split) {
            const std::uint32_t mid = h / 2;
            std::thread other([&canvas, mid, h, w] { renderRows(canvas, mid, h, 0, w); });
            renderRows(canvas, 0, mid, 0, w);
            other.join();
        } else {
            renderRows(canvas, 0, h, 0, w);
        }
    }
    canvas.rendered = true;
}

}  // namespace sc
