// SPDX-License-Identifier: GPL-3.0-or-later
// The Paint and Texture filters, Clear and Flatten.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/canvas.h"
#include "engine/renderer.h"
#include "filters/paint_texture_filters.h"
#include "filter_test_support.h"
#include "tools/tool_state.h"

namespace sc {
namespace {

using test::cellOf;
using test::filtered;

// Each test works on a fresh tools' record.
class PaintTextureFilters : public ::testing::Test {
protected:
    ToolState tools;
    // A 400 x 400 image whose red channel is (x + 7 * y) mod 256.
    static void makeRamp(Surface& image) {
        image.create32(400, 400);
        for (std::uint32_t y = 0; y < 400; ++y)
            for (std::uint32_t x = 0; x < 400; ++x) image.setPixel(x, y, static_cast<std::uint8_t>(x + 7 * y), 1, 2);
    }
};

TEST_F(PaintTextureFilters, InvertPaint) {
    EXPECT_EQ(filtered(invertPaint, cellOf(1, 2, 3, 0)).grain, 255);
    EXPECT_EQ(filtered(invertPaint, cellOf(1, 2, 3, 255)).grain, 0);
    const PaintCell c = filtered(invertPaint, cellOf(1, 2, 3, 200, 4, 5.0f));
    EXPECT_EQ(c.grain, 54);
    EXPECT_EQ(c.red, 1);
    EXPECT_EQ(c.shine, 4);
    EXPECT_EQ(c.height, 5.0f);
}

TEST_F(PaintTextureFilters, FillPaintMirrorsAroundANegativeOffset) {
    tools.live.paintStyle = 5;
    makeRamp(tools.styleImages[5]);
    tools.textureOffset = {-10.7f, 3.2f};  // truncated to -10 and 3
    Canvas canvas;
    canvas.allocate(21, 2);
    for (std::uint32_t i = 0; i < canvas.cellCount(); ++i) canvas.cells()[i].grain = 0;
    fillPaint(canvas, tools);
    for (std::uint32_t x = 0; x <= 20; ++x) {
        const int column = std::abs(static_cast<int>(x) - 10);
        EXPECT_EQ(canvas.at(x, 0).grain, column + 21) << x;
        EXPECT_EQ(canvas.at(x, 1).grain, column + 28) << x;
    }
}

TEST_F(PaintTextureFilters, FillPaintReadsZeroOutsideASmallImageOrAMissingOne) {
    tools.live.paintStyle = 2;
    tools.styleImages[2].create32(5, 5);
    tools.styleImages[2].clearWhite();
    Canvas canvas;
    canvas.allocate(8, 1);
    for (std::uint32_t x = 0; x < 8; ++x) canvas.at(x, 0).grain = 100;
    fillPaint(canvas, tools);
    EXPECT_EQ(canvas.at(4, 0).grain, 255);
    EXPECT_EQ(canvas.at(5, 0).grain, 0);
    // A style index past the image list (settings read from a file) reads 0.
    tools.live.paintStyle = 200;
    fillPaint(canvas, tools);
    EXPECT_EQ(canvas.at(4, 0).grain, 0);
}

TEST_F(PaintTextureFilters, FillPaintWithAnOffsetBeyondTheIntegerRange) {
    // trunc(3e9) does not fit: 0x80000000. Its absolute value stays negative,
    // so column 0 reads outside the image; column 1 wraps to |0x80000001| = 2^31 - 1.
    tools.live.paintStyle = 0;
    makeRamp(tools.styleImages[0]);
    tools.textureOffset = {3.0e9f, 0.0f};
    Canvas canvas;
    canvas.allocate(2, 1);
    canvas.at(0, 0).grain = 9;
    fillPaint(canvas, tools);
    EXPECT_EQ(canvas.at(0, 0).grain, 0);
    EXPECT_EQ(canvas.at(1, 0).grain, (2147483647 % 400) & 0xFF);
}

TEST_F(PaintTextureFilters, FillReliefScalesTheTextureByPointZeroTwo) {
    tools.live.texture = 3;
    tools.textureImages[3].create32(400, 400);
    tools.textureImages[3].setPixel(0, 0, 200, 0, 0);
    tools.styleImages[3].create32(400, 400);  // must not be read
    EXPECT_EQ(filtered(fillRelief, cellOf(1, 2, 3, 4, 5, 0.0f), tools).height, 4.0f);
}

TEST_F(PaintTextureFilters, InvertReliefMakesGrooves) {
    const float h = filtered(invertRelief, cellOf(0, 0, 0, 0, 0, 5.0f)).height;
    EXPECT_LT(h, 0.0f);
    EXPECT_NEAR(h, -5.0f, 1e-6f);
}

TEST_F(PaintTextureFilters, InflateAndDeflate) {
    EXPECT_EQ(filtered(deflate, cellOf(0, 0, 0, 0, 0, 10.0f)).height, 4.9999995f);
    const float inflated = filtered(inflate, cellOf(0, 0, 0, 0, 0, 3.0f)).height;
    EXPECT_EQ(inflated, 6.0f);
    const float restored = filtered(deflate, cellOf(0, 0, 0, 0, 0, inflated)).height;
    EXPECT_NE(restored, 3.0f);
    EXPECT_NEAR(restored, 3.0f, 1e-6f);
}

TEST_F(PaintTextureFilters, OutlineRaisesByLuminance) {
    const float white = filtered(outline, cellOf(255, 255, 255, 0, 0, 1.0f)).height;
    EXPECT_NEAR(white, 11.2f, 2e-6f);
    EXPECT_EQ(filtered(outline, cellOf(0, 0, 0, 0, 0, 1.0f)).height, 1.0f);
}

TEST_F(PaintTextureFilters, ClearLandsDecreasesOneBelowTheBrushColour) {
    tools.live.red = 10;
    tools.live.green = 200;
    tools.live.blue = 45;
    const PaintCell white = filtered(clearCanvas, cellOf(255, 255, 255, 100, 200, 7.0f), tools);
    EXPECT_EQ(white.red, 9);
    EXPECT_EQ(white.green, 199);
    EXPECT_EQ(white.blue, 44);
    EXPECT_EQ(white.grain, 0);
    EXPECT_EQ(white.shine, 0);
    EXPECT_LE(std::fabs(white.height), 1e-6f);
    const PaintCell black = filtered(clearCanvas, cellOf(0, 0, 0), tools);
    EXPECT_EQ(black.red, 10);
    EXPECT_EQ(black.green, 200);
    EXPECT_EQ(black.blue, 45);
}

TEST_F(PaintTextureFilters, FlattenOfABlankCanvasStillRendersWhite) {
    Canvas canvas;
    canvas.allocate(3, 2);
    canvas.lighting = true;
    renderAll(canvas);
    flatten(canvas);
    EXPECT_FALSE(canvas.rendered);
    for (std::uint32_t i = 0; i < canvas.cellCount(); ++i) {
        const PaintCell& c = canvas.cells()[i];
        EXPECT_EQ(c.red + c.green + c.blue, 0);
        EXPECT_EQ(c.grain, 255);
        EXPECT_EQ(c.height, 0.0f);
    }
    renderAll(canvas);
    EXPECT_EQ(canvas.surface.getPixel(1, 1), packColour(255, 255, 255));
}

TEST_F(PaintTextureFilters, FlattenBakesTheLastRenderedPicture) {
    Canvas canvas;
    test::fillRow(canvas, {cellOf(9, 9, 9, 9, 180, 4.0f)});
    canvas.surface.setPixel(0, 0, 40, 90, 240);  // stale picture: used as it is
    flatten(canvas);
    const PaintCell& c = canvas.at(0, 0);
    EXPECT_EQ(c.red, 0);
    EXPECT_EQ(c.green, 50);
    EXPECT_EQ(c.blue, 200);
    EXPECT_EQ(c.grain, 40);
    EXPECT_EQ(c.shine, 0);
}

}  // namespace
}  // namespace sc
