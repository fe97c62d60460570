#pragma once
// One level of undo: a copy of the cells and of the brush settings, taken just
// before a change. Undo swaps it with the present, so a second Undo redoes.

namespace sc {

void takeUndoSnapshot(bool includeCanvas);
void undo();

// Called when Undo changed the document's size; the shell re-creates the
// canvas window. Null where no shell runs.
extern void (*undoResizedDocument)();

}  // namespace sc
