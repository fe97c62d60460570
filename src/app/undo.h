#pragma once
// One level of undo: a copy of the cells and of the brush settings, taken just
// before a change. Undo swaps it with the present, so a second Undo redoes.

namespace sc {

struct ShellState;

void takeUndoSnapshot(ShellState& s, bool includeCanvas);
// True when the document changed its size (the canvas window must be made
// again for it).
bool undo(ShellState& s);

}  // namespace sc
