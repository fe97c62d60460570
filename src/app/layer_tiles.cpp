// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/layer_tiles.h"

#include <algorithm>
#include <new>

namespace sc {
namespace {

// What one kept tile costs beyond its cells: its number and its pointers.
constexpr std::uint64_t kTileBookkeeping =
    sizeof(std::uint32_t) + sizeof(std::unique_ptr<PaintCell[]>) + sizeof(std::unique_ptr<float[]>) + 1;

// Visits the rows of a tile of the layer: the row's first cell index in the
// layer and its place among the tile's kept cells.
template <class Visit>
void forEachTileRow(const Layer& layer, const TileCells& r, Visit&& visit) {
    const std::size_t columns = r.x1 - r.x0;
    std::size_t kept = 0;
    for (std::uint32_t y = r.y0; y < r.y1; ++y, kept += columns) {
        visit(static_cast<std::size_t>(y) * layer.width + r.x0, kept, columns);
    }
}

}  // namespace

void LayerTiles::start(std::size_t index, const Layer& layer) {
    index_ = index;
    grid_ = TileGrid::ofSize(layer.width, layer.height);
    opaque_ = layer.opaque();
    tiles_.clear();
    cells_.clear();
    coverage_.clear();
    kept_.assign(grid_.count(), 0);
    bytes_ = kept_.size();
}

bool LayerTiles::fits(const Layer& layer) const {
    return layer.cells && layer.width == grid_.width && layer.height == grid_.height && layer.opaque() == opaque_ &&
           kept_.size() == grid_.count();
}

bool LayerTiles::keepTile(const Layer& layer, std::size_t tile) {
    const TileCells r = grid_.cells(tile);
    std::unique_ptr<PaintCell[]> cells(new (std::nothrow) PaintCell[r.cellCount()]);
    std::unique_ptr<float[]> coverage;
    if (!opaque_) coverage.reset(new (std::nothrow) float[r.cellCount()]);
    if (!cells || (!opaque_ && !coverage)) return false;
    forEachTileRow(layer, r, [&](std::size_t from, std::size_t to, std::size_t columns) {
        std::copy_n(&layer.cells[from], columns, &cells[to]);
        if (coverage) std::copy_n(&layer.coverage[from], columns, &coverage[to]);
    });
    tiles_.push_back(static_cast<std::uint32_t>(tile));
    cells_.push_back(std::move(cells));
    coverage_.push_back(std::move(coverage));
    kept_[tile] = 1;
    bytes_ += r.cellCount() * (sizeof(PaintCell) + (opaque_ ? 0 : sizeof(float))) + kTileBookkeeping;
    return true;
}

bool LayerTiles::keep(const Layer& layer, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    bool kept = true;
    forEachTileIn(grid_, x0, y0, x1, y1, [&](std::size_t t) {
        if (kept && kept_[t] == 0) kept = keepTile(layer, t);
    });
    return kept;
}

bool LayerTiles::keepAs(const LayerTiles& other, const Layer& layer) {
    start(other.index_, layer);
    if (!other.fits(layer)) return false;
    for (const std::uint32_t t : other.tiles_) {
        if (!keepTile(layer, t)) return false;
    }
    return true;
}

void LayerTiles::exchange(Layer& layer) {
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        const TileCells r = grid_.cells(tiles_[i]);
        PaintCell* cells = cells_[i].get();
        float* coverage = coverage_[i].get();
        forEachTileRow(layer, r, [&](std::size_t at, std::size_t kept, std::size_t columns) {
            std::swap_ranges(&layer.cells[at], &layer.cells[at] + columns, cells + kept);
            if (coverage) std::swap_ranges(&layer.coverage[at], &layer.coverage[at] + columns, coverage + kept);
        });
    }
}

bool LayerTiles::bounds(std::int64_t& x0, std::int64_t& y0, std::int64_t& x1, std::int64_t& y1) const {
    if (tiles_.empty()) return false;
    x0 = grid_.width, y0 = grid_.height, x1 = 0, y1 = 0;
    for (const std::uint32_t t : tiles_) {
        const TileCells r = grid_.cells(t);
        x0 = std::min<std::int64_t>(x0, r.x0);
        y0 = std::min<std::int64_t>(y0, r.y0);
        x1 = std::max<std::int64_t>(x1, r.x1);
        y1 = std::max<std::int64_t>(y1, r.y1);
    }
    return true;
}

}  // namespace sc
