// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Deterministic varied paint for the benchmarks: colour gradients, grain
// noise, mixed shine and rolling heights, so every path of the renderer is
// exercised.
#include <cmath>
#include <cstdint>

#include "engine/canvas.h"

namespace sc::bench {

inline void paintVaried(Canvas& canvas) {
    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7FFF;
    };
    for (std::uint32_t y = 0; y < canvas.height; ++y) {
        for (std::uint32_t x = 0; x < canvas.width; ++x) {
            PaintCell& c = canvas.at(x, y);
            c.red = static_cast<std::uint8_t>(x * 7 + y);
            c.green = static_cast<std::uint8_t>(y * 5);
            c.blue = static_cast<std::uint8_t>(x ^ y);
            c.grain = static_cast<std::uint8_t>(next() & 63);
            c.shine = (x / 37 + y / 41) % 3 == 0 ? 0 : 255;
            c.height = static_cast<float>(10.0 * std::sin(x * 0.05) * std::cos(y * 0.07) + (next() & 7));
        }
    }
}

}  // namespace sc::bench
