// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cell_tiles.h"

#include <algorithm>

namespace sc {

void copyTileCells(const Canvas& from, Canvas& to, const TileCells& r) {
    const std::size_t columns = r.x1 - r.x0;
    for (std::uint32_t y = r.y0; y < r.y1; ++y) std::copy_n(&from.at(r.x0, y), columns, &to.at(r.x0, y));
}

void copyTileOut(const Canvas& from, const TileCells& r, PaintCell* out) {
    const std::size_t columns = r.x1 - r.x0;
    for (std::uint32_t y = r.y0; y < r.y1; ++y, out += columns) std::copy_n(&from.at(r.x0, y), columns, out);
}

void swapTileCells(Canvas& canvas, const TileCells& r, PaintCell* kept) {
    const std::size_t columns = r.x1 - r.x0;
    for (std::uint32_t y = r.y0; y < r.y1; ++y, kept += columns) {
        PaintCell* row = &canvas.at(r.x0, y);
        std::swap_ranges(row, row + columns, kept);
    }
}

}  // namespace sc
