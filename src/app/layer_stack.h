// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layers of a painting. A painting of one plain layer (visible, fully
// opaque) keeps no layers at all: the document's own cells are that layer,
// and everything works on them exactly as it always has. Once a second layer
// comes (or the one layer is hidden or made transparent) the layers hold the
// paint and the document's cells are their stack, made again where anything
// changes; the renderer shows the document as ever.
//
// While painting, the stack is kept in three parts around the active layer:
// the layers below it stacked (`below`), that stack with the active layer on
// it (`work`, the canvas the tools paint on) and what the layers above do to
// a cell (`above`). An application then costs the tool, taking its change
// into the active layer, and laying `above` over the cells it changed.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/layer_tiles.h"
#include "engine/canvas.h"
#include "engine/layer.h"

namespace sc {

// The undo copy while layers are involved, and a history step of a layered
// painting: either every layer (a layer command, a size change, anything that
// may change the stack) or one layer (a stroke or a filter on the active
// layer, the stack otherwise as it is), whole or as the tiles a stroke wrote.
struct LayerSnapshot {
    bool held = false;
    bool single = false;    // the painting had one plain layer: layers[0] holds its cells
    bool oneLayer = false;  // layers[0] is layer `index` of the stack as it is
    bool lazy = false;      // with oneLayer: `tiles` holds the tiles of layer `index` instead
    std::size_t index = 0;
    std::vector<Layer> layers;
    LayerTiles tiles;
    std::size_t active = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;

    // The memory it holds, as the history counts it.
    std::uint64_t bytes() const {
        std::uint64_t total = sizeof(LayerSnapshot) + tiles.bytes();
        for (const Layer& l : layers) {
            total += l.cellCount() * (sizeof(PaintCell) + (l.opaque() ? 0 : sizeof(float))) + l.name.size();
        }
        return total;
    }
};

struct LayerStack {
    std::vector<Layer> layers;  // bottom first; empty: one plain layer, the document
    std::size_t active = 0;
    std::string singleName = "Background";  // the name of the one plain layer

    Canvas work;                          // below with the active layer on it; no surface
    std::unique_ptr<PaintCell[]> below;   // the visible layers under the active one
    std::unique_ptr<CoverAbove[]> above;  // what the visible layers over it do to a cell

    LayerSnapshot undo;

    bool layered() const { return !layers.empty(); }
};

}  // namespace sc
