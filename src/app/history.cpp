// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history.h"

#include <algorithm>
#include <new>

namespace sc {
namespace {

// What one kept tile costs beyond its cells: its number and its pointer.
constexpr std::uint64_t kTileBookkeeping = sizeof(std::uint32_t) + sizeof(std::unique_ptr<PaintCell[]>);

}  // namespace

void History::setBudget(std::uint64_t bytes) {
    budget_ = bytes;
    trim();
}

void History::release(HistoryStep& step) {
    if (&step == shared_) shared_ = nullptr;
    if (step.whole && step.whole->hasCells() && !spare_) spare_ = std::move(step.whole);
}

void History::prepareSpare(std::uint32_t width, std::uint32_t height) {
    if (preparing_.valid()) return;
    if (spare_ && spare_->hasCells() && spare_->width == width && spare_->height == height) return;
    preparing_ = std::async(std::launch::async, [width, height]() -> std::unique_ptr<Canvas> {
        std::unique_ptr<Canvas> storage(new (std::nothrow) Canvas);
        if (storage && !storage->allocate(width, height)) storage.reset();
        return storage;
    });
}

void History::collectSpare() {
    if (!preparing_.valid()) return;
    std::unique_ptr<Canvas> made = preparing_.get();
    if (!spare_ && made) spare_ = std::move(made);
}

std::unique_ptr<Canvas> History::wholeStorage(std::uint32_t width, std::uint32_t height) {
    collectSpare();
    if (spare_ && spare_->hasCells() && spare_->width == width && spare_->height == height) return std::move(spare_);
    // A spare of another size is freed before the new storage is made.
    spare_.reset();
    auto storage = std::make_unique<Canvas>();
    if (!storage->allocate(width, height)) return nullptr;
    return storage;
}

void History::clear() {
    for (HistoryStep& step : steps_) release(step);
    shared_ = nullptr;
    steps_.clear();
    present_ = 0;
    bytes_ = 0;
    open_ = Open::kNone;
}

void History::dropForward() {
    while (steps_.size() > present_) {
        bytes_ -= steps_.back().bytes;
        release(steps_.back());
        steps_.pop_back();
    }
}

void History::startStep() {
    dropForward();
    steps_.emplace_back();
    steps_.back().bytes = sizeof(HistoryStep);
    bytes_ += steps_.back().bytes;
    present_ = steps_.size();
    if (++generation_ == 0) {
        // After the counter wraps, old marks could pass for new ones.
        std::fill(marks_.begin(), marks_.end(), 0);
        generation_ = 1;
    }
}

void History::open() {
    startStep();
    open_ = Open::kTiles;
    trim();
}

void History::close() { open_ = Open::kNone; }

void History::giveUp() {
    const bool wasOpen = open_ != Open::kNone;
    clear();
    // Memory or the budget ran out: no storage is held beyond the steps.
    collectSpare();
    spare_.reset();
    // The rest of the change is not kept either: a step holding part of it
    // would lead back to a painting that never was.
    if (wasOpen) open_ = Open::kDropped;
}

bool History::trim() {
    while (bytes_ > budget_) {
        const bool onlyTheOpenStep = steps_.size() == 1 && open_ != Open::kNone;
        if (steps_.empty() || present_ == 0 || onlyTheOpenStep) {
            giveUp();
            return false;
        }
        bytes_ -= steps_.front().bytes;
        release(steps_.front());
        steps_.pop_front();
        --present_;
    }
    return true;
}

void History::beforeWrite(const Canvas& document, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    // The open step keeps tiles of a layer: the plain painting's are a step of their own.
    if (open_ == Open::kTiles && steps_.back().layers) open();
    if (open_ == Open::kNone) open();
    if (open_ != Open::kTiles || !document.hasCells()) return;
    HistoryStep& step = steps_.back();
    if (step.tiles.empty()) step.grid = TileGrid::of(document);
    if (!step.grid.fits(document)) {
        giveUp();
        return;
    }
    if (marks_.size() != step.grid.count()) marks_.assign(step.grid.count(), 0);
    bool grew = false;
    forEachTileIn(step.grid, x0, y0, x1, y1, [&](std::size_t t) {
        if (open_ != Open::kTiles || marks_[t] == generation_) return;
        const TileCells r = step.grid.cells(t);
        std::unique_ptr<PaintCell[]> cells(new (std::nothrow) PaintCell[r.cellCount()]);
        if (!cells) {
            giveUp();
            return;
        }
        copyTileOut(document, r, cells.get());
        step.tiles.push_back(static_cast<std::uint32_t>(t));
        step.cells.push_back(std::move(cells));
        const std::uint64_t cost = r.cellCount() * sizeof(PaintCell) + kTileBookkeeping;
        step.bytes += cost;
        bytes_ += cost;
        marks_[t] = generation_;
        grew = true;
    });
    if (grew) trim();
}

void History::keepLayers(LayerSnapshot&& before) {
    startStep();
    open_ = Open::kWhole;
    const std::uint64_t cost = before.bytes();
    if (cost > budget_) {
        giveUp();
        return;
    }
    HistoryStep& step = steps_.back();
    step.layers = std::make_unique<LayerSnapshot>(std::move(before));
    step.bytes += cost;
    bytes_ += cost;
    trim();
}

void History::beforeLayerWrite(const Layer& layer, std::size_t index, std::int64_t x0, std::int64_t y0, std::int64_t x1,
                               std::int64_t y1) {
    if (open_ == Open::kTiles || open_ == Open::kWhole) {
        // A step keeps tiles of one layer (or of the plain painting), one
        // layer whole or every layer: a write it does not cover is a step of
        // its own.
        const HistoryStep& step = steps_.back();
        const LayerSnapshot* kept = step.layers.get();
        const bool elsewhere = open_ == Open::kTiles
                                   ? !step.tiles.empty() || (kept && (kept->index != index || !kept->tiles.fits(layer)))
                                   : kept && kept->oneLayer && kept->index != index;
        if (elsewhere) open();
    }
    if (open_ == Open::kNone) open();
    if (open_ != Open::kTiles) return;
    HistoryStep& step = steps_.back();
    std::uint64_t was = 0;
    if (step.layers) {
        was = step.layers->bytes();
    } else {
        step.layers = std::make_unique<LayerSnapshot>();
        step.layers->held = true;
        step.layers->oneLayer = true;
        step.layers->lazy = true;
        step.layers->index = index;
        step.layers->active = index;  // the layer written is the active one
        step.layers->tiles.start(index, layer);
    }
    const bool kept = step.layers->tiles.keep(layer, x0, y0, x1, y1);
    const std::uint64_t grew = step.layers->bytes() - was;
    step.bytes += grew;
    bytes_ += grew;
    if (!kept) {
        giveUp();
    } else if (grew > 0) {
        trim();
    }
}

void History::recount(HistoryStep& step) {
    if (!step.layers) return;
    const std::uint64_t now = sizeof(HistoryStep) + step.layers->bytes();
    bytes_ = bytes_ - step.bytes + now;
    step.bytes = now;
    trim();
}

HistoryStep* History::startWholeStep(const Canvas& document) {
    startStep();
    open_ = Open::kWhole;
    const std::uint64_t cells = static_cast<std::uint64_t>(document.width) * document.height;
    const std::uint64_t cost = cells * (sizeof(PaintCell) + 4) + sizeof(Canvas);
    if (cost > budget_ || !document.hasCells()) {
        giveUp();
        return nullptr;
    }
    HistoryStep& step = steps_.back();
    step.bytes += cost;
    bytes_ += cost;
    // The oldest steps go first, so their storage can serve this one.
    return trim() ? &step : nullptr;
}

void History::keepWhole(const Canvas& document) {
    HistoryStep* step = startWholeStep(document);
    if (step == nullptr) return;
    step->whole = wholeStorage(document.width, document.height);
    if (!step->whole) {
        giveUp();
        return;
    }
    copyCells(document.cells(), step->whole->cells(), document.cellCount());
}

void History::keepWholeAsUndoCopy(const Canvas& document) {
    shared_ = startWholeStep(document);
    if (shared_ != nullptr) prepareSpare(document.width, document.height);
}

void History::takeUndoCopyCells(Canvas& undoCopy) {
    if (shared_ == nullptr) return;
    HistoryStep& step = *shared_;
    shared_ = nullptr;
    collectSpare();
    std::unique_ptr<Canvas> storage = std::move(spare_);
    if (!storage || storage->width != undoCopy.width || storage->height != undoCopy.height) {
        storage = std::make_unique<Canvas>();
    }
    undoCopy.swapCells(*storage);
    step.whole = std::move(storage);
}

void History::copyUndoCopyCells(const Canvas& undoCopy) {
    if (shared_ == nullptr) return;
    HistoryStep& step = *shared_;
    shared_ = nullptr;
    step.whole = wholeStorage(undoCopy.width, undoCopy.height);
    if (!step.whole) {
        giveUp();
        return;
    }
    copyCells(undoCopy.cells(), step.whole->cells(), undoCopy.cellCount());
}

HistoryStep* History::backwardStep() { return present_ > 0 ? &steps_[present_ - 1] : nullptr; }

HistoryStep* History::forwardStep() { return present_ < steps_.size() ? &steps_[present_] : nullptr; }

void History::steppedBackward() {
    if (present_ > 0) --present_;
}

void History::steppedForward() {
    if (present_ < steps_.size()) ++present_;
}

}  // namespace sc
