// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tiles of one layer of a layered painting as they were before a change,
// each kept just before the first write to it, so a stroke costs a copy of
// the tiles it touches rather than of the whole layer. Exchanging them with
// the layer leaves the other side here: the same record then leads back.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/cell_tiles.h"
#include "engine/layer.h"

namespace sc {

class LayerTiles {
public:
    // Starts an empty record of layer number `index`, of that layer's size
    // and kind (with coverage or opaque).
    void start(std::size_t index, const Layer& layer);
    std::size_t index() const { return index_; }
    // True when the record can be exchanged with (or kept from) the layer.
    bool fits(const Layer& layer) const;
    // Cells [x0, x1) x [y0, y1) of the layer (not clipped) are about to
    // change: the tiles among them not kept yet are kept. False when memory
    // runs out (what was kept stays).
    bool keep(const Layer& layer, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
    // Keeps from the layer the tiles `other` keeps (the other side of it).
    bool keepAs(const LayerTiles& other, const Layer& layer);
    // Exchanges the kept tiles with the layer's (the record must fit).
    void exchange(Layer& layer);
    // The cells the kept tiles cover; false when none is kept.
    bool bounds(std::int64_t& x0, std::int64_t& y0, std::int64_t& x1, std::int64_t& y1) const;
    std::uint64_t bytes() const { return bytes_; }

private:
    std::size_t index_ = 0;
    TileGrid grid_;
    bool opaque_ = true;
    std::vector<std::uint32_t> tiles_;                 // tile numbers, in the order kept
    std::vector<std::unique_ptr<PaintCell[]>> cells_;  // each tile's cells, row by row
    std::vector<std::unique_ptr<float[]>> coverage_;   // and coverage (none for an opaque layer)
    std::vector<std::uint8_t> kept_;                   // per tile of the grid
    std::uint64_t bytes_ = 0;

    bool keepTile(const Layer& layer, std::size_t tile);
};

}  // namespace sc
