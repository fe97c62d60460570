// SPDX-License-Identifier: GPL-3.0-or-later
#include "filters/paint_texture_filters.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/canvas.h"
#include "engine/numeric.h"
#include "filters/filter_frame.h"
#include "filters/grain_sampling.h"
#include "filters/luminance.h"
#include "filters/split_pixel.h"
#include "filters/surface_row.h"
#include "tools/tool_state.h"

namespace sc {

namespace {

constexpr float kReliefPerTextureLevel = 0.02f;
constexpr float kOutlinePerLuminance = 0.04f;

// The image with this index, or an empty one (reading 0 everywhere) for an
// index past the list: brush settings come from files and may hold any byte.
template <std::size_t N>
const Surface& imageAt(const std::array<Surface, N>& images, std::uint8_t index) {
    static const Surface empty;
    return index < N ? images[index] : empty;
}

// Runs the frame with target(t, sample) where sample is the red channel of
// `image` at the cell moved by the texture offset (whichever image it is).
template <unsigned Fields, typename Target>
void fillFromImage(Canvas& canvas, const Surface& image, GrainOffset offset, Target target) {
    const std::int32_t offsetX = truncToInt(static_cast<double>(offset.x));
    const std::int32_t offsetY = truncToInt(static_cast<double>(offset.y));
    runFilterFrameByRow<Fields>(canvas, fullBlend(), [&](std::uint32_t y) {
        return [row = surfaceRow(image, tileCoordinate(offsetY, y)), offsetX, target](PaintCell& t, std::uint32_t x) {
            target(t, row.red(tileCoordinate(offsetX, x)));
        };
    });
}

}  // namespace

void invertPaint(Canvas& canvas) {
    runFilterFrame<kGrainField>(canvas, fullBlend(), [](PaintCell& t, std::uint32_t, std::uint32_t) {
        t.grain = static_cast<std::uint8_t>(255 - t.grain);
    });
}

void fillPaint(Canvas& canvas, const ToolState& tools) {
    const Surface& image = imageAt(tools.styleImages, tools.live.paintStyle);
    fillFromImage<kGrainField>(canvas, image, tools.textureOffset,
                               [](PaintCell& t, std::uint8_t sample) { t.grain = sample; });
}

void invertRelief(Canvas& canvas) {
    runFilterFrame<kHeightField>(canvas, fullBlend(),
                                 [](PaintCell& t, std::uint32_t, std::uint32_t) { t.height = -t.height; });
}

void fillRelief(Canvas& canvas, const ToolState& tools) {
    const Surface& image = imageAt(tools.textureImages, tools.live.texture);
    fillFromImage<kHeightField>(canvas, image, tools.textureOffset, [](PaintCell& t, std::uint8_t sample) {
        t.height = static_cast<float>(sample * static_cast<double>(kReliefPerTextureLevel));
    });
}

void inflate(Canvas& canvas) {
    runFilterFrame<kHeightField>(canvas, fullBlend(), [](PaintCell& t, std::uint32_t, std::uint32_t) {
        t.height = static_cast<float>(static_cast<double>(t.height) * 2.0);
    });
}

void deflate(Canvas& canvas) {
    runFilterFrame<kHeightField>(canvas, fullBlend(), [](PaintCell& t, std::uint32_t, std::uint32_t) {
        t.height = static_cast<float>(static_cast<double>(t.height) / 2.0);
    });
}

void outline(Canvas& canvas) {
    runFilterFrame<kHeightField>(canvas, fullBlend(), [](PaintCell& t, std::uint32_t, std::uint32_t) {
        const float l = luminanceSingle(t.red, t.green, t.blue);
        t.height = static_cast<float>(static_cast<double>(t.height) +
                                      static_cast<double>(l) * static_cast<double>(kOutlinePerLuminance));
    });
}

void clearCanvas(Canvas& canvas, const ToolState& tools) {
    const BrushSettings& brush = tools.live;
    const std::uint8_t red = brush.red, green = brush.green, blue = brush.blue;
    constexpr unsigned kAll = kColourFields | kGrainField | kShineField | kHeightField;
    runFilterFrame<kAll>(canvas, fullBlend(), [=](PaintCell& t, std::uint32_t, std::uint32_t) {
        t.red = red;
        t.green = green;
        t.blue = blue;
        t.grain = 0;
        t.shine = 0;
        t.height = 0.0f;
    });
}

void flatten(Canvas& canvas) {
    const Surface& surface = canvas.surface;
    constexpr unsigned kAll = kColourFields | kGrainField | kShineField | kHeightField;
    runFilterFrameByRow<kAll>(canvas, fullBlend(), [&surface](std::uint32_t y) {
        return [picture = surfaceRow(surface, y)](PaintCell& t, std::uint32_t x) {
            const std::uint32_t p = picture.colour(x);
            const SplitPixel s = splitPixel(redOf(p), greenOf(p), blueOf(p));
            t.red = s.red;
            t.green = s.green;
            t.blue = s.blue;
            t.grain = s.grain;
            t.shine = 0;
            t.height = 0.0f;
        };
    });
}

}  // namespace sc
