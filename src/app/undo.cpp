#include "app/undo.h"

#include <algorithm>
#include <utility>

#include "app/shell_state.h"
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
void unshareBeforeDeferredSnapshot(ShellState& s) {
    if (!s.history.sharesUndoCopy()) return;
    if (s.undoCopy.tracked(s.document) && !s.undoCopy.differsEverywhere()) {
        s.history.copyUndoCopyCells(s.undoCanvas);
    } else {
        s.history.takeUndoCopyCells(s.undoCanvas);
    }
}

// The undo copy becomes the present painting: deferred tile by tile where it
// can be, else copied whole.
void snapshotCanvasDeferred(ShellState& s) {
    unshareBeforeDeferredSnapshot(s);
    if (s.undoCopy.deferCopy(s.document, s.undoCanvas)) {
        s.undoValid = true;
        return;
    }
    s.undoValid = copyCells(s.document, s.undoCanvas);
    if (s.undoValid) {
        s.undoCopy.tookWholeCopy(s.document, true);
    } else {
        s.undoCopy.forget();
    }
}

// The history's record of an Undo about to swap the (complete) undo copy in:
// the tiles where the two differ, or the whole painting.
void recordSwap(ShellState& s) {
    s.history.close();
    if (s.undoCopy.tracked(s.document) && s.undoCopy.grid().fits(s.undoCanvas)) {
        const TileGrid& grid = s.undoCopy.grid();
        s.history.open();
        for (std::size_t t = 0; t < grid.count(); ++t) {
            if (!s.undoCopy.changed(t)) continue;
            const TileCells r = grid.cells(t);
            s.history.beforeWrite(s.document, r.x0, r.y0, r.x1, r.y1);
        }
    } else {
        s.history.keepWhole(s.document);
    }
    s.history.close();
}

// Renders what the tiles of a step change, with the cells whose picture
// reads them; a reach across an edge wraps, so the band then spans the grid.
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
    x0 -= kRenderReach;
    y0 -= kRenderReach;
    x1 += kRenderReach;
    y1 += kRenderReach;
    if (x0 < 0 || x1 > doc.width) x0 = 0, x1 = doc.width;
    if (y0 < 0 || y1 > doc.height) y0 = 0, y1 = doc.height;
    renderRect(doc, static_cast<std::int32_t>(x0), static_cast<std::int32_t>(y0), static_cast<std::int32_t>(x1),
               static_cast<std::int32_t>(y1));
}

// Exchanges the painting with a step's cells. The swap undo first takes the
// painting as it is, so Undo right after returns to it.
StepResult exchangeStep(ShellState& s, HistoryStep& step) {
    s.history.close();
    s.savedSettings = s.tools.live;
    snapshotCanvasDeferred(s);
    s.saved = false;
    Canvas& doc = s.document;
    if (step.whole) {
        s.documentChanges.noteEverywhere();
        s.undoCopy.complete(doc, s.undoCanvas);
        const bool resized = step.whole->width != doc.width || step.whole->height != doc.height;
        doc.swapCells(*step.whole);
        if (resized) {
            s.undoCopy.forget();
        } else {
            s.undoCopy.changedEverywhere();
        }
        if (doc.hasCells()) renderAll(doc);
        return resized ? StepResult::kResized : StepResult::kChanged;
    }
    if (!step.grid.fits(doc)) {
        // Cannot happen while every change is recorded; a step that does not
        // fit is never applied, and the rest of the history goes with it.
        s.history.clear();
        return StepResult::kNothing;
    }
    for (std::size_t i = 0; i < step.tiles.size(); ++i) {
        const TileCells r = step.grid.cells(step.tiles[i]);
        s.undoCopy.beforeWrite(doc, s.undoCanvas, r.x0, r.y0, r.x1, r.y1);
        s.documentChanges.note(r.x0, r.y0, r.x1, r.y1);
        swapTileCells(doc, r, step.cells[i].get());
    }
    renderStepTiles(doc, step);
    return StepResult::kChanged;
}

StepResult stepThroughHistory(ShellState& s, bool backward) {
    HistoryStep* step = backward ? s.history.backwardStep() : s.history.forwardStep();
    if (step == nullptr) return StepResult::kNothing;
    // Done before the step is held: when memory runs out it gives the history up.
    unshareBeforeDeferredSnapshot(s);
    step = backward ? s.history.backwardStep() : s.history.forwardStep();
    if (step == nullptr) return StepResult::kNothing;
    const StepResult result = exchangeStep(s, *step);
    if (result == StepResult::kNothing) return result;
    if (backward) {
        s.history.steppedBackward();
    } else {
        s.history.steppedForward();
    }
    return result;
}

}  // namespace

void takeUndoSnapshot(ShellState& s, bool includeCanvas) {
    // With the canvas, a change that may reach any cell follows.
    if (includeCanvas) s.documentChanges.noteEverywhere();
    s.savedSettings = s.tools.live;
    bool copied = false;
    if (includeCanvas) {
        s.history.takeUndoCopyCells(s.undoCanvas);
        copied = copyCells(s.document, s.undoCanvas);
        if (copied) {
            s.undoCopy.tookWholeCopy(s.document, false);
            // The step and the undo copy hold the same painting; the step
            // takes its own cells only when the undo copy is about to change.
            s.history.keepWholeAsUndoCopy(s.document);
        } else {
            s.undoCopy.forget();
            s.history.keepWhole(s.document);
        }
    }
    // A copy that could not be made must not be swapped in later.
    s.undoValid = includeCanvas && copied;
    s.saved = false;
}

void takeStrokeSnapshot(ShellState& s) {
    s.savedSettings = s.tools.live;
    snapshotCanvasDeferred(s);
    s.history.open();
    s.saved = false;
}

void prepareCellWrite(ShellState& s, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    s.undoCopy.beforeWrite(s.document, s.undoCanvas, x0, y0, x1, y1);
    s.history.beforeWrite(s.document, x0, y0, x1, y1);
    s.documentChanges.note(x0, y0, x1, y1);
}

void prepareWholeChange(ShellState& s) {
    s.documentChanges.noteEverywhere();
    s.undoCopy.complete(s.document, s.undoCanvas);
    s.undoCopy.changedEverywhere();
    if (!s.history.keepsWholePainting()) s.history.keepWhole(s.document);
}

void paintingReplaced(ShellState& s) {
    s.history.clear();
    s.undoCopy.forget();
}

bool undo(ShellState& s) {
    ToolState& t = s.tools;
    const std::int32_t tool = t.live.tool;
    std::swap(t.live, s.savedSettings);

    bool redraw = false;
    if (s.undoValid) {
        s.documentChanges.noteEverywhere();
        s.history.copyUndoCopyCells(s.undoCanvas);
        s.undoCopy.complete(s.document, s.undoCanvas);
        recordSwap(s);
        // The swap moves the cell arrays and surfaces; sizes follow the cells.
        s.document.swapCells(s.undoCanvas);
        s.undoCopy.swapped(s.document, s.undoCanvas);
        redraw = true;
    }
    const bool resized = s.document.width != s.undoCanvas.width || s.document.height != s.undoCanvas.height;
    if (resized) redraw = true;
    if (redraw && s.document.hasCells()) renderAll(s.document);

    s.saved = false;
    s.colourChanged = true;
    t.live.tool = tool;
    // A restored size or hardness needs a fresh mask.
    t.mask.built = false;
    return resized;
}

StepResult stepBackward(ShellState& s) { return stepThroughHistory(s, true); }

StepResult stepForward(ShellState& s) { return stepThroughHistory(s, false); }

}  // namespace sc
