// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo while layers are involved: the undo copy is a copy of layers
// (LayerSnapshot) rather than of the document's cells, and Undo exchanges it
// with the painting's layers as the one-layer Undo exchanges cells.
namespace sc {

struct Painting;
struct ToolState;

// Takes the undo copy of the painting as it is: with `activeOnly` the active
// layer's cells alone (a stroke or a filter follows), else every layer and
// the stack itself (a painting of one plain layer is copied as that). Brush
// settings are kept as any snapshot keeps them; the painting counts as
// changed. The one-layer undo copy and the history are given up. False, with
// the undo copy as it was, when memory runs out.
bool snapshotLayers(Painting& p, const ToolState& tools, bool activeOnly);
// True when Undo exchanges a copy of layers.
bool layerUndoHeld(const Painting& p);
// Exchanges the painting with the copy of layers; true when the document's
// size changed. The document is made again and rendered.
bool swapLayerSnapshot(Painting& p);
// The copy of layers is given up (a one-layer snapshot replaces it).
void dropLayerSnapshot(Painting& p);

}  // namespace sc
