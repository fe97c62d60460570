// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/undo_copy.h"

#include <algorithm>

namespace sc {

void LazyUndoCopy::tookWholeCopy(const Canvas& document, bool writesAnnounced) {
    grid_ = TileGrid::of(document);
    tracked_ = document.hasCells();
    stale_.assign(grid_.count(), 0);
    changed_.assign(grid_.count(), writesAnnounced ? 0 : 1);
}

bool LazyUndoCopy::deferCopy(const Canvas& document, const Canvas& undoCopy) {
    if (!tracked_ || !grid_.fits(document) || !grid_.fits(undoCopy)) return false;
    for (std::size_t t = 0; t < stale_.size(); ++t) {
        stale_[t] |= changed_[t];
        changed_[t] = 0;
    }
    return true;
}

void LazyUndoCopy::beforeWrite(const Canvas& document, Canvas& undoCopy, std::int64_t x0, std::int64_t y0,
                               std::int64_t x1, std::int64_t y1) {
    if (!tracked_ || !grid_.fits(document) || !grid_.fits(undoCopy)) return;
    forEachTileIn(grid_, x0, y0, x1, y1, [&](std::size_t t) {
        if (stale_[t] != 0) {
            copyTileCells(document, undoCopy, grid_.cells(t));
            stale_[t] = 0;
        }
        changed_[t] = 1;
    });
}

void LazyUndoCopy::complete(const Canvas& document, Canvas& undoCopy) {
    if (!tracked_ || !grid_.fits(document) || !grid_.fits(undoCopy)) return;
    for (std::size_t t = 0; t < stale_.size(); ++t) {
        if (stale_[t] == 0) continue;
        copyTileCells(document, undoCopy, grid_.cells(t));
        stale_[t] = 0;
        // The painting and the copy agree here until the next write.
        changed_[t] = 0;
    }
}

void LazyUndoCopy::swapped(const Canvas& document, const Canvas& undoCopy) {
    // A complete copy has no stale tiles; the tiles that differ are the
    // changed ones, whichever side is the painting.
    if (!grid_.fits(document) || !grid_.fits(undoCopy)) tracked_ = false;
}

bool LazyUndoCopy::differsEverywhere() const {
    for (std::size_t t = 0; t < changed_.size(); ++t) {
        if (!changed(t)) return false;
    }
    return true;
}

void LazyUndoCopy::changedEverywhere() { std::fill(changed_.begin(), changed_.end(), 1); }

}  // namespace sc
