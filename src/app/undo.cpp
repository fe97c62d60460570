#include "app/undo.h"

#include <algorithm>
#include <utility>

#include "app/shell_state.h"
#include "engine/renderer.h"
#include "tools/tool_state.h"

namespace sc {
namespace {

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

}  // namespace

void takeUndoSnapshot(ShellState& s, bool includeCanvas) {
    s.savedSettings = toolState().live;
    bool copied = false;
    if (includeCanvas) copied = copyCells(s.document, s.undoCanvas);
    // A copy that could not be made must not be swapped in later.
    s.undoValid = includeCanvas && copied;
    s.saved = false;
}

bool undo(ShellState& s) {
    ToolState& t = toolState();
    const std::int32_t tool = t.live.tool;
    std::swap(t.live, s.savedSettings);

    bool redraw = false;
    if (s.undoValid) {
        // The swap moves the cell arrays and surfaces; sizes follow the cells.
        s.document.swapCells(s.undoCanvas);
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

}  // namespace sc
