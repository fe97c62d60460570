// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Splits a rendered pixel into the colour above its smallest channel plus a
// grain equal to that smallest channel (Sicken, Flatten, Import Image).
#include <algorithm>
#include <cstdint>

namespace sc {

struct SplitPixel {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    std::uint8_t grain;
};

inline SplitPixel splitPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const std::uint8_t m = std::min(red, std::min(green, blue));
    return {static_cast<std::uint8_t>(red - m), static_cast<std::uint8_t>(green - m),
            static_cast<std::uint8_t>(blue - m), m};
}

}  // namespace sc
