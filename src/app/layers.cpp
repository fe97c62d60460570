// SPDX-License-Identifier: GPL-3.0-or-later
// The layer commands, and stacking the layers into the document's cells.
#include "app/layers.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "app/import_image.h"
#include "app/layer_undo.h"
#include "app/painting.h"
#include "engine/surface.h"
#include "filters/split_pixel.h"

namespace sc {
namespace {

float amountOf(const Layer& layer, std::size_t i) { return layer.coverageAt(i) * layer.opacity; }

bool plainLayer(const Layer& layer) { return layer.opaque() && layer.visible && layer.opacity == 1.0f; }

// The caches of a layered painting for the document's size.
bool makeCaches(Painting& p) {
    LayerStack& ls = p.layers;
    const Canvas& doc = p.document;
    const std::size_t count = doc.cellCount();
    if (!ls.work.hasCells() || ls.work.width != doc.width || ls.work.height != doc.height || !ls.below || !ls.above) {
        std::unique_ptr<PaintCell[]> below(new (std::nothrow) PaintCell[count]);
        std::unique_ptr<CoverAbove[]> above(new (std::nothrow) CoverAbove[count]);
        if (!below || !above || !ls.work.allocate(doc.width, doc.height)) return false;
        // The tools paint here; the document shows it, so it has no picture.
        ls.work.surface.release();
        ls.below = std::move(below);
        ls.above = std::move(above);
    }
    ls.work.kind = kDocumentCanvasKind;
    ls.work.highQuality = doc.highQuality;
    ls.work.lighting = doc.lighting;
    ls.work.light = doc.light;
    return true;
}

void freeCaches(LayerStack& ls) {
    ls.work.freeCells();
    ls.below.reset();
    ls.above.reset();
}

// The document's cells as the background of a layered painting.
bool beginLayers(Painting& p) {
    if (p.layers.layered()) return makeCaches(p);
    Layer background;
    if (!allocateLayer(background, p.document.width, p.document.height, true)) return false;
    if (p.document.cellCount() > 0) {
        std::memcpy(background.cells.get(), p.document.cells(), p.document.cellCount() * sizeof(PaintCell));
    }
    background.name = p.layers.singleName;
    p.layers.layers.push_back(std::move(background));
    p.layers.active = 0;
    if (!makeCaches(p)) {
        p.layers.layers.clear();
        return false;
    }
    return true;
}

// Cells [first, last) of the document made again from the layers.
void composeCells(Painting& p, std::size_t first, std::size_t last) {
    LayerStack& ls = p.layers;
    const std::vector<Layer>& layers = ls.layers;
    const Layer& active = layers[ls.active];
    PaintCell* doc = p.document.cells();
    PaintCell* work = ls.work.cells();
    for (std::size_t i = first; i < last; ++i) {
        CellMix mix = blankMix();
        for (std::size_t l = 0; l < ls.active; ++l) {
            if (layers[l].visible) coverWith(mix, layers[l].cells[i], amountOf(layers[l], i));
        }
        ls.below[i] = cellOf(mix);
        CellMix withActive = mixOf(ls.below[i]);
        coverWith(withActive, active.cells[i], amountOf(active, i));
        work[i] = cellOf(withActive);
        CoverAbove& above = ls.above[i];
        above = CoverAbove{};
        for (std::size_t l = ls.active + 1; l < layers.size(); ++l) {
            if (layers[l].visible) gatherAbove(above, layers[l].cells[i], amountOf(layers[l], i));
        }
        doc[i] = underCover(active.visible ? work[i] : ls.below[i], above);
    }
}

// After a change of the stack: a painting left with one plain layer becomes
// the document alone again; else the document is made again.
void settle(Painting& p) {
    LayerStack& ls = p.layers;
    if (ls.layers.size() == 1 && plainLayer(ls.layers[0])) {
        Layer& only = ls.layers[0];
        if (p.document.cellCount() > 0) {
            std::memcpy(p.document.cells(), only.cells.get(), p.document.cellCount() * sizeof(PaintCell));
        }
        ls.singleName = only.name;
        ls.layers.clear();
        ls.active = 0;
        freeCaches(ls);
        p.document.invalidate();
        return;
    }
    composeLayers(p);
}

bool validLayer(const Painting& p, std::size_t layer) { return layer < layerCount(p); }

// What every command that changes the stack does first: the undo copy of
// every layer, then layers of the painting's own (its document's cells as
// the background). On failure nothing has changed.
LayerError beginCommand(Painting& p, const ToolState& tools) {
    if (!snapshotLayers(p, tools, false)) return LayerError::kNoMemory;
    if (!beginLayers(p)) return LayerError::kNoMemory;
    return LayerError::kNone;
}

std::string defaultName(const Painting& p) {
    // The first "Layer N" not taken, counting from the number of layers.
    for (std::size_t n = layerCount(p) + 1;; ++n) {
        std::string name = "Layer " + std::to_string(n);
        bool taken = false;
        for (std::size_t i = 0; i < layerCount(p); ++i) taken = taken || layerName(p, i) == name;
        if (!taken) return name;
    }
}

// The layer goes directly above layer `below` and becomes the active one.
LayerError insertAbove(Painting& p, const ToolState& tools, Layer&& made, std::size_t below) {
    const LayerError e = beginCommand(p, tools);
    if (e != LayerError::kNone) return e;
    LayerStack& ls = p.layers;
    // Chosen after the undo copy, which keeps the active layer as it was.
    if (below < ls.layers.size()) ls.active = below;
    ls.layers.insert(ls.layers.begin() + static_cast<std::ptrdiff_t>(ls.active + 1), std::move(made));
    ++ls.active;
    settle(p);
    return LayerError::kNone;
}

}  // namespace

const char* layerErrorText(LayerError error) {
    switch (error) {
        case LayerError::kNone: return nullptr;
        case LayerError::kTooMany: return kTooManyLayersText;
        case LayerError::kNoMemory: return kNoMemoryForLayerText;
        case LayerError::kLastLayer: return kLastLayerText;
        case LayerError::kNothingBelow: return kNothingBelowText;
        case LayerError::kNoSuchLayer: return kNoSuchLayerText;
    }
    return nullptr;
}

std::size_t layerCount(const Painting& p) { return p.layers.layered() ? p.layers.layers.size() : 1; }

std::size_t activeLayer(const Painting& p) { return p.layers.layered() ? p.layers.active : 0; }

const std::string& layerName(const Painting& p, std::size_t layer) {
    return p.layers.layered() ? p.layers.layers.at(layer).name : p.layers.singleName;
}

bool layerVisible(const Painting& p, std::size_t layer) {
    return p.layers.layered() ? p.layers.layers.at(layer).visible : true;
}

float layerOpacity(const Painting& p, std::size_t layer) {
    return p.layers.layered() ? p.layers.layers.at(layer).opacity : 1.0f;
}

void composeLayers(Painting& p) {
    if (!p.layers.layered() || !makeCaches(p)) return;
    composeCells(p, 0, p.document.cellCount());
    p.document.invalidate();
}

void composeLayerCells(Painting& p, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    const Canvas& doc = p.document;
    x0 = std::max<std::int64_t>(x0, 0);
    y0 = std::max<std::int64_t>(y0, 0);
    x1 = std::min<std::int64_t>(x1, doc.width);
    y1 = std::min<std::int64_t>(y1, doc.height);
    for (std::int64_t y = y0; y < y1; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * doc.width;
        composeCells(p, row + static_cast<std::size_t>(x0), row + static_cast<std::size_t>(x1));
    }
}

LayerError addLayer(Painting& p, const ToolState& tools, const std::string& name) {
    if (layerCount(p) >= kMaxLayers) return LayerError::kTooMany;
    Layer made;
    if (!allocateLayer(made, p.document.width, p.document.height, false)) return LayerError::kNoMemory;
    made.name = name.empty() ? defaultName(p) : name;
    return insertAbove(p, tools, std::move(made), activeLayer(p));
}

LayerError duplicateLayer(Painting& p, const ToolState& tools, std::size_t layer) {
    if (!validLayer(p, layer)) return LayerError::kNoSuchLayer;
    if (layerCount(p) >= kMaxLayers) return LayerError::kTooMany;
    Layer made;
    if (p.layers.layered()) {
        if (!copyLayer(p.layers.layers[layer], made)) return LayerError::kNoMemory;
    } else {
        if (!allocateLayer(made, p.document.width, p.document.height, true)) return LayerError::kNoMemory;
        if (p.document.cellCount() > 0) {
            std::memcpy(made.cells.get(), p.document.cells(), p.document.cellCount() * sizeof(PaintCell));
        }
        made.name = p.layers.singleName;
    }
    made.name += " copy";
    return insertAbove(p, tools, std::move(made), layer);
}

LayerError deleteLayer(Painting& p, const ToolState& tools, std::size_t layer) {
    if (!validLayer(p, layer)) return LayerError::kNoSuchLayer;
    if (layerCount(p) == 1) return LayerError::kLastLayer;
    const LayerError e = beginCommand(p, tools);
    if (e != LayerError::kNone) return e;
    LayerStack& ls = p.layers;
    ls.layers.erase(ls.layers.begin() + static_cast<std::ptrdiff_t>(layer));
    if (ls.active > layer || ls.active >= ls.layers.size()) ls.active = ls.active > 0 ? ls.active - 1 : 0;
    settle(p);
    return LayerError::kNone;
}

LayerError moveLayer(Painting& p, const ToolState& tools, std::size_t layer, std::size_t to) {
    if (!validLayer(p, layer) || !validLayer(p, to)) return LayerError::kNoSuchLayer;
    if (layer == to) return LayerError::kNone;
    const LayerError e = beginCommand(p, tools);
    if (e != LayerError::kNone) return e;
    LayerStack& ls = p.layers;
    const bool wasActive = ls.active == layer;
    Layer moving = std::move(ls.layers[layer]);
    ls.layers.erase(ls.layers.begin() + static_cast<std::ptrdiff_t>(layer));
    if (!wasActive && ls.active > layer) --ls.active;
    ls.layers.insert(ls.layers.begin() + static_cast<std::ptrdiff_t>(to), std::move(moving));
    if (wasActive) {
        ls.active = to;
    } else if (ls.active >= to) {
        ++ls.active;
    }
    settle(p);
    return LayerError::kNone;
}

LayerError mergeLayerDown(Painting& p, const ToolState& tools, std::size_t layer) {
    if (!validLayer(p, layer)) return LayerError::kNoSuchLayer;
    if (layer == 0) return LayerError::kNothingBelow;
    LayerStack& ls = p.layers;
    const Layer& upper = ls.layers[layer];
    const Layer& lower = ls.layers[layer - 1];
    // The merged layer covers as the two did together, its opacity folded in.
    const bool opaque = lower.opaque() && lower.opacity == 1.0f;
    Layer merged;
    if (!allocateLayer(merged, lower.width, lower.height, opaque)) return LayerError::kNoMemory;
    const std::size_t count = lower.cellCount();
    for (std::size_t i = 0; i < count; ++i) {
        const float a = lower.visible ? amountOf(lower, i) : 0.0f;
        const float b = upper.visible ? amountOf(upper, i) : 0.0f;
        PaintCell& out = merged.cells[i];
        if (opaque) {
            CellMix mix = mixOf(lower.cells[i]);
            if (!lower.visible) mix = blankMix(), mix.height = 0.0f;
            PaintCell top = upper.cells[i];
            if (!upper.visible) top.height = 0.0f;
            coverWith(mix, top, b);
            out = cellOf(mix);
            continue;
        }
        const float both = 1.0f - (1.0f - a) * (1.0f - b);
        merged.coverage[i] = both;
        out.height = (lower.visible ? lower.cells[i].height : 0.0f) + (upper.visible ? upper.cells[i].height : 0.0f);
        if (both <= 0.0f) {
            out = lower.cells[i];
            out.height =
                0.0f + (lower.visible ? lower.cells[i].height : 0.0f) + (upper.visible ? upper.cells[i].height : 0.0f);
            continue;
        }
        const PaintCell& l = lower.cells[i];
        const PaintCell& u = upper.cells[i];
        const float wl = a * (1.0f - b) / both, wu = b / both;
        out.red = roundToByte(l.red * wl + u.red * wu);
        out.green = roundToByte(l.green * wl + u.green * wu);
        out.blue = roundToByte(l.blue * wl + u.blue * wu);
        out.grain = roundToByte(l.grain * wl + u.grain * wu);
        out.shine = roundToByte(l.shine * wl + u.shine * wu);
    }
    merged.name = lower.name;
    merged.visible = true;
    merged.opacity = 1.0f;
    const LayerError e = beginCommand(p, tools);
    if (e != LayerError::kNone) return e;
    ls.layers[layer - 1] = std::move(merged);
    ls.layers.erase(ls.layers.begin() + static_cast<std::ptrdiff_t>(layer));
    if (ls.active >= layer) --ls.active;
    settle(p);
    return LayerError::kNone;
}

LayerError selectLayer(Painting& p, std::size_t layer) {
    if (!validLayer(p, layer)) return LayerError::kNoSuchLayer;
    if (!p.layers.layered() || p.layers.active == layer) return LayerError::kNone;
    p.layers.active = layer;
    // The stack is split anew around the active layer; the picture is the same.
    composeLayers(p);
    return LayerError::kNone;
}

LayerError setLayerVisible(Painting& p, const ToolState& tools, std::size_t layer, bool visible) {
    if (!validLayer(p, layer)) return LayerError::kNoSuchLayer;
    if (layerVisible(p, layer) == visible) return LayerError::kNone;
    const LayerError e = beginCommand(p, tools);
    if (e != LayerError::kNone) return e;
    p.layers.layers[layer].visible = visible;
    settle(p);
    return LayerError::kNone;
}

LayerError setLayerOpacity(Painting& p, const ToolState& tools, std::size_t layer, float opacity) {
    if (!validLayer(p, layer)) return LayerError::kNoSuchLayer;
    opacity = std::clamp(opacity, 0.0f, 1.0f);
    if (layerOpacity(p, layer) == opacity) return LayerError::kNone;
    const LayerError e = beginCommand(p, tools);
    if (e != LayerError::kNone) return e;
    p.layers.layers[layer].opacity = opacity;
    settle(p);
    return LayerError::kNone;
}

LayerError renameLayer(Painting& p, const ToolState& tools, std::size_t layer, const std::string& name) {
    if (!validLayer(p, layer)) return LayerError::kNoSuchLayer;
    if (layerName(p, layer) == name) return LayerError::kNone;
    if (!p.layers.layered()) {
        // The picture cannot change: an undo step of the name alone.
        if (!snapshotLayers(p, tools, false)) return LayerError::kNoMemory;
        p.layers.singleName = name;
        return LayerError::kNone;
    }
    const LayerError e = beginCommand(p, tools);
    if (e != LayerError::kNone) return e;
    p.layers.layers[layer].name = name;
    return LayerError::kNone;
}

LayerError importAsLayer(Painting& p, const ToolState& tools, const std::string& path, bool& failureShown,
                         bool& pictureRead) {
    pictureRead = false;
    if (layerCount(p) >= kMaxLayers) return LayerError::kTooMany;
    Surface picture;
    if (!loadPictureFile(picture, path, failureShown)) return LayerError::kNone;
    pictureRead = true;
    Layer made;
    if (!allocateLayer(made, p.document.width, p.document.height, false)) return LayerError::kNoMemory;
    // The picture from the top left corner, as Import Image converts it;
    // outside it the layer stays transparent.
    const std::uint32_t w = std::min(picture.width(), p.document.width);
    const std::uint32_t h = std::min(picture.height(), p.document.height);
    for (std::uint32_t y = 0; y < h; ++y) {
        const std::uint8_t* px = picture.pixelAddress(0, y);
        for (std::uint32_t x = 0; x < w; ++x, px += 3) {
            const std::size_t i = static_cast<std::size_t>(y) * p.document.width + x;
            const SplitPixel split = splitPixel(px[2], px[1], px[0]);
            PaintCell& c = made.cells[i];
            c.red = split.red;
            c.green = split.green;
            c.blue = split.blue;
            c.grain = split.grain;
            c.shine = 255;
            c.height = 0.0f;
            made.coverage[i] = 1.0f;
        }
    }
    const std::size_t slash = path.find_last_of('/');
    made.name = slash == std::string::npos ? path : path.substr(slash + 1);
    return insertAbove(p, tools, std::move(made), activeLayer(p));
}

}  // namespace sc
