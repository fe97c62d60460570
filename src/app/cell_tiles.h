// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A painting cut into square tiles of cells, the unit in which the undo copy
// is brought up to date and the history keeps what a step changed.
#include <algorithm>
#include <cstdint>

#include "engine/canvas.h"

namespace sc {

inline constexpr std::uint32_t kTileSide = 32;

// Cells [x0, x1) x [y0, y1).
struct TileCells {
    std::uint32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    std::size_t cellCount() const { return static_cast<std::size_t>(x1 - x0) * (y1 - y0); }
};

// The tiles of a width x height painting, numbered row by row; the last
// column and row may be narrower.
struct TileGrid {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t columns = 0;
    std::uint32_t rows = 0;

    static TileGrid of(const Canvas& canvas) {
        return canvas.hasCells() ? ofSize(canvas.width, canvas.height) : ofSize(0, 0);
    }
    static TileGrid ofSize(std::uint32_t width, std::uint32_t height) {
        TileGrid g;
        g.width = width;
        g.height = height;
        g.columns = (g.width + kTileSide - 1) / kTileSide;
        g.rows = (g.height + kTileSide - 1) / kTileSide;
        return g;
    }
    bool fits(const Canvas& canvas) const {
        return canvas.hasCells() && canvas.width == width && canvas.height == height;
    }
    std::size_t count() const { return static_cast<std::size_t>(columns) * rows; }
    TileCells cells(std::size_t tile) const {
        const auto x0 = static_cast<std::uint32_t>(tile % columns) * kTileSide;
        const auto y0 = static_cast<std::uint32_t>(tile / columns) * kTileSide;
        return {x0, y0, std::min(x0 + kTileSide, width), std::min(y0 + kTileSide, height)};
    }
};

// Visits the tiles that hold any cell of [x0, x1) x [y0, y1) (clipped to the
// grid) by number.
template <class Visit>
void forEachTileIn(const TileGrid& g, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                   Visit&& visit) {
    x0 = std::max<std::int64_t>(x0, 0);
    y0 = std::max<std::int64_t>(y0, 0);
    x1 = std::min<std::int64_t>(x1, g.width);
    y1 = std::min<std::int64_t>(y1, g.height);
    if (x0 >= x1 || y0 >= y1) return;
    for (std::int64_t ty = y0 / kTileSide; ty <= (y1 - 1) / kTileSide; ++ty) {
        for (std::int64_t tx = x0 / kTileSide; tx <= (x1 - 1) / kTileSide; ++tx) {
            visit(static_cast<std::size_t>(ty) * g.columns + static_cast<std::size_t>(tx));
        }
    }
}

// The cells of r from one canvas to another of the same size.
void copyTileCells(const Canvas& from, Canvas& to, const TileCells& r);
// The cells of r, row by row, out of the canvas into `out` (r.cellCount()).
void copyTileOut(const Canvas& from, const TileCells& r, PaintCell* out);
// Exchanges the cells of r with those kept in `kept` (row by row).
void swapTileCells(Canvas& canvas, const TileCells& r, PaintCell* kept);

}  // namespace sc
