// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "engine/canvas.h"
#include "engine/numeric.h"

namespace sc {
namespace {

TEST(Canvas, ConstructedEmpty) {
    Canvas c;
    EXPECT_EQ(c.width, 400u);
    EXPECT_EQ(c.height, 400u);
    EXPECT_FALSE(c.hasCells());
    EXPECT_FALSE(c.surface.valid());
    EXPECT_EQ(c.strokeLength, 0.0f);
    EXPECT_FALSE(c.rendered || c.highQuality || c.lighting);
    EXPECT_NEAR(c.light[0], 0.28604f, 1e-5);
    EXPECT_NEAR(c.light[1], 0.95346f, 1e-5);
    EXPECT_NEAR(c.light[2], 0.09535f, 1e-5);
}

TEST(Canvas, AllocateGivesBlankCellsAndWhiteSurface) {
    Canvas c;
    c.rendered = true;
    ASSERT_TRUE(c.allocate(3, 2));
    EXPECT_EQ(c.surface.stride(), 12);
    EXPECT_TRUE(c.rendered);  // flags are the caller's business
    for (std::uint32_t y = 0; y < 2; ++y) {
        for (std::uint32_t x = 0; x < 3; ++x) {
            const PaintCell& p = c.at(x, y);
            EXPECT_EQ(p.red, 255);
            EXPECT_EQ(p.grain, 0);
            EXPECT_EQ(p.shine, 0);
            EXPECT_EQ(p.height, 0.0f);
            EXPECT_EQ(c.surface.getPixel(x, y), packColour(255, 255, 255));
        }
    }
}

TEST(Canvas, FailedAllocationKeepsThePainting) {
    Canvas c;
    ASSERT_TRUE(c.allocate(4, 4));
    c.at(1, 1).red = 7;
    EXPECT_FALSE(c.allocate(0xFFFFFFFFu, 0xFFFFFFFFu));
    EXPECT_EQ(c.width, 4u);
    EXPECT_EQ(c.at(1, 1).red, 7);
    EXPECT_TRUE(c.surface.valid());
}

TEST(Canvas, ClearKeepsRenderedFlag) {
    Canvas c;
    ASSERT_TRUE(c.allocate(2, 2));
    c.at(0, 0) = PaintCell{1, 2, 3, 4, 5, {0, 0, 0}, 6.0f};
    c.surface.setPixel(0, 0, 0, 0, 0);
    c.rendered = false;
    c.clear();
    EXPECT_FALSE(c.rendered);
    EXPECT_EQ(c.at(0, 0).red, 255);
    EXPECT_EQ(c.at(0, 0).height, 0.0f);
    EXPECT_EQ(c.surface.getPixel(0, 0), packColour(255, 255, 255));
    c.invalidate();
    EXPECT_FALSE(c.rendered);
}

TEST(Canvas, FillWithPaintHalvesColourAndGrain) {
    Surface style;
    ASSERT_TRUE(style.create32(400, 400));
    style.clearWhite();
    style.setPixel(1, 2, 201, 0, 0);
    Canvas c;
    ASSERT_TRUE(c.allocate(3, 403));
    c.fillWithPaint(255, 255, 255, style);
    EXPECT_EQ(c.at(0, 0).red, 127);
    EXPECT_EQ(c.at(0, 0).blue, 127);
    EXPECT_EQ(c.at(0, 0).shine, 255);
    EXPECT_EQ(c.at(0, 0).height, 20.0f);
    EXPECT_EQ(c.at(0, 0).grain, 127);
    EXPECT_EQ(c.at(1, 2).grain, 100);
    EXPECT_EQ(c.at(1, 402).grain, 100);  // sampled modulo 400
}

TEST(Canvas, GrainSamplingOfSmallOrEmptyImagesReadsZero) {
    Surface small;
    ASSERT_TRUE(small.create32(10, 10));
    small.clearWhite();
    EXPECT_EQ(sampleGrainImage(small, 5, 5), 255);
    EXPECT_EQ(sampleGrainImage(small, 50, 5), 0);
    EXPECT_EQ(sampleGrainImage(small, 405, 5), 255);
    Surface empty;
    EXPECT_EQ(sampleGrainImage(empty, 1, 1), 0);
}

TEST(Canvas, SwapCellsExchangesGridsAndSizes) {
    Canvas a, b;
    ASSERT_TRUE(a.allocate(2, 3));
    ASSERT_TRUE(b.allocate(5, 1));
    a.at(1, 2).red = 9;
    a.highQuality = true;
    a.swapCells(b);
    EXPECT_EQ(a.width, 5u);
    EXPECT_EQ(b.height, 3u);
    EXPECT_EQ(b.at(1, 2).red, 9);
    EXPECT_TRUE(a.highQuality);  // flags stay with their canvas
    EXPECT_EQ(a.surface.width(), 5u);
}

TEST(Numeric, TruncationMatchesTheProcessorForEveryInput) {
    EXPECT_EQ(truncToInt(2.9), 2);
    EXPECT_EQ(truncToInt(-2.9), -2);
    EXPECT_EQ(truncToInt(2147483647.9), 2147483647);
    EXPECT_EQ(truncToInt(-2147483648.9), INT32_MIN);
    EXPECT_EQ(truncToInt(2147483648.0), INT32_MIN);
    EXPECT_EQ(truncToInt(std::nan("")), INT32_MIN);
    EXPECT_EQ(truncToInt(INFINITY), INT32_MIN);
    EXPECT_EQ(truncToInt(-INFINITY), INT32_MIN);
    EXPECT_EQ(truncToUnsigned(-3.5), 0xFFFFFFFDu);
    EXPECT_EQ(truncToByte(300.7), 44);  // low 8 bits
    EXPECT_EQ(wrapAdd(INT32_MIN, INT32_MIN), 0);
}

}  // namespace
}  // namespace sc
