// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the style and texture images under a brush: the red channel of the
// image at (|trunc(offset) + c| mod 400) on each axis, so the grain pattern
// shifts from stroke to stroke. An empty image, or a point outside a smaller
// one, reads 0.
#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/numeric.h"
#include "engine/surface.h"
#include "tools/brush_mask.h"
#include "tools/brush_settings.h"

namespace sc {

struct ToolState;

inline constexpr std::uint32_t kGrainTile = 400;

// The style or texture image of an index from the settings; an index with no
// image (settings read from a damaged preset) reads as an empty image.
const Surface& styleImage(const ToolState& tools, std::uint8_t index);
const Surface& textureImage(const ToolState& tools, std::uint8_t index);

// Tile coordinate of cell coordinate c seen through a truncated offset. The
// sum wraps as 32-bit integer arithmetic does; its magnitude is taken
// unsigned, so even the most negative sum gives a coordinate in 0..399.
inline std::uint32_t grainCoordinate(std::int32_t offset, std::int64_t c) {
    const std::int32_t sum = wrapAdd(offset, static_cast<std::int32_t>(c));
    const std::uint32_t magnitude = sum < 0 ? 0u - static_cast<std::uint32_t>(sum) : static_cast<std::uint32_t>(sum);
    return magnitude % kGrainTile;
}

// One image seen through one offset, resolved once per application.
class GrainSampler {
public:
    GrainSampler(const Surface& image, float offsetX, float offsetY)
        : image_(image), offsetX_(truncToInt(offsetX)), offsetY_(truncToInt(offsetY)) {}

    std::uint32_t column(std::int64_t cx) const { return grainCoordinate(offsetX_, cx); }
    std::uint32_t row(std::int64_t cy) const { return grainCoordinate(offsetY_, cy); }

    // Red channel at tile coordinates (u, v), each already in 0..399.
    std::uint8_t at(std::uint32_t u, std::uint32_t v) const {
        if (!image_.valid() || u >= image_.width() || v >= image_.height()) return 0;
        return image_.pixelAddress(u, v)[2];
    }

    // The image (for reading whole rows of samples).
    const Surface& image() const { return image_; }

private:
    const Surface& image_;
    std::int32_t offsetX_;
    std::int32_t offsetY_;
};

// An image's samples under the columns [cx0, cx0 + count) of a brush square
// (count at most 2 * kMaxBrushSize), row by row. The columns' tile
// coordinates are worked out once, as runs of consecutive columns (rising or
// falling) and runs outside a smaller image, so that a row is read run by run.
class GrainRowSampler {
public:
    GrainRowSampler(const GrainSampler& sampler, std::int64_t cx0, std::uint32_t count);
    // The samples of row cy (entries [first, end) of the result, which stays
    // valid until the next call).
    const std::uint8_t* row(std::int64_t cy, std::uint32_t first, std::uint32_t end);

private:
    struct Run {
        std::uint32_t first, count, column;
        std::int32_t step;  // +1 or -1 from column on; 0 outside the image (reads 0)
    };
    // Whether the column (inside the image or not) continues the run, which
    // then takes it.
    static bool extend(Run& run, std::uint32_t column, bool inside);
    static constexpr std::size_t kMost = kMaskSide;  // twice the largest brush size

    const GrainSampler& sampler_;
    std::uint32_t count_;
    std::uint32_t runCount_ = 0;
    std::array<Run, kMost> runs_;
    std::array<std::uint8_t, kMost> samples_;
};

}  // namespace sc
