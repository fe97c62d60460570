// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One level of undo: a copy of the cells and of the brush settings, taken just
// before a change. Undo swaps it with the present, so a second Undo redoes.
//
// Beside it runs the history (Step Backward, Step Forward): every snapshot
// that includes the canvas starts a history step, and so does every Undo
// that swaps the canvas, so the history is the list of paintings the user
// saw, in order, and the two never disagree about what the painting was.
// A step is itself a change like any other: Undo right after it returns to
// the painting as it was before the step (and is then recorded in turn).
#include <cstdint>

namespace sc {

class Canvas;
struct Painting;
struct ToolState;

// Copies the whole painting at once; the caller may then change any cell.
// With the canvas, the history keeps the whole painting as a step.
void takeUndoSnapshot(Painting& p, const ToolState& tools, bool includeCanvas);
// The snapshot of a press: the same for Undo, but the painting is copied a
// tile at a time as a change reaches it, so every change until the next
// snapshot must be announced with prepareCellWrite (the tools do so through
// the document write hook). Starts a history step for the stroke.
void takeStrokeSnapshot(Painting& p, const ToolState& tools);
// Cells [x0, x1) x [y0, y1) of the painting (not clipped) are about to change.
void prepareCellWrite(Painting& p, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
// A change that may reach any cell follows without a snapshot of its own
// (a script's new size): the undo copy is completed first, and the history
// keeps the whole painting as a step unless its open step already does.
void prepareWholeChange(Painting& p);
// The painting was replaced by a new or imported one: the history starts
// again, the next snapshot copies the whole painting, and it has no file.
void paintingReplaced(Painting& p);

// Swaps the painting and the brush settings (but not the tool) with the undo
// copy; the mask is marked for rebuilding. True when the document changed its
// size (the canvas window must be made again for it). The caller has the
// colour panels follow the restored colour.
bool undo(Painting& p, ToolState& tools);

// Renders cells [x0, x1) x [y0, y1) of the painting that changed, with the
// cells whose picture reads them.
void renderChangedCells(Canvas& document, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);

enum class StepResult : std::uint8_t { kNothing, kChanged, kResized };
// One step through the history; kNothing when there is no step that way.
StepResult stepBackward(Painting& p, const ToolState& tools);
StepResult stepForward(Painting& p, const ToolState& tools);

}  // namespace sc
