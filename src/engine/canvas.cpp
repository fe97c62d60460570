// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/canvas.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "engine/worker_pool.h"

namespace sc {

std::uint8_t sampleGrainImage(const Surface& image, std::uint32_t x, std::uint32_t y) {
    return static_cast<std::uint8_t>(image.getPixel(x % 400, y % 400));
}

void copyCells(const PaintCell* from, PaintCell* to, std::size_t count) {
    // The copy is cut into slices of kSlice cells; one thread copies fewer
    // than two slices alone, as sharing would cost more than it saves.
    constexpr std::size_t kSlice = std::size_t{1} << 16;
    if (count > 0xFFFFFFFFull * kSlice) {
        std::copy_n(from, count, to);
        return;
    }
    const auto slices = static_cast<std::uint32_t>((count + kSlice - 1) / kSlice);
    forEachRowBand(slices, kSlice, 2 * kSlice, 1, [&](std::uint32_t first, std::uint32_t end) {
        const std::size_t begin = first * kSlice;
        std::copy(from + begin, from + std::min(count, end * kSlice), to + begin);
    });
}

Canvas::Canvas() {
    float lx = 0.3f, ly = 1.0f, lz = 0.1f;
    normalise(lx, ly, lz);
    light = {lx, ly, lz};
}

bool Canvas::allocate(std::uint32_t newWidth, std::uint32_t newHeight) {
    const std::uint64_t count = static_cast<std::uint64_t>(newWidth) * newHeight;
    if (count > SIZE_MAX / sizeof(PaintCell)) return false;
    std::unique_ptr<PaintCell[]> fresh(new (std::nothrow) PaintCell[static_cast<std::size_t>(count)]);
    if (!fresh && count > 0) return false;
    Surface picture;
    // An empty grid has no picture; otherwise the picture must exist too, or
    // the canvas would accept painting but never show it.
    if (count > 0) {
        if (!picture.create(newWidth, newHeight, false)) return false;
        picture.clearWhite();
    }
    width = newWidth;
    height = newHeight;
    surface = std::move(picture);
    cells_ = std::move(fresh);
    return true;
}

void Canvas::freeCells() { cells_.reset(); }

void Canvas::clear() {
    if (cells_) std::fill_n(cells_.get(), cellCount(), kBlankCell);
    surface.clearWhite();
}

void Canvas::fillWithPaint(std::uint8_t red, std::uint8_t green, std::uint8_t blue, const Surface& styleImage) {
    if (!cells_) return;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            PaintCell& c = at(x, y);
            c.red = red / 2;
            c.green = green / 2;
            c.blue = blue / 2;
            c.grain = sampleGrainImage(styleImage, x, y) / 2;
            c.shine = 255;
            c.height = 20.0f;
        }
    }
}

void Canvas::swapCells(Canvas& other) {
    std::swap(cells_, other.cells_);
    std::swap(width, other.width);
    std::swap(height, other.height);
    std::swap(surface, other.surface);
}

}  // namespace sc
