// SPDX-License-Identifier: GPL-3.0-or-later
// The colour filters, cell by cell, with the bytes the blend really gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/canvas.h"
#include "filters/colour_filters.h"
#include "filters/filter_frame.h"
#include "filters/luminance.h"
#include "filter_test_support.h"

namespace sc {
namespace {

using test::cellOf;
using test::filtered;

void expectColour(const PaintCell& c, int red, int green, int blue) {
    EXPECT_EQ(c.red, red);
    EXPECT_EQ(c.green, green);
    EXPECT_EQ(c.blue, blue);
}

TEST(InvertColours, BlendLandsDecreasesOneBelow) {
    expectColour(filtered(invertColours, cellOf(200, 54, 128)), 54, 201, 126);
    expectColour(filtered(invertColours, cellOf(127, 0, 255)), 128, 255, 0);
}

TEST(InvertColours, TwiceDoesNotRestoreEveryCell) {
    Canvas canvas;
    test::fillRow(canvas, {cellOf(200, 0, 255, 9, 33, 2.5f)});
    invertColours(canvas);
    invertColours(canvas);
    expectColour(canvas.at(0, 0), 201, 0, 255);
    EXPECT_EQ(canvas.at(0, 0).grain, 9);
    EXPECT_EQ(canvas.at(0, 0).shine, 33);
    EXPECT_EQ(canvas.at(0, 0).height, 2.5f);
}

TEST(InvertColours, InvalidatesTheCanvas) {
    Canvas canvas;
    test::fillRow(canvas, {cellOf(1, 2, 3)});
    canvas.rendered = true;
    invertColours(canvas);
    EXPECT_FALSE(canvas.rendered);
}

TEST(Desaturate, WhiteAndPureRed) {
    expectColour(filtered(desaturate, cellOf(255, 255, 255)), 253, 253, 253);
    expectColour(filtered(desaturate, cellOf(255, 0, 0)), 149, 150, 150);
}

TEST(Solarize, StretchesToTheLargestChannelAtHalfStrength) {
    expectColour(filtered(solarize, cellOf(100, 50, 25)), 177, 88, 44);
    expectColour(filtered(solarize, cellOf(0, 0, 0, 200)), 0, 0, 0);
    // Already stretched: unchanged.
    expectColour(filtered(solarize, cellOf(255, 10, 0)), 255, 10, 0);
}

TEST(Night, ScalesTheLargestChannelToTheGrain) {
    // Targets 100, 50, 0; the decreasing channels land one below.
    expectColour(filtered(night, cellOf(200, 100, 0, 100)), 99, 49, 0);
    expectColour(filtered(night, cellOf(200, 100, 30, 0)), 0, 0, 0);
    expectColour(filtered(night, cellOf(0, 0, 0, 90)), 0, 0, 0);
}

TEST(Night, QuotientIsTakenInExtendedPrecision) {
    // 5 / 7 * 21 is 15 exactly, but the extended quotient rounds down to give
    // 14.99999...; double would round up and give 15.
    expectColour(filtered(night, cellOf(5, 7, 0, 21)), 14, 21, 0);
}

// The filters work their extended-precision targets out through tables and a
// cheaper truncation; these compare them with the plain formulas over every
// (channel, largest) pair.
std::uint8_t blendTo(std::uint8_t value, long double target, double w) {
    return blendByte(value, static_cast<std::uint8_t>(truncToInt(target)), w);
}

// A 256 x 256 canvas with cell (c, m) = (c, m, 0) for c <= m: m is the largest.
void fillPairs(Canvas& canvas, std::uint8_t grain) {
    canvas.allocate(256, 256);
    for (std::uint32_t m = 0; m < 256; ++m)
        for (std::uint32_t c = 0; c <= m; ++c)
            canvas.at(c, m) = cellOf(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(m), 0, grain);
}

TEST(ExtendedTargets, SolarizeMatchesTheFormulaForEveryPair) {
    Canvas canvas;
    fillPairs(canvas, 0);
    solarize(canvas);
    for (std::uint32_t m = 1; m < 256; ++m)
        for (std::uint32_t c = 0; c <= m; ++c) {
            const long double target = static_cast<long double>(c) / m * 255.0L;
            ASSERT_EQ(canvas.at(c, m).red, blendTo(static_cast<std::uint8_t>(c), target, kFullWeight * 0.5))
                << c << "/" << m;
        }
}

TEST(ExtendedTargets, NightMatchesTheFormulaForEveryPairAndGrain) {
    Canvas canvas;
    for (int grain = 0; grain < 256; ++grain) {
        fillPairs(canvas, static_cast<std::uint8_t>(grain));
        night(canvas);
        for (std::uint32_t m = 1; m < 256; ++m)
            for (std::uint32_t c = 0; c <= m; ++c) {
                const long double target = static_cast<long double>(c) / m * grain;
                const std::uint8_t expected = blendTo(static_cast<std::uint8_t>(c), target, kFullWeight);
                if (canvas.at(c, m).red != expected) {
                    FAIL() << c << "/" << m << "*" << grain << " gives " << int{canvas.at(c, m).red};
                }
            }
    }
}

TEST(ExtendedTargets, AquaMatchesTheFormula) {
    const long double k = kInv255;
    for (int grain : {0, 1, 2, 90, 127, 128, 199, 254, 255}) {
        Canvas canvas;
        canvas.allocate(256, 256);
        for (std::uint32_t y = 0; y < 256; ++y)
            for (std::uint32_t x = 0; x < 256; ++x)
                canvas.at(x, y) = cellOf(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                         static_cast<std::uint8_t>(x ^ y), static_cast<std::uint8_t>(grain));
        aqua(canvas);
        for (std::uint32_t y = 0; y < 256; ++y)
            for (std::uint32_t x = 0; x < 256; ++x) {
                const std::uint32_t b = x ^ y;
                long double l =
                    luminance(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(b));
                const long double a = std::min(truncToInt(l), 255) * k;
                const std::int32_t red = truncToInt(grain * k * a * x);
                const std::int32_t green = truncToInt(red * k * a * y);
                const std::int32_t blue = std::max(truncToInt(b * k * a * b), 30);
                const PaintCell& c = canvas.at(x, y);
                ASSERT_EQ(c.red, blendTo(static_cast<std::uint8_t>(x), red, kFullWeight)) << x << "," << y;
                ASSERT_EQ(c.green, blendTo(static_cast<std::uint8_t>(y), green, kFullWeight)) << x << "," << y;
                ASSERT_EQ(c.blue, blendTo(static_cast<std::uint8_t>(b), blue, kFullWeight)) << x << "," << y;
            }
    }
}

TEST(Aqua, BlueTargetNeverBelowThirty) {
    expectColour(filtered(aqua, cellOf(0, 0, 0, 0)), 0, 0, 30);
    // Grain 0 gives red and green targets 0 whatever the colour; blue 40
    // falls to its floor of 30 and, decreasing, lands one below.
    expectColour(filtered(aqua, cellOf(100, 100, 40, 0)), 0, 0, 29);
}

TEST(Aqua, GreenUsesTheNewRed) {
    // g = 254: red 255*k*a*255 = 254.00003, green 254*k*a*255 = 253.0039,
    // blue 254.00003; each decrease lands one below.
    expectColour(filtered(aqua, cellOf(255, 255, 255, 255)), 253, 252, 253);
}

TEST(Enhance, FullRangeColoursStayAndGrainMovesAQuarter) {
    Canvas canvas;
    test::fillRow(canvas, {cellOf(0, 128, 255, 10), cellOf(37, 200, 3, 110)});
    enhance(canvas);
    expectColour(canvas.at(0, 0), 0, 128, 255);
    expectColour(canvas.at(1, 0), 37, 200, 3);
    // Grain 10 (the minimum): n = 0, target trunc(10 - 2.5) = 7, lands on 6.
    EXPECT_EQ(canvas.at(0, 0).grain, 6);
    // Grain 110: n = trunc(100 * 255/110) = 231, target trunc(110 + 30.25) = 140.
    EXPECT_EQ(canvas.at(1, 0).grain, 140);
}

TEST(Enhance, DividesByTheMaximumNotTheRange) {
    Canvas canvas;
    test::fillRow(canvas, {cellOf(50, 50, 50), cellOf(200, 200, 200)});
    enhance(canvas);
    expectColour(canvas.at(0, 0), 0, 0, 0);
    // (200 - 50) * single(255 / 200) = 191.249996; decreasing lands at 190.
    expectColour(canvas.at(1, 0), 190, 190, 190);
}

TEST(Enhance, MaximumOfZeroGivesZero) {
    Canvas canvas;
    test::fillRow(canvas, {cellOf(0, 0, 0, 0, 7, 3.0f), cellOf(0, 0, 0, 0)});
    enhance(canvas);
    expectColour(canvas.at(0, 0), 0, 0, 0);
    EXPECT_EQ(canvas.at(0, 0).grain, 0);
    EXPECT_EQ(canvas.at(0, 0).shine, 7);
    EXPECT_EQ(canvas.at(0, 0).height, 3.0f);
}

TEST(Sicken, TakesTheRenderedColourAndKeepsShine) {
    Canvas canvas;
    test::fillRow(canvas, {cellOf(1, 2, 3, 40, 222, 10.0f)});
    canvas.surface.setPixel(0, 0, 200, 100, 50);
    sicken(canvas);
    const PaintCell& c = canvas.at(0, 0);
    expectColour(c, 150, 50, 0);
    EXPECT_EQ(c.grain, 0);
    EXPECT_EQ(c.shine, 222);
    EXPECT_EQ(c.height, static_cast<float>(10.0 - 10.0 * 1.0000000591389835));
}

TEST(Defenestrate, RotatesTheFieldsAndKeepsShine) {
    // Targets: red 44 (300 mod 256), green 40 (grain), blue 10 (red), grain 20
    // (green), height 30 (blue); the decreasing ones land just below.
    const PaintCell c = filtered(defenestrate, cellOf(10, 20, 30, 40, 99, 300.5f));
    EXPECT_EQ(c.red, 44);
    EXPECT_EQ(c.green, 40);
    EXPECT_EQ(c.blue, 9);
    EXPECT_EQ(c.grain, 19);
    EXPECT_EQ(c.height, static_cast<float>(300.5 - 270.5 * 1.0000000591389835));
    EXPECT_EQ(c.shine, 99);
}

TEST(Defenestrate, NegativeAndNonFiniteHeightsGiveDefinedRedTargets) {
    // trunc(-1.5) = -1, low byte 255; NaN and infinities convert to 0x80000000.
    EXPECT_EQ(filtered(defenestrate, cellOf(0, 0, 0, 0, 0, -1.5f)).red, 255);
    EXPECT_EQ(filtered(defenestrate, cellOf(0, 0, 0, 0, 0, std::numeric_limits<float>::quiet_NaN())).red, 0);
    EXPECT_EQ(filtered(defenestrate, cellOf(0, 0, 0, 0, 0, std::numeric_limits<float>::infinity())).red, 0);
    EXPECT_EQ(filtered(defenestrate, cellOf(0, 0, 0, 0, 0, 3.0e9f)).red, 0);
}

}  // namespace
}  // namespace sc
