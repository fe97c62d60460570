// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/canvas.h"
#include "engine/resample.h"

namespace sc {
namespace {

TEST(Resample, SameSizeReproducesEveryCell) {
    Canvas c;
    ASSERT_TRUE(c.allocate(7, 5));
    for (std::uint32_t i = 0; i < c.cellCount(); ++i)
        c.cells()[i] = PaintCell{static_cast<std::uint8_t>(i * 9), 3, 200, 17, 99, {0, 0, 0}, i * -1.37f};
    Canvas copy;
    ASSERT_TRUE(copy.allocate(7, 5));
    std::memcpy(copy.cells(), c.cells(), c.cellCount() * sizeof(PaintCell));
    ASSERT_TRUE(resample(c, 7, 5));
    EXPECT_EQ(std::memcmp(copy.cells(), c.cells(), c.cellCount() * sizeof(PaintCell)), 0);
}

TEST(Resample, DoublingInterpolatesAndFallsBackOnTheLastRowAndColumn) {
    Canvas c;
    ASSERT_TRUE(c.allocate(2, 1));
    c.at(0, 0).red = 0;
    c.at(1, 0).red = 100;
    c.at(0, 0).height = 1.0f;
    c.at(1, 0).height = 2.0f;
    ASSERT_TRUE(resample(c, 4, 2));
    ASSERT_EQ(c.width, 4u);
    ASSERT_EQ(c.height, 2u);
    const int reds[] = {0, 50, 100, 100};
    for (std::uint32_t x = 0; x < 4; ++x) EXPECT_EQ(c.at(x, 0).red, reds[x]);
    // Below the last old row the lower corners fall back to the upper-left
    // corner A itself, so the half-way row blends toward A: 50 -> 25.
    const int secondRow[] = {0, 25, 100, 100};
    for (std::uint32_t x = 0; x < 4; ++x) EXPECT_EQ(c.at(x, 1).red, secondRow[x]);
    EXPECT_EQ(c.at(1, 0).height, 1.5f);  // heights are not truncated
    EXPECT_EQ(c.surface.width(), 4u);
    EXPECT_EQ(c.surface.getPixel(3, 1), packColour(255, 255, 255));
}

TEST(Resample, HalvingSamplesWithoutBlending) {
    Canvas c;
    ASSERT_TRUE(c.allocate(4, 4));
    for (std::uint32_t y = 0; y < 4; ++y)
        for (std::uint32_t x = 0; x < 4; ++x) c.at(x, y).green = static_cast<std::uint8_t>(10 * x + y);
    ASSERT_TRUE(resample(c, 2, 2));
    EXPECT_EQ(c.at(0, 0).green, 0);
    EXPECT_EQ(c.at(1, 0).green, 20);
    EXPECT_EQ(c.at(0, 1).green, 2);
    EXPECT_EQ(c.at(1, 1).green, 22);
}

TEST(Resample, LastColumnFallsBackToItsOwnCellNotTheOneBelow) {
    Canvas c;
    ASSERT_TRUE(c.allocate(1, 2));
    c.at(0, 0).blue = 0;
    c.at(0, 1).blue = 200;
    ASSERT_TRUE(resample(c, 2, 4));
    // Row 1 lies half-way: C is the cell below; on the last column D falls
    // back to A (0), not to C, so the half-column gives 50 rather than 100.
    EXPECT_EQ(c.at(0, 1).blue, 100);
    EXPECT_EQ(c.at(1, 1).blue, 50);
}

TEST(Resample, RefusesWhatItCannotDo) {
    Canvas c;
    EXPECT_FALSE(resample(c, 2, 2));  // no cells
    ASSERT_TRUE(c.allocate(3, 3));
    c.at(1, 1).red = 5;
    EXPECT_FALSE(resample(c, 0, 4));
    EXPECT_FALSE(resample(c, 0xFFFFFFFFu, 0xFFFFFFFFu));
    EXPECT_EQ(c.width, 3u);
    EXPECT_EQ(c.at(1, 1).red, 5);
}

}  // namespace
}  // namespace sc
