// SPDX-License-Identifier: GPL-3.0-or-later
// The tools, the filters and Image Size on a layered painting: the tools
// paint on the active layer stacked on the layers below it (what the painter
// sees), and what they changed is taken into the active layer.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

#include "app/filter_command.h"
#include "app/layer_undo.h"
#include "app/layers.h"
#include "app/painting.h"
#include "app/undo.h"
#include "engine/layer_take.h"
#include "engine/renderer.h"
#include "engine/resample.h"
#include "engine/worker_pool.h"
#include "filters/filter_table.h"
#include "tools/brush_mask.h"
#include "tools/brush_settings.h"
#include "tools/tool_frame.h"
#include "tools/tool_state.h"
#include "tools/tool_table.h"
#include "tools/tools.h"

namespace sc {
namespace {

struct CellSpan {
    std::size_t x0, y0, x1, y1;
};

CellSpan clipped(const Canvas& c, const CellRect& r) {
    auto clip = [](std::int64_t v, std::uint32_t limit) {
        return static_cast<std::size_t>(std::clamp<std::int64_t>(v, 0, limit));
    };
    return {clip(r.left, c.width), clip(r.top, c.height), clip(r.right, c.width), clip(r.bottom, c.height)};
}

// Cells [x0, x1) of row y taken into the active layer: within `kept` only
// those the tool changed, elsewhere every one. The row is cut into runs that
// lie wholly inside or wholly outside `kept` and the row's cells with
// something above. `before`, when not null, holds the cells [x0, x1) of the
// work canvas as they were before the tool.
void takeRow(Painting& p, std::size_t y, std::size_t x0, std::size_t x1, const CellSpan* kept,
             const PaintCell* before = nullptr) {
    LayerStack& ls = p.layers;
    Layer& layer = ls.layers[ls.active];
    const std::size_t aboveFrom = ls.aboveFrom[y];
    const std::size_t aboveTo = ls.aboveTo[y];
    const bool keptRow = kept != nullptr && y >= kept->y0 && y < kept->y1;
    const std::size_t keptFrom = keptRow ? kept->x0 : x0;
    const std::size_t keptTo = keptRow ? kept->x1 : x0;
    std::size_t cuts[6] = {x0, x1, aboveFrom, aboveTo, keptFrom, keptTo};
    for (std::size_t& c : cuts) c = std::clamp(c, x0, x1);
    std::sort(std::begin(cuts), std::end(cuts));
    const std::size_t row = y * p.document.width;
    for (int k = 0; k + 1 < 6; ++k) {
        const std::size_t a = cuts[k];
        const std::size_t b = cuts[k + 1];
        if (a == b) continue;
        const std::size_t i = row + a;
        const TakenCells run{ls.below.get() + i,
                             ls.work.cells() + i,
                             layer.cells.get() + i,
                             layer.coverage ? layer.coverage.get() + i : nullptr,
                             p.document.cells() + i,
                             a >= aboveFrom && b <= aboveTo ? ls.above.get() + i : nullptr,
                             b - a,
                             a >= keptFrom && b <= keptTo,
                             before != nullptr ? before + (a - x0) : nullptr};
        takeCells(run, layer.opacity, layer.visible);
    }
}

// The active layer takes what the tools left on the work canvas in the span;
// the work canvas and the document then show the layer as it now is. The
// rows go in the bands the span is rendered in.
void takeWork(Painting& p, const CellSpan& span, const CellSpan* kept) {
    const auto rows = static_cast<std::uint32_t>(span.y1 - span.y0);
    forEachRowBand(rows, span.x1 - span.x0, kSharedRenderCells, kSharedRenderBandRows,
                   [&](std::uint32_t first, std::uint32_t end) {
                       for (std::size_t y = span.y0 + first; y < span.y0 + end; ++y) {
                           takeRow(p, y, span.x0, span.x1, kept);
                       }
                   });
}

// Tube Paint, Paint Brush and the Knife change their brush square alone, a
// row at a time: each row is taken into the active layer as soon as it is
// laid, on the thread that laid it and in the same shared job, while its
// cells are still in that thread's cache, and only across the cells the
// laying reached. Rows the laying did not reach are unchanged.
bool changesItsSquareAlone(std::int32_t tool) {
    return tool == kToolTubePaint || tool == kToolPaintBrush || tool == kToolKnife;
}

struct RowTake {
    Painting& painting;
    const CellSpan& kept;
};

void takeLaidRow(void* context, std::int64_t y, std::int64_t x0, std::int64_t x1, const PaintCell* before) {
    const RowTake& t = *static_cast<const RowTake*>(context);
    takeRow(t.painting, static_cast<std::size_t>(y), static_cast<std::size_t>(x0), static_cast<std::size_t>(x1),
            &t.kept, before);
}

// Tells the tools' laying about a RowTake for as long as it lives.
class RowTakeNotice {
public:
    RowTakeNotice(ToolState& tools, RowTake& take) : tools_(tools) { tools.rowLaid = {&takeLaidRow, &take}; }
    RowTakeNotice(const RowTakeNotice&) = delete;
    RowTakeNotice& operator=(const RowTakeNotice&) = delete;
    ~RowTakeNotice() { tools_.rowLaid = {}; }

private:
    ToolState& tools_;
};

// The Eraser on a layer that does not cover everything takes its paint away:
// coverage and relief go by the brush's amount, down to nothing.
CellRect eraseLayer(Painting& p, ToolState& ts, int x, int y) {
    LayerStack& ls = p.layers;
    Layer& layer = ls.layers[ls.active];
    const int r = frame::brushRadius(ts.stroke);
    const float strength = ts.stroke.strength;
    const std::size_t width = p.document.width;
    frame::forEachBrushCellRowWise(
        ts.mask, ls.work, x, y, r, [&](PaintCell&, float m, std::int64_t cx, std::int64_t cy) {
            const std::size_t i = static_cast<std::size_t>(cy) * width + static_cast<std::size_t>(cx);
            const double keep = 1.0 - static_cast<double>(m) * strength;
            const double k = std::max(0.0, keep);
            layer.coverage[i] = static_cast<float>(layer.coverage[i] * k);
            layer.cells[i].height = static_cast<float>(layer.cells[i].height * k);
        });
    // The work canvas shows the layer as it now is (nothing to take back).
    CellRect rect{x - r, y - r, x + r, y + r};
    const CellSpan span = clipped(p.document, rect);
    PaintCell* work = ls.work.cells();
    PaintCell* doc = p.document.cells();
    for (std::size_t yy = span.y0; yy < span.y1; ++yy) {
        for (std::size_t i = yy * width + span.x0; i < yy * width + span.x1; ++i) {
            CellMix mix = mixOf(ls.below[i]);
            coverWith(mix, layer.cells[i], layer.coverageAt(i) * layer.opacity);
            work[i] = cellOf(mix);
            doc[i] = underCover(layer.visible ? work[i] : ls.below[i], ls.above[i]);
        }
    }
    return {static_cast<std::int32_t>(span.x0), static_cast<std::int32_t>(span.y0), static_cast<std::int32_t>(span.x1),
            static_cast<std::int32_t>(span.y1)};
}

// A layer as a canvas of its own (for the filters and resampling).
bool layerCanvas(const Layer& layer, Canvas& into) {
    if (!into.allocate(layer.width, layer.height)) return false;
    if (layer.cellCount() > 0) std::memcpy(into.cells(), layer.cells.get(), layer.cellCount() * sizeof(PaintCell));
    return true;
}

}  // namespace

ToolOutcome applyToolToPainting(Painting& p, ToolState& ts, int x, int y) {
    LayerStack& ls = p.layers;
    if (!ls.layered()) return applyTool(ts, x, y, p.document);
    const ToolRow& row = toolRow(ts.live.tool);
    // The Eye Dropper and the Hand Tool act on the picture shown.
    if (row.routine == nullptr || !row.takesSnapshot) return applyTool(ts, x, y, p.document);
    Canvas& work = ls.work;
    Canvas& doc = p.document;
    if (!work.hasCells()) return {};
    ToolOutcome outcome;
    if (ts.live.tool == kToolEraser && !ls.layers[ls.active].opaque()) {
        if (!ts.mask.built) buildMask(ts);
        // Not through the tools' own notice: the layer is written here.
        const int reach = frame::brushRadius(ts.stroke) + 1;
        prepareCellWrite(p, x - reach, y - reach, x + reach + 1, y + reach + 1);
        outcome.rendered = eraseLayer(p, ts, x, y);
        renderRect(doc, outcome.rendered.left, outcome.rendered.top, outcome.rendered.right, outcome.rendered.bottom);
        return outcome;
    }
    work.strokeLength = doc.strokeLength;
    work.rendered = true;
    // Every tool changes cells inside its brush square at most (Fill its
    // 3 x 3 neighbourhood, or else everything, which it says by invalidating):
    // there only the cells it changed are taken.
    const std::int32_t r = std::clamp(ts.stroke.size, 1, kMaxBrushSize) + 1;
    const CellSpan kept = clipped(doc, CellRect{x - r, y - r, x + r, y + r});
    const bool takenAsLaid = changesItsSquareAlone(ts.live.tool);
    if (takenAsLaid) {
        RowTake take{p, kept};
        const RowTakeNotice notice(ts, take);
        outcome = applyTool(ts, x, y, work);
    } else {
        outcome = applyTool(ts, x, y, work);
    }
    doc.strokeLength = work.strokeLength;
    if (!work.rendered) {
        // A change that may reach any cell (Fill): the document is rendered whole.
        prepareCellWrite(p, 0, 0, doc.width, doc.height);
        takeWork(p, CellSpan{0, 0, doc.width, doc.height}, nullptr);
        doc.invalidate();
        return outcome;
    }
    if (!outcome.rendered.empty()) {
        if (!takenAsLaid) takeWork(p, clipped(doc, outcome.rendered), &kept);
        renderRect(doc, outcome.rendered.left, outcome.rendered.top, outcome.rendered.right, outcome.rendered.bottom);
    }
    return outcome;
}

bool runFilterOnPainting(Painting& p, ToolState& tools, std::int32_t menuId) {
    if (!p.layers.layered()) return runFilter(p, tools, menuId);
    const FilterInfo* filter = findFilter(menuId);
    if (filter == nullptr) return false;
    LayerStack& ls = p.layers;
    Canvas layerAlone;
    if (!layerCanvas(ls.layers[ls.active], layerAlone)) return true;  // no memory: nothing changes
    if (!snapshotLayers(p, tools, true)) return true;
    layerAlone.highQuality = p.document.highQuality;
    layerAlone.lighting = p.document.lighting;
    layerAlone.light = p.document.light;
    // The filters that read the picture read the layer's own.
    renderAll(layerAlone);
    filter->run(layerAlone, tools);
    Layer& layer = ls.layers[ls.active];
    std::memcpy(layer.cells.get(), layerAlone.cells(), layer.cellCount() * sizeof(PaintCell));
    composeLayers(p);
    return true;
}

bool resamplePainting(Painting& p, std::uint32_t width, std::uint32_t height) {
    if (!p.layers.layered()) return resample(p.document, width, height);
    std::vector<Layer> sized(p.layers.layers.size());
    for (std::size_t l = 0; l < sized.size(); ++l) {
        const Layer& from = p.layers.layers[l];
        Layer& to = sized[l];
        Canvas cells;
        if (!layerCanvas(from, cells) || !resample(cells, width, height)) return false;
        if (!allocateLayer(to, width, height, from.opaque())) return false;
        std::memcpy(to.cells.get(), cells.cells(), to.cellCount() * sizeof(PaintCell));
        if (from.coverage) {
            // Coverage is resampled as heights are.
            Canvas coverage;
            if (!coverage.allocate(from.width, from.height)) return false;
            for (std::size_t i = 0; i < from.cellCount(); ++i) coverage.cells()[i].height = from.coverage[i];
            if (!resample(coverage, width, height)) return false;
            for (std::size_t i = 0; i < to.cellCount(); ++i) {
                to.coverage[i] = std::clamp(coverage.cells()[i].height, 0.0f, 1.0f);
            }
        }
        to.name = from.name;
        to.visible = from.visible;
        to.opacity = from.opacity;
    }
    if (!p.document.allocate(width, height)) return false;
    // A copy of one layer cannot be swapped into layers of another size.
    if (p.layers.undo.oneLayer) p.layers.undo = LayerSnapshot{};
    p.layers.layers = std::move(sized);
    composeLayers(p);
    return true;
}

void replaceLayers(Painting& p, std::vector<Layer>&& layers, std::size_t active) {
    LayerStack& ls = p.layers;
    ls.layers = std::move(layers);
    ls.active = ls.layers.empty() ? 0 : std::min(active, ls.layers.size() - 1);
    if (ls.layers.empty()) {
        ls.work.freeCells();
        ls.below.reset();
        ls.above.reset();
        ls.singleName = "Background";
        return;
    }
    composeLayers(p);
}

}  // namespace sc
