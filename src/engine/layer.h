// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One layer of a painting and the arithmetic that stacks layers into the one
// grid of cells the renderer shows.
//
// A layer holds cells like the painting's (colour, grain, shine, height) and,
// unless it is opaque, a coverage per cell: how much of the cell its paint
// covers, 0 (transparent) to 1. Stacked from the bottom up over a blank
// canvas, a visible layer's heights add to those below (its paint lies on
// them), and its colour, grain and shine cover what is below by its coverage
// times its opacity. An opaque layer (the background) covers by its opacity
// alone. 16 bytes a cell at most: the cell and a float of coverage.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/paint_cell.h"

namespace sc {

struct Layer {
    std::string name;
    bool visible = true;
    float opacity = 1.0f;  // 0..1
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::unique_ptr<PaintCell[]> cells;
    std::unique_ptr<float[]> coverage;  // null: the layer covers every cell

    bool opaque() const { return !coverage; }
    std::size_t cellCount() const { return static_cast<std::size_t>(width) * height; }
    float coverageAt(std::size_t i) const { return coverage ? coverage[i] : 1.0f; }
};

// Gives the layer a size with blank cells (white, no grain, shine or height),
// and coverage 0 unless it is opaque. False, with the layer unchanged, when
// memory runs out.
bool allocateLayer(Layer& layer, std::uint32_t width, std::uint32_t height, bool opaque);
// Makes `to` a copy of `from` (name and flags too). False, with `to`
// unchanged, when memory runs out.
bool copyLayer(const Layer& from, Layer& to);

// A cell being stacked, in single precision.
struct CellMix {
    float channel[5];  // red, green, blue, grain, shine
    float height;
};

inline CellMix blankMix() { return CellMix{{255.0f, 255.0f, 255.0f, 0.0f, 0.0f}, 0.0f}; }

inline CellMix mixOf(const PaintCell& c) {
    return CellMix{{float(c.red), float(c.green), float(c.blue), float(c.grain), float(c.shine)}, c.height};
}

// Lays a cell over the mix, covering it by `amount` (0..1). An amount of 1
// gives the cell's own channels exactly; 0 leaves them; the height adds.
inline void coverWith(CellMix& m, const PaintCell& c, float amount) {
    const float v[5] = {float(c.red), float(c.green), float(c.blue), float(c.grain), float(c.shine)};
    if (amount > 0.0f) {
        for (int k = 0; k < 5; ++k) m.channel[k] += (v[k] - m.channel[k]) * amount;
    }
    m.height += c.height;
}

inline std::uint8_t roundToByte(float v) {
    if (!(v > 0.0f)) return 0;
    if (v >= 255.0f) return 255;
    return static_cast<std::uint8_t>(v + 0.5f);
}

inline PaintCell cellOf(const CellMix& m) {
    PaintCell c;
    c.red = roundToByte(m.channel[0]);
    c.green = roundToByte(m.channel[1]);
    c.blue = roundToByte(m.channel[2]);
    c.grain = roundToByte(m.channel[3]);
    c.shine = roundToByte(m.channel[4]);
    c.height = m.height;
    return c;
}

// What the layers above the active one do to a cell below them, kept so that
// painting on the active layer need not stack them again: the cell's channels
// are multiplied by `through` (how much of the cell still shows) and `cover`
// (their own paint, already weighted) is added; their heights add.
struct CoverAbove {
    CellMix cover{{0.0f, 0.0f, 0.0f, 0.0f, 0.0f}, 0.0f};
    float through = 1.0f;  // 1: nothing above covers the cell
};

// True when nothing above changes the cell.
inline bool coversNothing(const CoverAbove& above) {
    return above.through == 1.0f && above.cover.height == 0.0f && above.cover.channel[0] == 0.0f &&
           above.cover.channel[1] == 0.0f && above.cover.channel[2] == 0.0f && above.cover.channel[3] == 0.0f &&
           above.cover.channel[4] == 0.0f;
}

inline PaintCell underCover(const PaintCell& below, const CoverAbove& above) {
    if (coversNothing(above)) return below;
    CellMix m = mixOf(below);
    for (int k = 0; k < 5; ++k) m.channel[k] = m.channel[k] * above.through + above.cover.channel[k];
    m.height += above.cover.height;
    return cellOf(m);
}

// Adds a layer's cell on top of what is kept of the layers above so far
// (they are gathered from the lowest up).
inline void gatherAbove(CoverAbove& above, const PaintCell& c, float amount) {
    const float v[5] = {float(c.red), float(c.green), float(c.blue), float(c.grain), float(c.shine)};
    for (int k = 0; k < 5; ++k) above.cover.channel[k] = above.cover.channel[k] * (1.0f - amount) + v[k] * amount;
    above.through *= 1.0f - amount;
    above.cover.height += c.height;
}

// The layer's cell that, laid over `below` by its opacity, shows `seen`,
// given what it covered before. Its height is what `seen` adds to `below`;
// its coverage grows as far as needed to show `seen`'s channels and never
// shrinks; where it covers nothing and nothing changed it keeps its cell.
// An opaque layer keeps covering every cell.
void takeIntoLayer(const PaintCell& below, const PaintCell& seen, float opacity, PaintCell& cell, float* coverage);

}  // namespace sc
