// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cell_changes.h"

#include <algorithm>

namespace sc {
namespace {

constexpr std::size_t kMostRects = 64;

}  // namespace

void CellChanges::note(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    if (everywhere_ || x0 >= x1 || y0 >= y1) return;
    if (rects_.size() < kMostRects) {
        rects_.push_back({x0, y0, x1, y1});
        return;
    }
    ChangedArea& all = rects_.front();
    for (const ChangedArea& r : rects_) {
        all.x0 = std::min(all.x0, r.x0);
        all.y0 = std::min(all.y0, r.y0);
        all.x1 = std::max(all.x1, r.x1);
        all.y1 = std::max(all.y1, r.y1);
    }
    all = {std::min(all.x0, x0), std::min(all.y0, y0), std::max(all.x1, x1), std::max(all.y1, y1)};
    rects_.resize(1);
}

void CellChanges::clear() {
    rects_.clear();
    everywhere_ = false;
}

}  // namespace sc
