#include "engine/renderer.h"

#include <algorithm>

#include "engine/canvas.h"
#include "engine/render_avx2.h"
#include "engine/render_cell.h"
#include "engine/worker_pool.h"

namespace sc {
namespace {

// Renders below this many cells stay on the calling thread: sharing them
// costs more than it saves.
constexpr std::uint64_t kSharedRenderMinimum = 16384;
// The fewest rows a band of a shared render holds.
constexpr std::uint32_t kBandRows = 16;

// The rectangle [x0, x1) x [y0, y1) of one render, cut into chunks of rows.
struct RowJob {
    Canvas* canvas;
    RenderContext context;
    std::uint32_t x0, x1, y0, y1;
    std::uint32_t rowsPerChunk;
    bool vector;
};

void renderRowOfJob(const RowJob& job, std::uint32_t y) {
    Surface& surface = job.canvas->surface;
    const RenderContext& c = job.context;
    // A surface smaller than the grid takes what falls on it, as setPixel would.
    const std::uint32_t x1 = std::min(job.x1, surface.width());
    if (y >= surface.height() || job.x0 >= x1) return;
    const std::uint32_t bpp = surface.bytesPerPixel();
    std::uint8_t* pixels = surface.pixelAddress(job.x0, y);
    if (job.vector && x1 - job.x0 >= kAvx2SpanMinimum) {
        renderSpanAvx2(c, y, job.x0, x1, pixels, bpp);
    } else {
        renderSpanByCell(c, y, job.x0, x1, pixels, bpp);
    }
}

void renderChunk(void* opaque, std::uint32_t chunk) {
    const RowJob& job = *static_cast<const RowJob*>(opaque);
    const std::uint32_t first = job.y0 + chunk * job.rowsPerChunk;
    const std::uint32_t last = std::min(job.y1, first + job.rowsPerChunk);
    for (std::uint32_t y = first; y < last; ++y) renderRowOfJob(job, y);
}

// Renders [x0, x1) x [y0, y1), already clipped to the grid and not empty.
// Cells do not depend on one another's pixels, so the order of the cells and
// the threads that render them cannot change a single pixel.
void renderClipped(Canvas& canvas, std::uint32_t x0, std::uint32_t y0, std::uint32_t x1, std::uint32_t y1) {
    if (!canvas.surface.valid()) return;  // nothing would be written
    RowJob job{};
    job.canvas = &canvas;
    job.context = renderContextOf(canvas);
    job.x0 = x0;
    job.x1 = x1;
    job.y0 = y0;
    job.y1 = y1;
    job.vector = avx2Available() && avx2SpanFits(job.context);
    const std::uint32_t columns = x1 - x0;
    const std::uint32_t rows = y1 - y0;
    if (static_cast<std::uint64_t>(columns) * rows < kSharedRenderMinimum || rows < 2) {
        job.rowsPerChunk = rows;
        renderChunk(&job, 0);
        return;
    }
    const std::uint32_t bands = bandCount(rows, kBandRows);
    job.rowsPerChunk = (rows + bands - 1) / bands;
    runChunks((rows + job.rowsPerChunk - 1) / job.rowsPerChunk, renderChunk, &job);
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
