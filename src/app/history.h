// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The history: the paintings the user went through, as steps that each keep
// only what changed. A step holds the cells of the tiles a change touched (a
// stroke's squares) or a whole painting (a filter, a size change), taken from
// one side of the change; stepping exchanges them with the painting, so the
// same step then holds the other side. Steps beyond the present are dropped
// when a new change starts; the oldest go when the steps outgrow the budget.
//
// A whole step taken with the undo copy holds no cells of its own at first:
// it equals the undo copy (which the caller has just made of the painting)
// until the undo copy is about to change, when it takes the undo copy's
// arrays or a copy of them. The storage of one dropped whole step is kept
// as a spare for the next, so a large painting's pages are not faulted in
// again; the spare is outside the budget.
//
// A layered painting's steps hold layers instead (LayerSnapshot): every
// layer for a layer command or a size change, the active layer for a filter,
// or the tiles of one layer a stroke wrote. The painting of one plain layer
// and a layered one follow each other in the same list of steps.
#include <cstdint>
#include <deque>
#include <future>
#include <memory>
#include <vector>

#include "app/cell_tiles.h"
#include "app/layer_stack.h"
#include "engine/canvas.h"

namespace sc {

struct HistoryStep {
    TileGrid grid;                                    // the painting the tiles belong to
    std::vector<std::uint32_t> tiles;                 // tile numbers, in the order kept
    std::vector<std::unique_ptr<PaintCell[]>> cells;  // each tile's cells, row by row
    std::unique_ptr<Canvas> whole;                    // or a whole painting of any size
                                                      // (null while it is the undo copy's)
    std::unique_ptr<LayerSnapshot> layers;            // or layers of a layered painting
    std::uint64_t bytes = 0;
};

class History {
public:
    void setBudget(std::uint64_t bytes);
    std::uint64_t budget() const { return budget_; }

    // No steps, nothing open.
    void clear();
    // A new step starts from the painting as it is; steps beyond the present
    // are dropped. It stays open, collecting tiles, until close() or the next
    // open().
    void open();
    void close();
    // Cells [x0, x1) x [y0, y1) of the painting are about to change: their
    // tiles' present cells go into the open step (a step is opened when none
    // is). Nothing is kept while a whole painting is the open step.
    void beforeWrite(const Canvas& document, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
    // Starts a step holding the whole painting as it is (a filter or a size
    // change follows); it stays open until the next open() or close().
    void keepWhole(const Canvas& document);
    // The same for a painting the undo copy was just made of: the step's
    // cells are the undo copy's until takeUndoCopyCells or copyUndoCopyCells.
    void keepWholeAsUndoCopy(const Canvas& document);
    bool keepsWholePainting() const { return open_ == Open::kWhole; }
    // The same, but not while the open step keeps one layer of a layered
    // painting (a filter's): a change of every layer then needs a step.
    bool keepsEveryLayer() const {
        return open_ == Open::kWhole && !(steps_.back().layers && steps_.back().layers->oneLayer);
    }
    // Starts a step holding layers as they were before a change that may
    // reach any of them; it stays open as a whole step, like keepWhole's.
    void keepLayers(LayerSnapshot&& before);
    // Cells [x0, x1) x [y0, y1) of layer number `index` are about to change:
    // its tiles there go into the open step (a step is opened when none is,
    // and a new one when the open step keeps something else).
    void beforeLayerWrite(const Layer& layer, std::size_t index, std::int64_t x0, std::int64_t y0, std::int64_t x1,
                          std::int64_t y1);
    // A step's layers were exchanged with the painting's: its cost is
    // counted again (the oldest steps go when it grew over the budget).
    void recount(HistoryStep& step);
    // True while a step's cells are those of the undo copy.
    bool sharesUndoCopy() const { return shared_ != nullptr; }
    // The undo copy's cells will not be read again before they are written
    // over: the step sharing them takes its arrays, and the undo copy gets the
    // spare arrays (or none, when there is no spare of its size).
    void takeUndoCopyCells(Canvas& undoCopy);
    // Some of the undo copy's cells are about to change: the step sharing
    // them takes a copy (the history is given up when memory runs out).
    void copyUndoCopyCells(const Canvas& undoCopy);

    // The step Step Backward (Forward) would exchange; null when there is none.
    HistoryStep* backwardStep();
    HistoryStep* forwardStep();
    // The painting was exchanged with backwardStep() (forwardStep()).
    void steppedBackward();
    void steppedForward();

    std::size_t stepCount() const { return steps_.size(); }
    std::size_t position() const { return present_; }  // steps behind the painting
    std::uint64_t bytes() const { return bytes_; }

private:
    enum class Open : std::uint8_t { kNone, kTiles, kWhole, kDropped };
    void startStep();
    // Starts a whole step for the painting and counts its cost; null when it
    // cannot be kept (the history is then given up).
    HistoryStep* startWholeStep(const Canvas& document);
    // A canvas of the size with cells of any value: the spare when it fits,
    // else a new one; null when memory runs out.
    std::unique_ptr<Canvas> wholeStorage(std::uint32_t width, std::uint32_t height);
    // A step is dropped: its whole painting's storage may become the spare.
    void release(HistoryStep& step);
    void dropForward();
    // Drops the oldest steps while over the budget; false when the open step
    // alone is over it (the history is then cleared, the step dropped).
    bool trim();
    void giveUp();

    std::deque<HistoryStep> steps_;
    std::size_t present_ = 0;
    std::uint64_t bytes_ = 0;
    std::uint64_t budget_ = std::uint64_t{256} << 20;
    Open open_ = Open::kNone;
    HistoryStep* shared_ = nullptr;  // the step whose cells are the undo copy's
    std::unique_ptr<Canvas> spare_;
    // A spare being made on a thread of its own after a whole step began
    // sharing the undo copy's cells: the change after it (most often the next
    // press) then finds storage ready instead of making 64 MB (at 2000 x 2000)
    // in its pass.
    std::future<std::unique_ptr<Canvas>> preparing_;
    void prepareSpare(std::uint32_t width, std::uint32_t height);
    // The spare being made, if any, waited for and kept when none is kept.
    void collectSpare();
    // Tiles already in the open step: marks_[tile] == generation_.
    std::vector<std::uint32_t> marks_;
    std::uint32_t generation_ = 0;
};

}  // namespace sc
