// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The renderer's arithmetic for one cell, written out step by step, and the
// read-only inputs it works from. Every faster path must agree with it bit for bit.
#include <cstdint>

#include "engine/paint_cell.h"

namespace sc {

class Canvas;

// What one render reads: the cells, their size, the light and the two flags.
struct RenderContext {
    const PaintCell* cells = nullptr;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    float lightX = 0.0f;
    float lightY = 0.0f;
    float lightZ = 0.0f;
    bool highQuality = false;
    bool lighting = false;
};

RenderContext renderContextOf(const Canvas& canvas);

// The rendered channels of one pixel, clamped to bytes.
struct RenderedPixel {
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
};

// Renders cell (x, y), x < width and y < height, edges included.
RenderedPixel renderCellPixel(const RenderContext& c, std::uint32_t x, std::uint32_t y);

// Writes cells [x0, x1) of row y one at a time into `pixels` (the pixel of x0,
// blue, green, red each, bytesPerPixel apart; other bytes are left alone).
void renderSpanByCell(const RenderContext& c, std::uint32_t y, std::uint32_t x0, std::uint32_t x1, std::uint8_t* pixels,
                      std::uint32_t bytesPerPixel);

}  // namespace sc
