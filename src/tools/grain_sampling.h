#pragma once
// Reading the style and texture images under a brush: the red channel of the
// image at (|trunc(offset) + c| mod 400) on each axis, so the grain pattern
// shifts from stroke to stroke. An empty image, or a point outside a smaller
// one, reads 0.
#include <cstdint>

#include "engine/numeric.h"
#include "engine/surface.h"
#include "tools/brush_settings.h"

namespace sc {

inline constexpr std::uint32_t kGrainTile = 400;

// The style or texture image of an index from the settings; an index with no
// image (settings read from a damaged preset) reads as an empty image.
const Surface& styleImage(std::uint8_t index);
const Surface& textureImage(std::uint8_t index);

// Tile coordinate of cell coordinate c seen through a truncated offset. The
// sum wraps as 32-bit integer arithmetic does; its magnitude is taken
// unsigned, so even the most negative sum gives a coordinate in 0..399.
inline std::uint32_t grainCoordinate(std::int32_t offset, std::int64_t c) {
    const std::int32_t sum = wrapAdd(offset, static_cast<std::int32_t>(c));
    const std::uint32_t magnitude =
        sum < 0 ? 0u - static_cast<std::uint32_t>(sum) : static_cast<std::uint32_t>(sum);
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

private:
    const Surface& image_;
    std::int32_t offsetX_;
    std::int32_t offsetY_;
};

}  // namespace sc
