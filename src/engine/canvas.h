// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A grid of PaintCells with its rendered Surface and render flags.
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>

#include "engine/paint_cell.h"
#include "engine/surface.h"

namespace sc {

inline constexpr std::int32_t kDocumentCanvasKind = 9;
inline constexpr std::int32_t kOffscreenCanvasKind = 0;

class Canvas {
public:
    Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Gives the canvas a new size with blank cells and a white surface. When
    // memory runs out the canvas keeps its old size and cells and the call
    // returns false; nothing is half-made. Render flags are left as they are.
    bool allocate(std::uint32_t width, std::uint32_t height);
    void freeCells();
    // Every cell blank, the surface white; `rendered` untouched.
    void clear();
    // Fills every cell with half the colour, grain from the style image, full
    // shine and height 20 (the ground of the brush preview and thumbnails).
    void fillWithPaint(std::uint8_t red, std::uint8_t green, std::uint8_t blue, const Surface& styleImage);
    void invalidate() { rendered = false; }

    // Moves the cells and size of `other` into this canvas (and this canvas's
    // into `other`); surfaces are swapped too. Used to swap in a fully read file.
    void swapCells(Canvas& other);

    bool hasCells() const { return cells_ != nullptr; }
    std::size_t cellCount() const { return static_cast<std::size_t>(width) * height; }
    PaintCell* cells() { return cells_.get(); }
    const PaintCell* cells() const { return cells_.get(); }
    PaintCell& at(std::uint32_t x, std::uint32_t y) { return cells_[static_cast<std::size_t>(y) * width + x]; }
    const PaintCell& at(std::uint32_t x, std::uint32_t y) const {
        return cells_[static_cast<std::size_t>(y) * width + x];
    }

    std::int32_t kind = kOffscreenCanvasKind;
    Surface surface;
    std::uint32_t width = 400;
    std::uint32_t height = 400;
    std::array<float, 3> light{};
    bool rendered = false;
    bool highQuality = false;
    bool lighting = false;
    float strokeLength = 0.0f;

private:
    std::unique_ptr<PaintCell[]> cells_;
};

// Normalises a 3-vector in place: single-precision length of the sum of
// squares rounded to float; a zero-length vector is left unchanged.
inline void normalise(float& x, float& y, float& z) {
    const double dx = x;
    const double dy = y;
    const double dz = z;
    const float length = std::sqrt(static_cast<float>(dx * dx + dy * dy + dz * dz));
    if (length == 0.0f) return;
    x = x / length;
    y = y / length;
    z = z / length;
}

// Copies `count` cells from `from` to `to` (which do not overlap); a large
// copy (the undo snapshot of a whole painting) is shared by the worker pool.
void copyCells(const PaintCell* from, PaintCell* to, std::size_t count);

// Red channel of an image at (x mod 400, y mod 400); 0 outside a smaller or
// empty image. The tools and fillWithPaint sample grain this way.
std::uint8_t sampleGrainImage(const Surface& image, std::uint32_t x, std::uint32_t y);

}  // namespace sc
