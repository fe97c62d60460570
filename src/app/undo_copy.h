// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The undo copy of the painting, brought up to date tile by tile. A snapshot
// at a press does not copy the painting: the tiles where the copy may differ
// from the painting are marked stale, and a stale tile is copied only just
// before something writes to it. The copy's true content is therefore its
// own cells on fresh tiles and the painting's on stale ones; complete() makes
// it whole before anything reads it.
#include <cstdint>
#include <vector>

#include "app/cell_tiles.h"
#include "engine/canvas.h"

namespace sc {

class LazyUndoCopy {
public:
    // The whole painting was just copied into the undo copy. With
    // `writesAnnounced` every later change of the painting comes through
    // beforeWrite; without, the caller may change any cell.
    void tookWholeCopy(const Canvas& document, bool writesAnnounced);
    // Takes a copy of the present painting by marking tiles stale. False when
    // that cannot be done (sizes differ, or a change went unannounced): the
    // caller then copies the whole painting.
    bool deferCopy(const Canvas& document, const Canvas& undoCopy);
    // Cells [x0, x1) x [y0, y1) of the painting are about to change.
    void beforeWrite(const Canvas& document, Canvas& undoCopy, std::int64_t x0, std::int64_t y0, std::int64_t x1,
                     std::int64_t y1);
    // Copies every stale tile, so the undo copy's cells are all its own.
    void complete(const Canvas& document, Canvas& undoCopy);
    // The painting and the (complete) undo copy were exchanged.
    void swapped(const Canvas& document, const Canvas& undoCopy);
    // The painting may now differ anywhere from the undo copy.
    void changedEverywhere();
    // The painting was replaced by means the copy cannot follow; the next
    // snapshot copies it whole.
    void forget() { tracked_ = false; }

    // The tiles where the painting may differ from the undo copy (for the
    // history's record of an Undo); every tile when untracked.
    bool tracked(const Canvas& document) const { return tracked_ && grid_.fits(document); }
    const TileGrid& grid() const { return grid_; }
    bool changed(std::size_t tile) const { return changed_[tile] != 0 || stale_[tile] != 0; }
    // True when every tile may differ, so the next deferred copy reads none
    // of the undo copy's own cells.
    bool differsEverywhere() const;

private:
    TileGrid grid_;
    bool tracked_ = false;
    std::vector<std::uint8_t> stale_;    // the painting holds the copy's cells
    std::vector<std::uint8_t> changed_;  // written since the last snapshot
};

}  // namespace sc
