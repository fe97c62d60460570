// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/undo.h"

#include <algorithm>
#include <utility>

#include "app/layer_undo.h"
#include "app/layers.h"
#include "app/painting.h"
#include "engine/renderer.h"
#include "tools/tool_state.h"

namespace sc {
namespace {

// How far a cell's picture reaches: its normal reads the next cells, its
// grain is read up to 20 cells away along the normal, and one more beside.
constexpr std::int64_t kRenderReach = 22;

// Makes `to` a copy of the cells of `from`. On allocation failure the target
// keeps what it had and false is returned.
bool copyCells(const Canvas& from, Canvas& to) {
    // A copy of the same size keeps its arrays: only the undo copy's cells and
    // size are ever read (Undo re-renders whatever picture it swaps in), and
    // re-allocating them costs more than the copy on a large painting.
    const bool sameSize = from.hasCells() && to.hasCells() && to.width == from.width && to.height == from.height;
    if (!sameSize && !to.allocate(from.width, from.height)) return false;
    if (from.hasCells() && from.cellCount() > 0) sc::copyCells(from.cells(), to.cells(), from.cellCount());
    return true;
}

// A history step sharing the undo copy's cells gets its own before a
// deferred snapshot. Where every tile may differ, that snapshot reads none of
// the undo copy's own cells, so the step can take them over.
void unshareBeforeDeferredSnapshot(Painting& p) {
    if (!p.history.sharesUndoCopy()) return;
    if (p.undoCopy.tracked(p.document) && !p.undoCopy.differsEverywhere()) {
        p.history.copyUndoCopyCells(p.undoCanvas);
    } else {
        p.history.takeUndoCopyCells(p.undoCanvas);
    }
}

// The undo copy becomes the present painting: deferred tile by tile where it
// can be, else copied whole.
void snapshotCanvasDeferred(Painting& p) {
    unshareBeforeDeferredSnapshot(p);
    if (p.undoCopy.deferCopy(p.document, p.undoCanvas)) {
        p.undoValid = true;
        return;
    }
    p.undoValid = copyCells(p.document, p.undoCanvas);
    if (p.undoValid) {
        p.undoCopy.tookWholeCopy(p.document, true);
    } else {
        p.undoCopy.forget();
    }
}

// The history's record of an Undo about to swap the (complete) undo copy in:
// the tiles where the two differ, or the whole painting.
void recordSwap(Painting& p) {
    p.history.close();
    if (p.undoCopy.tracked(p.document) && p.undoCopy.grid().fits(p.undoCanvas)) {
        const TileGrid& grid = p.undoCopy.grid();
        p.history.open();
        for (std::size_t t = 0; t < grid.count(); ++t) {
            if (!p.undoCopy.changed(t)) continue;
            const TileCells r = grid.cells(t);
            p.history.beforeWrite(p.document, r.x0, r.y0, r.x1, r.y1);
        }
    } else {
        p.history.keepWhole(p.document);
    }
    p.history.close();
}

// Renders what the tiles of a step change, with the cells whose picture
// reads them.
void renderStepTiles(Canvas& doc, const HistoryStep& step) {
    if (step.tiles.empty()) return;
    std::int64_t x0 = doc.width, y0 = doc.height, x1 = 0, y1 = 0;
    for (const std::uint32_t t : step.tiles) {
        const TileCells r = step.grid.cells(t);
        x0 = std::min<std::int64_t>(x0, r.x0);
        y0 = std::min<std::int64_t>(y0, r.y0);
        x1 = std::max<std::int64_t>(x1, r.x1);
        y1 = std::max<std::int64_t>(y1, r.y1);
    }
    renderChangedCells(doc, x0, y0, x1, y1);
}

// Exchanges the painting with a step's cells. The swap undo first takes the
// painting as it is, so Undo right after returns to it.
StepResult exchangeStep(Painting& p, const ToolState& tools, HistoryStep& step) {
    p.history.close();
    dropLayerSnapshot(p);
    p.savedSettings = tools.live;
    snapshotCanvasDeferred(p);
    p.saved = false;
    Canvas& doc = p.document;
    if (step.whole) {
        p.documentChanges.noteEverywhere();
        p.undoCopy.complete(doc, p.undoCanvas);
        const bool resized = step.whole->width != doc.width || step.whole->height != doc.height;
        doc.swapCells(*step.whole);
        if (resized) {
            p.undoCopy.forget();
        } else {
            p.undoCopy.changedEverywhere();
        }
        if (doc.hasCells()) renderAll(doc);
        return resized ? StepResult::kResized : StepResult::kChanged;
    }
    if (!step.grid.fits(doc)) {
        // Cannot happen while every change is recorded; a step that does not
        // fit is never applied, and the rest of the history goes with it.
        p.history.clear();
        return StepResult::kNothing;
    }
    for (std::size_t i = 0; i < step.tiles.size(); ++i) {
        const TileCells r = step.grid.cells(step.tiles[i]);
        p.undoCopy.beforeWrite(doc, p.undoCanvas, r.x0, r.y0, r.x1, r.y1);
        p.documentChanges.note(r.x0, r.y0, r.x1, r.y1);
        swapTileCells(doc, r, step.cells[i].get());
    }
    renderStepTiles(doc, step);
    return StepResult::kChanged;
}

StepResult stepThroughHistory(Painting& p, const ToolState& tools, bool backward) {
    HistoryStep* step = backward ? p.history.backwardStep() : p.history.forwardStep();
    if (step == nullptr) return StepResult::kNothing;
    const bool layers = step->layers != nullptr;
    if (!layers && p.layers.layered()) {
        // A step of the plain painting never meets a layered one while every
        // change is recorded; it is not applied, and the history goes with it.
        p.history.clear();
        return StepResult::kNothing;
    }
    // Done before the step is held: when memory runs out it gives the history up.
    if (!layers) unshareBeforeDeferredSnapshot(p);
    step = backward ? p.history.backwardStep() : p.history.forwardStep();
    if (step == nullptr) return StepResult::kNothing;
    const StepResult result = layers ? exchangeLayerStep(p, tools, *step) : exchangeStep(p, tools, *step);
    if (result == StepResult::kNothing) return result;
    if (backward) {
        p.history.steppedBackward();
    } else {
        p.history.steppedForward();
    }
    // A step of layers may now hold more or less than before.
    p.history.recount(*step);
    return result;
}

}  // namespace

void renderChangedCells(Canvas& doc, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    // A reach across an edge wraps, so the band then spans the grid.
    x0 -= kRenderReach;
    y0 -= kRenderReach;
    x1 += kRenderReach;
    y1 += kRenderReach;
    if (x0 < 0 || x1 > doc.width) x0 = 0, x1 = doc.width;
    if (y0 < 0 || y1 > doc.height) y0 = 0, y1 = doc.height;
    renderRect(doc, static_cast<std::int32_t>(x0), static_cast<std::int32_t>(y0), static_cast<std::int32_t>(x1),
               static_cast<std::int32_t>(y1));
}

void takeUndoSnapshot(Painting& p, const ToolState& tools, bool includeCanvas) {
    // With the canvas, a change that may reach any cell follows.
    if (includeCanvas) p.documentChanges.noteEverywhere();
    if (p.layers.layered()) {
        if (includeCanvas && snapshotLayers(p, tools, false)) return;
        dropLayerSnapshot(p);
        p.savedSettings = tools.live;
        p.saved = false;
        // A change the history cannot keep must not be stepped across.
        if (includeCanvas) p.history.clear();
        return;
    }
    dropLayerSnapshot(p);
    p.savedSettings = tools.live;
    bool copied = false;
    if (includeCanvas) {
        p.history.takeUndoCopyCells(p.undoCanvas);
        copied = copyCells(p.document, p.undoCanvas);
        if (copied) {
            p.undoCopy.tookWholeCopy(p.document, false);
            // The step and the undo copy hold the same painting; the step
            // takes its own cells only when the undo copy is about to change.
            p.history.keepWholeAsUndoCopy(p.document);
        } else {
            p.undoCopy.forget();
            p.history.keepWhole(p.document);
        }
    }
    // A copy that could not be made must not be swapped in later.
    p.undoValid = includeCanvas && copied;
    p.saved = false;
}

void takeStrokeSnapshot(Painting& p, const ToolState& tools) {
    if (p.layers.layered()) {
        // The stroke changes the active layer only, a tile at a time.
        snapshotLayerStroke(p, tools);
        return;
    }
    dropLayerSnapshot(p);
    p.savedSettings = tools.live;
    snapshotCanvasDeferred(p);
    p.history.open();
    p.saved = false;
}

void prepareCellWrite(Painting& p, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    p.documentChanges.note(x0, y0, x1, y1);
    if (p.layers.layered()) {
        noteLayerWrite(p, x0, y0, x1, y1);
        return;
    }
    p.undoCopy.beforeWrite(p.document, p.undoCanvas, x0, y0, x1, y1);
    p.history.beforeWrite(p.document, x0, y0, x1, y1);
}

void prepareWholeChange(Painting& p) {
    p.documentChanges.noteEverywhere();
    if (p.layers.layered()) {
        prepareLayersChange(p);
        return;
    }
    p.undoCopy.complete(p.document, p.undoCanvas);
    p.undoCopy.changedEverywhere();
    if (!p.history.keepsWholePainting()) p.history.keepWhole(p.document);
}

void paintingReplaced(Painting& p) {
    if (p.layers.layered()) replaceLayers(p, {}, 0);
    p.history.clear();
    p.fileName.clear();
    p.undoCopy.forget();
}

bool undo(Painting& p, ToolState& t) {
    const std::int32_t tool = t.live.tool;
    std::swap(t.live, p.savedSettings);
    if (layerUndoHeld(p)) {
        p.documentChanges.noteEverywhere();
        const bool swappedSize = swapLayerSnapshot(p);
        p.saved = false;
        t.live.tool = tool;
        t.mask.built = false;
        return swappedSize;
    }

    bool redraw = false;
    if (p.undoValid) {
        p.documentChanges.noteEverywhere();
        p.history.copyUndoCopyCells(p.undoCanvas);
        p.undoCopy.complete(p.document, p.undoCanvas);
        recordSwap(p);
        // The swap moves the cell arrays and surfaces; sizes follow the cells.
        p.document.swapCells(p.undoCanvas);
        p.undoCopy.swapped(p.document, p.undoCanvas);
        redraw = true;
    }
    const bool resized = p.document.width != p.undoCanvas.width || p.document.height != p.undoCanvas.height;
    if (resized) redraw = true;
    if (redraw && p.document.hasCells()) renderAll(p.document);

    p.saved = false;
    t.live.tool = tool;
    // A restored size or hardness needs a fresh mask.
    t.mask.built = false;
    return resized;
}

StepResult stepBackward(Painting& p, const ToolState& tools) { return stepThroughHistory(p, tools, true); }

StepResult stepForward(Painting& p, const ToolState& tools) { return stepThroughHistory(p, tools, false); }

}  // namespace sc
