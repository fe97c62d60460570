// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One row of a Surface for the whole-canvas passes that read pictures (Sicken
// and Flatten read the rendered canvas, the Fill filters a grain image): the
// row is found once and every pixel read as getPixel would read it.
#include <cstdint>

#include "engine/surface.h"

namespace sc {

struct SurfaceRow {
    const std::uint8_t* bits = nullptr;  // null when the row lies outside the surface
    std::int64_t width = 0;
    std::uint8_t bytesPerPixel = 0;

    // Packed red | green << 8 | blue << 16 (| alpha << 24 on 4-byte surfaces);
    // 0 outside the surface.
    std::uint32_t colour(std::int64_t x) const {
        if (bits == nullptr || x < 0 || x >= width) return 0;
        const std::uint8_t* p = bits + x * bytesPerPixel;
        std::uint32_t c = packColour(p[2], p[1], p[0]);
        if (bytesPerPixel == 4) c |= static_cast<std::uint32_t>(p[3]) << 24;
        return c;
    }

    // The red channel alone, as the grain images are read; 0 outside.
    std::uint8_t red(std::int64_t x) const {
        if (bits == nullptr || x < 0 || x >= width) return 0;
        return bits[x * bytesPerPixel + 2];
    }
};

inline SurfaceRow surfaceRow(const Surface& surface, std::int64_t y) {
    if (!surface.valid() || y < 0 || y >= surface.height()) return {};
    return {surface.pixelAddress(0, static_cast<std::uint32_t>(y)), surface.width(), surface.bytesPerPixel()};
}

}  // namespace sc
