// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one application of a tool changed. The tools touch only cells and the
// tools' record; the caller decides what the screen, the panels and the
// press make of the outcome.
#include <algorithm>
#include <cstdint>

namespace sc {

// The cells [left, right) x [top, bottom) of a canvas; empty when no cell.
struct CellRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool empty() const { return left >= right || top >= bottom; }
};

struct ToolOutcome {
    CellRect rendered;          // cells changed and rendered again
    bool pickedColour = false;  // the Eye Dropper made a rendered pixel the live colour
    bool handMove = false;      // the Hand Tool: the view follows the cursor's travel
    bool pressEnded = false;    // Fill paints once per press
    bool outOfMemory = false;   // Fill found no memory for its marks; no cell changed
};

}  // namespace sc
