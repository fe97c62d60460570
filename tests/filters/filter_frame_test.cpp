// SPDX-License-Identifier: GPL-3.0-or-later
// The blend every filter ends with, the pixel split and the luminance.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "filters/extended_precision.h"
#include "filters/filter_frame.h"
#include "filters/luminance.h"
#include "filters/split_pixel.h"

namespace sc {
namespace {

TEST(FilterBlend, FullWeightIsSlightlyAboveOne) { EXPECT_EQ(kFullWeight, 1.0000000591389835); }

TEST(FilterBlend, DecreasingBytesCanLandOneBelowTheTarget) {
    EXPECT_EQ(blendByte(200, 55, kFullWeight), 54);
    EXPECT_EQ(blendByte(255, 0, kFullWeight), 0);  // -1.5e-5 truncates toward zero
    EXPECT_EQ(blendByte(128, 127, kFullWeight), 126);
}

TEST(FilterBlend, IncreasingAndEqualBytesLandOnTheTarget) {
    EXPECT_EQ(blendByte(54, 201, kFullWeight), 201);
    EXPECT_EQ(blendByte(0, 255, kFullWeight), 255);
    EXPECT_EQ(blendByte(77, 77, kFullWeight), 77);
}

TEST(FilterBlend, IntegerFullBlendAgreesForEveryPair) {
    for (int c = 0; c < 256; ++c)
        for (int t = 0; t < 256; ++t) {
            const auto v = static_cast<std::uint8_t>(c), g = static_cast<std::uint8_t>(t);
            ASSERT_EQ(blendByteFull(v, g), blendByte(v, g, kFullWeight)) << c << " -> " << t;
        }
    EXPECT_TRUE(fullBlend().full);
    EXPECT_FALSE(halfBlend().full);
}

TEST(FilterBlend, HalfStrengthTruncatesTheMidpoint) {
    EXPECT_EQ(blendByte(100, 255, kFullWeight * 0.5), 177);
    EXPECT_EQ(blendByte(50, 127, kFullWeight * 0.5), 88);
}

TEST(FilterBlend, ShineRoundsToSinglePrecisionBeforeTruncating) {
    EXPECT_EQ(blendShine(65, 55, kFullWeight), 55);
    EXPECT_EQ(blendByte(65, 55, kFullWeight), 54);  // the byte path differs
    EXPECT_EQ(blendShine(200, 55, kFullWeight), 54);
    EXPECT_EQ(blendShine(0, 255, kFullWeight), 255);
}

TEST(FilterBlend, HeightRoundsToSinglePrecision) {
    EXPECT_EQ(blendHeight(10.0f, 5.0f, kFullWeight), 4.9999995f);
    EXPECT_EQ(blendHeight(0.0f, 4.0f, kFullWeight), 4.0f);
    // A flat target leaves a residue of about -6e-8 times the old height.
    EXPECT_EQ(blendHeight(1000.0f, 0.0f, kFullWeight), static_cast<float>(1000.0 - 1000.0 * kFullWeight));
    EXPECT_LT(blendHeight(1000.0f, 0.0f, kFullWeight), 0.0f);
}

TEST(FilterBlend, HeightTowardItselfMatchesTheFullArithmetic) {
    const float inf = std::numeric_limits<float>::infinity();
    for (float h : {3.5f, -1e30f, 1e-40f, 0.0f, -0.0f, inf, -inf, std::numeric_limits<float>::quiet_NaN()}) {
        const float fast = blendHeightToItself(h, kFullWeight);
        const float full = blendHeight(h, h, kFullWeight);
        EXPECT_EQ(std::memcmp(&fast, &full, sizeof(float)), 0) << h;
    }
    EXPECT_TRUE(std::isnan(blendHeightToItself(inf, kFullWeight)));  // inf - inf
    EXPECT_FALSE(std::signbit(blendHeightToItself(-0.0f, kFullWeight)));
}

TEST(SplitPixel, KeepsTheColourAboveTheSmallestChannelAsGrain) {
    const SplitPixel s = splitPixel(200, 100, 50);
    EXPECT_EQ(s.red, 150);
    EXPECT_EQ(s.green, 50);
    EXPECT_EQ(s.blue, 0);
    EXPECT_EQ(s.grain, 50);
    const SplitPixel white = splitPixel(255, 255, 255);
    EXPECT_EQ(white.red + white.green + white.blue, 0);
    EXPECT_EQ(white.grain, 255);
    const SplitPixel blue = splitPixel(10, 20, 0);
    EXPECT_EQ(blue.red, 10);
    EXPECT_EQ(blue.grain, 0);
}

TEST(Luminance, WeightsGreenByPointThreeAndRedByPointFiveNine) {
    EXPECT_EQ(luminanceGrey(255, 0, 0), 150);
    EXPECT_EQ(luminanceGrey(0, 255, 0), 76);
    EXPECT_EQ(luminanceGrey(0, 0, 255), 28);
}

TEST(Luminance, IntegerFormEqualsTheExtendedSumForEveryColour) {
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                const auto red = static_cast<std::uint8_t>(r), green = static_cast<std::uint8_t>(g),
                           blue = static_cast<std::uint8_t>(b);
                const long double l = luminance(red, green, blue);
                ASSERT_EQ(static_cast<long double>(luminanceScaled(red, green, blue)), l * 134217728.0L)
                    << r << " " << g << " " << b;
                ASSERT_EQ(luminanceSingle(red, green, blue), static_cast<float>(l));
            }
}

TEST(ExtendedPrecision, TruncationOfSmallValues) {
    for (long double v :
         {0.0L, 0.25L, 0.999999999999999999L, 1.0L, 14.99999999999999999L, 15.0L, 254.5L, 255.0L, 2147483647.75L}) {
        EXPECT_EQ(truncSmallExtended(v), truncToInt(v)) << static_cast<double>(v);
    }
    const long double fifteen = 5.0L / 7.0L * 21.0L;  // just below 15
    EXPECT_EQ(truncSmallExtended(fifteen), 14);
}

TEST(ExtendedPrecision, AquaProductMatchesTheExtendedFormulaEverywhere) {
    const long double k = kInv255;
    for (std::uint32_t grey = 0; grey < 256; ++grey) {
        const long double a = grey * k;
        for (std::uint32_t first = 0; first < 256; ++first)
            for (std::uint32_t last = 0; last < 256; ++last) {
                const std::int32_t expected = truncToInt(first * k * a * last);
                if (aquaProductExtended(first, grey, last) != expected)
                    FAIL() << first << " " << grey << " " << last << ": expected " << expected;
            }
    }
}

TEST(Luminance, WhiteFallsJustShortOf255) {
    EXPECT_LT(luminance(255, 255, 255), 255.0L);
    EXPECT_GT(luminance(255, 255, 255), 254.9999L);
    EXPECT_EQ(luminanceGrey(255, 255, 255), 254);
}

}  // namespace
}  // namespace sc
