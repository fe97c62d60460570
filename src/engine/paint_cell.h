// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One element of a painting: colour, grain, shine and relief height.
#include <cstddef>
#include <cstdint>

namespace sc {

struct PaintCell {
    std::uint8_t red = 255;
    std::uint8_t green = 255;
    std::uint8_t blue = 255;
    std::uint8_t grain = 0;  // brightness added to every channel, seen through the relief
    std::uint8_t shine = 0;  // how strongly the light shades the cell
    std::uint8_t unused[3] = {0, 0, 0};
    float height = 0.0f;  // relief height; 0 is bare canvas, may be negative
};

// Version 1 painting files hold cells exactly as they lie in memory.
static_assert(sizeof(PaintCell) == 12);
static_assert(offsetof(PaintCell, red) == 0);
static_assert(offsetof(PaintCell, green) == 1);
static_assert(offsetof(PaintCell, blue) == 2);
static_assert(offsetof(PaintCell, grain) == 3);
static_assert(offsetof(PaintCell, shine) == 4);
static_assert(offsetof(PaintCell, height) == 8);

inline constexpr PaintCell kBlankCell{};

}  // namespace sc
