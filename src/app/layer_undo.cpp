// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/layer_undo.h"

#include <cstring>
#include <utility>

#include "app/layers.h"
#include "app/painting.h"
#include "engine/renderer.h"
#include "tools/tool_state.h"

namespace sc {
namespace {

// The painting as it is, as a copy of layers.
bool copyPresent(const Painting& p, bool activeOnly, LayerSnapshot& out) {
    const LayerStack& ls = p.layers;
    LayerSnapshot made;
    made.held = true;
    made.width = p.document.width;
    made.height = p.document.height;
    if (!ls.layered()) {
        Layer only;
        if (!allocateLayer(only, p.document.width, p.document.height, true)) return false;
        if (p.document.cellCount() > 0) {
            std::memcpy(only.cells.get(), p.document.cells(), p.document.cellCount() * sizeof(PaintCell));
        }
        only.name = ls.singleName;
        made.single = true;
        made.layers.push_back(std::move(only));
    } else if (activeOnly) {
        Layer copy;
        if (!copyLayer(ls.layers[ls.active], copy)) return false;
        made.oneLayer = true;
        made.index = ls.active;
        made.active = ls.active;
        made.layers.push_back(std::move(copy));
    } else {
        made.layers.resize(ls.layers.size());
        for (std::size_t i = 0; i < ls.layers.size(); ++i) {
            if (!copyLayer(ls.layers[i], made.layers[i])) return false;
        }
        made.active = ls.active;
    }
    out = std::move(made);
    return true;
}

// True when the copy can be exchanged with the painting as it is: a copy of
// one layer (or of its tiles) only into that layer at the same size.
bool fitsPainting(const Painting& p, const LayerSnapshot& s) {
    if (!s.held) return false;
    if (!s.oneLayer) return true;
    const LayerStack& ls = p.layers;
    if (!ls.layered() || s.index >= ls.layers.size() || s.active >= ls.layers.size()) return false;
    const Layer& layer = ls.layers[s.index];
    if (s.lazy) return s.tiles.fits(layer);
    return !s.layers.empty() && s.layers[0].width == layer.width && s.layers[0].height == layer.height;
}

// An empty copy of layer `index` of the painting as it is, its tiles or
// cells still to come.
LayerSnapshot oneLayerSnapshot(const Painting& p, std::size_t index) {
    LayerSnapshot s;
    s.held = true;
    s.oneLayer = true;
    s.index = index;
    s.active = p.layers.active;
    s.width = p.document.width;
    s.height = p.document.height;
    return s;
}

// The painting as it is, in the shape of a copy that fits it: the same
// layer or the same tiles of it, or every layer.
bool copyPresentAs(const Painting& p, const LayerSnapshot& shape, LayerSnapshot& out) {
    if (!shape.oneLayer) return copyPresent(p, false, out);
    const LayerStack& ls = p.layers;
    LayerSnapshot made = oneLayerSnapshot(p, shape.index);
    if (shape.lazy) {
        made.lazy = true;
        if (!made.tiles.keepAs(shape.tiles, ls.layers[shape.index])) return false;
    } else {
        made.layers.emplace_back();
        if (!copyLayer(ls.layers[shape.index], made.layers[0])) return false;
    }
    out = std::move(made);
    return true;
}

// What a copy of every layer of the painting as it is holds.
std::uint64_t presentBytes(const Painting& p) {
    if (!p.layers.layered()) return p.document.cellCount() * sizeof(PaintCell);
    std::uint64_t total = 0;
    for (const Layer& l : p.layers.layers) {
        total += l.cellCount() * (sizeof(PaintCell) + (l.opaque() ? 0 : sizeof(float)));
    }
    return total;
}

// The history keeps the painting as it is, in the shape of `shape`, as a
// step; when it cannot, the history is given up (a change it does not hold
// must not be stepped across).
void keepInHistory(Painting& p, const LayerSnapshot& shape) {
    p.history.close();
    const std::uint64_t cost = shape.oneLayer ? shape.bytes() : presentBytes(p);
    LayerSnapshot before;
    if (cost > p.history.budget() || !copyPresentAs(p, shape, before)) {
        p.history.clear();
        return;
    }
    p.history.keepLayers(std::move(before));
}

// Exchanges a copy that fits with the painting: the copy then holds the
// painting as it was. The stack's caches and the document are made again,
// and rendered, where anything changed.
StepResult exchangeLayers(Painting& p, LayerSnapshot& s) {
    LayerStack& ls = p.layers;
    Canvas& doc = p.document;
    if (s.oneLayer) {
        Layer& layer = ls.layers[s.index];
        // The active layer goes back too: choosing one is no step of its own,
        // but the stack is split around it, which can move a level.
        const bool reselected = s.active != ls.active;
        std::swap(ls.active, s.active);
        if (s.lazy) {
            s.tiles.exchange(layer);
            std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
            if (reselected) {
                p.documentChanges.noteEverywhere();
                composeLayers(p);
                if (doc.hasCells()) renderAll(doc);
            } else if (s.tiles.bounds(x0, y0, x1, y1)) {
                p.documentChanges.note(x0, y0, x1, y1);
                composeLayerCells(p, x0, y0, x1, y1);
                if (doc.hasCells()) renderChangedCells(doc, x0, y0, x1, y1);
            }
            return StepResult::kChanged;
        }
        p.documentChanges.noteEverywhere();
        std::swap(layer, s.layers[0]);
        composeLayers(p);
        if (doc.hasCells()) renderAll(doc);
        return StepResult::kChanged;
    }
    // Every layer: the present moves into the copy (a plain painting's cells
    // are copied, as they are the document's own).
    LayerSnapshot present;
    present.held = true;
    present.width = doc.width;
    present.height = doc.height;
    if (!ls.layered()) {
        Layer only;
        if (!allocateLayer(only, doc.width, doc.height, true)) return StepResult::kNothing;
        if (doc.cellCount() > 0) std::memcpy(only.cells.get(), doc.cells(), doc.cellCount() * sizeof(PaintCell));
        only.name = ls.singleName;
        present.single = true;
        present.layers.push_back(std::move(only));
    }
    const bool resized = s.width != doc.width || s.height != doc.height;
    if (resized && !doc.allocate(s.width, s.height)) return StepResult::kNothing;
    p.documentChanges.noteEverywhere();
    if (ls.layered()) {
        present.layers = std::move(ls.layers);
        present.active = ls.active;
    }
    if (s.single) {
        const Layer& only = s.layers[0];
        if (doc.cellCount() > 0) std::memcpy(doc.cells(), only.cells.get(), doc.cellCount() * sizeof(PaintCell));
        // The plain painting keeps no layers: none and no caches.
        replaceLayers(p, {}, 0);
        ls.singleName = only.name;
        doc.invalidate();
    } else {
        replaceLayers(p, std::move(s.layers), s.active);
    }
    s = std::move(present);
    if (doc.hasCells()) renderAll(doc);
    return resized ? StepResult::kResized : StepResult::kChanged;
}

}  // namespace

bool snapshotLayers(Painting& p, const ToolState& tools, bool activeOnly) {
    LayerSnapshot made;
    // The old copy goes first when it is not needed, so that memory for one
    // copy is enough.
    p.layers.undo = LayerSnapshot{};
    if (!copyPresent(p, activeOnly, made)) return false;
    p.layers.undo = std::move(made);
    p.savedSettings = tools.live;
    p.undoValid = false;
    p.undoCopy.forget();
    // The one-layer undo copy's cells are not read again before a whole copy
    // is made into them: a history step sharing them takes them.
    p.history.takeUndoCopyCells(p.undoCanvas);
    keepInHistory(p, p.layers.undo);
    p.saved = false;
    return true;
}

void snapshotLayerStroke(Painting& p, const ToolState& tools) {
    LayerStack& ls = p.layers;
    LayerSnapshot& u = ls.undo;
    u = oneLayerSnapshot(p, ls.active);
    u.lazy = true;
    u.tiles.start(ls.active, ls.layers[ls.active]);
    p.savedSettings = tools.live;
    p.undoValid = false;
    p.undoCopy.forget();
    p.history.takeUndoCopyCells(p.undoCanvas);
    p.history.open();
    p.saved = false;
}

void noteLayerWrite(Painting& p, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    LayerStack& ls = p.layers;
    const Layer& layer = ls.layers[ls.active];
    LayerSnapshot& u = ls.undo;
    // A copy of another layer does not follow this one (Undo leaves it).
    if (u.held && u.lazy && u.index == ls.active && u.tiles.fits(layer) && !u.tiles.keep(layer, x0, y0, x1, y1)) {
        // Memory ran out: a copy missing a tile would undo to a painting that never was.
        u = LayerSnapshot{};
    }
    p.history.beforeLayerWrite(layer, ls.active, x0, y0, x1, y1);
}

void prepareLayersChange(Painting& p) {
    if (p.history.keepsEveryLayer()) return;
    keepInHistory(p, LayerSnapshot{});  // every layer
}

bool layerUndoHeld(const Painting& p) { return p.layers.undo.held; }

void dropLayerSnapshot(Painting& p) { p.layers.undo = LayerSnapshot{}; }

bool swapLayerSnapshot(Painting& p) {
    LayerSnapshot& copy = p.layers.undo;
    if (!fitsPainting(p, copy)) return false;
    // An Undo is a step of the history like any other change.
    keepInHistory(p, copy);
    p.history.close();
    return exchangeLayers(p, copy) == StepResult::kResized;
}

StepResult exchangeLayerStep(Painting& p, const ToolState& tools, HistoryStep& step) {
    LayerSnapshot& s = *step.layers;
    if (!fitsPainting(p, s)) {
        // Cannot happen while every change is recorded; the rest of the
        // history goes with the step.
        p.history.clear();
        return StepResult::kNothing;
    }
    p.history.close();
    // Undo right after the step returns to the painting as it is now.
    LayerStack& ls = p.layers;
    ls.undo = LayerSnapshot{};
    LayerSnapshot present;
    if (copyPresentAs(p, s, present)) ls.undo = std::move(present);
    p.savedSettings = tools.live;
    p.undoValid = false;
    p.undoCopy.forget();
    p.history.takeUndoCopyCells(p.undoCanvas);
    p.saved = false;
    return exchangeLayers(p, s);
}

}  // namespace sc
