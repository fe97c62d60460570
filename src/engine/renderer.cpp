// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/renderer.h"

#include <algorithm>

#include "engine/canvas.h"
#include "engine/render_cell.h"
#include "engine/render_vector.h"
#include "engine/vector_path.h"
#include "engine/vector_target.h"
#include "engine/worker_pool.h"

namespace sc {
namespace {

void renderBand(const RenderContext& context, VectorPath path, const RenderBand& band) {
    switch (path) {
#if SC_VECTOR_TARGETS
        case VectorPath::kAvx512: renderBandAvx512(context, band); break;
        case VectorPath::kAvx2: renderBandAvx2(context, band); break;
#endif
        default: renderBandByCell(context, band); break;  // VectorPath::kScalar
    }
}

// The widest path the processor, the test's choice, the grid and the band's
// width allow (a processor with AVX-512 has AVX2).
VectorPath pathFor(const RenderContext& c, std::uint32_t columns) {
    VectorPath path = vectorPath();
    if (path != VectorPath::kScalar && !vectorIndexFits(c)) return VectorPath::kScalar;
    if (path == VectorPath::kAvx512 && columns < kAvx512Lanes) path = VectorPath::kAvx2;
    if (path == VectorPath::kAvx2 && columns < kAvx2Lanes) path = VectorPath::kScalar;
    return path;
}

// Renders [x0, x1) x [y0, y1), already clipped to the grid and not empty.
// Cells do not depend on one another's pixels, so the order of the cells and
// the threads that render them cannot change a single pixel.
void renderClipped(Canvas& canvas, std::uint32_t x0, std::uint32_t y0, std::uint32_t x1, std::uint32_t y1) {
    Surface& surface = canvas.surface;
    if (!surface.valid()) return;  // nothing would be written
    // A surface smaller than the grid takes what falls on it, as setPixel would.
    x1 = std::min(x1, surface.width());
    y1 = std::min(y1, surface.height());
    if (x0 >= x1 || y0 >= y1) return;
    const RenderContext context = renderContextOf(canvas);
    const VectorPath path = pathFor(context, x1 - x0);
    std::uint8_t* pixels = surface.pixelAddress(x0, y0);
    const std::ptrdiff_t rowStep = -static_cast<std::ptrdiff_t>(surface.stride());
    const auto renderRows = [&](std::uint32_t first, std::uint32_t end) {
        const RenderBand band{x0, x1, y0 + first, y0 + end, pixels + first * rowStep, rowStep, surface.bytesPerPixel()};
        renderBand(context, path, band);
    };
    forEachRowBand(y1 - y0, x1 - x0, kSharedRenderCells, kSharedRenderBandRows, renderRows);
}

}  // namespace

void renderCell(Canvas& canvas, std::uint32_t x, std::uint32_t y) {
    const RenderedPixel p = renderCellPixel(renderContextOf(canvas), x, y);
    canvas.surface.setPixel(x, y, p.red, p.green, p.blue);
}

void renderRect(Canvas& canvas, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    if (!canvas.hasCells()) return;
    const std::int64_t cx0 = std::max<std::int64_t>(x0, 0);
    const std::int64_t cy0 = std::max<std::int64_t>(y0, 0);
    const std::int64_t cx1 = std::min<std::int64_t>(x1, canvas.width);
    const std::int64_t cy1 = std::min<std::int64_t>(y1, canvas.height);
    if (cx0 >= cx1 || cy0 >= cy1) return;
    renderClipped(canvas, static_cast<std::uint32_t>(cx0), static_cast<std::uint32_t>(cy0),
                  static_cast<std::uint32_t>(cx1), static_cast<std::uint32_t>(cy1));
}

void renderAll(Canvas& canvas) {
    if (canvas.hasCells() && canvas.cellCount() > 0) renderClipped(canvas, 0, 0, canvas.width, canvas.height);
    canvas.rendered = true;
}

}  // namespace sc
