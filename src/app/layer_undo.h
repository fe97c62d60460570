// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo and the history while layers are involved: the undo copy is a copy of
// layers (LayerSnapshot) rather than of the document's cells, and Undo
// exchanges it with the painting's layers as the one-layer Undo exchanges
// cells. The history's steps of a layered painting hold LayerSnapshots too,
// and a step is exchanged with the painting the same way.
#include <cstdint>

#include "app/undo.h"

namespace sc {

struct HistoryStep;
struct Painting;
struct ToolState;

// Takes the undo copy of the painting as it is: with `activeOnly` the active
// layer's cells alone (a filter follows), else every layer and the stack
// itself (a painting of one plain layer is copied as that). Brush settings
// are kept as any snapshot keeps them; the painting counts as changed. The
// history keeps the same painting as a step. False, with no undo copy of
// layers, when memory runs out.
bool snapshotLayers(Painting& p, const ToolState& tools, bool activeOnly);
// The snapshot of a press on a layered painting: the undo copy and the
// history's step keep the active layer's tiles one at a time, just before
// the first write to each (noteLayerWrite).
void snapshotLayerStroke(Painting& p, const ToolState& tools);
// Cells [x0, x1) x [y0, y1) (not clipped) of the active layer are about to
// change.
void noteLayerWrite(Painting& p, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
// A change that may reach every layer follows without a snapshot (a script's
// new size): the history keeps every layer as a step unless its open step
// already keeps a whole painting.
void prepareLayersChange(Painting& p);
// True when Undo exchanges a copy of layers.
bool layerUndoHeld(const Painting& p);
// Exchanges the painting with the copy of layers, recorded in the history
// as a step; true when the document's size changed. The document is made
// again and rendered where it changed.
bool swapLayerSnapshot(Painting& p);
// The copy of layers is given up (a one-layer snapshot replaces it).
void dropLayerSnapshot(Painting& p);
// Exchanges the painting with a history step holding layers; the step then
// holds the painting as it was, and the undo copy is that painting too. A
// step that does not fit the painting is not applied and the history is
// given up (kNothing).
StepResult exchangeLayerStep(Painting& p, const ToolState& tools, HistoryStep& step);

}  // namespace sc
