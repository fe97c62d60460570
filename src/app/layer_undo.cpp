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
    p.history.clear();
    p.saved = false;
    return true;
}

bool layerUndoHeld(const Painting& p) { return p.layers.undo.held; }

void dropLayerSnapshot(Painting& p) { p.layers.undo = LayerSnapshot{}; }

bool swapLayerSnapshot(Painting& p) {
    LayerStack& ls = p.layers;
    LayerSnapshot& copy = ls.undo;
    Canvas& doc = p.document;
    if (copy.oneLayer) {
        // The stack is as it was when the copy was taken: one layer changes.
        if (!ls.layered() || copy.index >= ls.layers.size() || copy.layers[0].width != doc.width ||
            copy.layers[0].height != doc.height) {
            return false;
        }
        std::swap(ls.layers[copy.index], copy.layers[0]);
        composeLayers(p);
        if (doc.hasCells()) renderAll(doc);
        return false;
    }
    LayerSnapshot present;
    if (!copyPresent(p, false, present)) return false;
    const bool resized = copy.width != doc.width || copy.height != doc.height;
    if (resized && !doc.allocate(copy.width, copy.height)) return false;
    if (copy.single) {
        Layer& only = copy.layers[0];
        if (doc.cellCount() > 0) std::memcpy(doc.cells(), only.cells.get(), doc.cellCount() * sizeof(PaintCell));
        ls.singleName = only.name;
        ls.layers.clear();
        ls.active = 0;
        ls.work.freeCells();
        ls.below.reset();
        ls.above.reset();
    } else {
        ls.layers = std::move(copy.layers);
        ls.active = copy.active;
        composeLayers(p);
    }
    ls.undo = std::move(present);
    if (doc.hasCells()) renderAll(doc);
    return resized;
}

}  // namespace sc
