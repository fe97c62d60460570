// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the painting changed in place since someone last looked: the
// rectangles the tools and the history's tile steps announce before they
// write, or "everywhere" for a change that may reach any cell. The autosave
// reads it to copy such cells again in a copy it is taking a band at a time,
// so every copy it writes is the painting of one moment.
//
// The record stays small whatever happens between two looks: past a few
// dozen rectangles they merge into the one that holds them all.
#include <cstdint>
#include <vector>

namespace sc {

struct ChangedArea {
    std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // [x0, x1) x [y0, y1), not clipped
};

class CellChanges {
public:
    void note(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
    void noteEverywhere() { everywhere_ = true; }
    bool everywhere() const { return everywhere_; }
    const std::vector<ChangedArea>& rects() const { return rects_; }
    void clear();

private:
    std::vector<ChangedArea> rects_;
    bool everywhere_ = false;
};

}  // namespace sc
