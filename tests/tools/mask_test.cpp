// SPDX-License-Identifier: GPL-3.0-or-later
// The brush mask: weights and the profile picture.
#include <cmath>
#include <set>
#include <utility>

#include "tool_test_support.h"
#include "tools/brush_mask.h"
#include "tools/pixel_line.h"

namespace sc::test {
namespace {

using MaskTest = ToolTest;

const BrushMask& maskFor(ToolState& tools, int size, int hardness) {
    tools.stroke.size = size;
    tools.stroke.hardness = static_cast<std::uint8_t>(hardness);
    tools.mask.built = false;
    buildMask(tools);
    return tools.mask;
}

TEST_F(MaskTest, SizeOneTouchesOneCell) {
    const BrushMask& m = maskFor(tools, 1, 0);
    EXPECT_TRUE(m.built);
    EXPECT_EQ(m.at(0, 0), 0.0f);
    EXPECT_EQ(m.at(1, 0), 0.0f);
    EXPECT_EQ(m.at(0, 1), 0.0f);
    EXPECT_EQ(m.at(1, 1), 1.0f);
}

TEST_F(MaskTest, SoftEdgeFallsToZeroAtRadiusOverRootTwo) {
    // Size 10, hardness 50: R = 10 / sqrt(2), S = 0.5. At distance 5 from the
    // centre q = 0.7071, so the weight is 1 - (0.7071 - 0.5) / 0.5.
    const BrushMask& m = maskFor(tools, 10, 50);
    EXPECT_NEAR(m.at(15, 10), 1.0 - (5.0 / (10.0 / std::sqrt(2.0)) - 0.5) / 0.5, 1e-6);
    EXPECT_EQ(m.at(10, 10), 1.0f);  // centre
    EXPECT_EQ(m.at(13, 10), 1.0f);  // q = 0.42 <= S
    EXPECT_EQ(m.at(18, 10), 0.0f);  // distance 8 > 7.07
    EXPECT_EQ(m.at(0, 0), 0.0f);    // corner
    EXPECT_EQ(m.at(19, 19), 0.0f);
    // Symmetric about the centre and across the diagonal.
    for (int v = 1; v < 20; ++v)
        for (int u = 1; u < 20; ++u) {
            EXPECT_EQ(m.at(u, v), m.at(v, u));
            EXPECT_EQ(m.at(u, v), m.at(20 - u, v));
        }
}

TEST_F(MaskTest, HardnessBelowOneActsAsOne) {
    const std::vector<float> zero(maskFor(tools, 30, 0).weights.begin(),
                                  maskFor(tools, 30, 0).weights.begin() + 60 * 200);
    const BrushMask& one = maskFor(tools, 30, 1);
    EXPECT_TRUE(std::equal(zero.begin(), zero.end(), one.weights.begin()));
    const BrushMask& two = maskFor(tools, 30, 2);
    EXPECT_FALSE(std::equal(zero.begin(), zero.end(), two.weights.begin()));
}

TEST_F(MaskTest, HardestBrushIsZeroWhereQIsExactlyOne) {
    // Size 2: the cells at (1, 1) and its mirrors lie exactly at R = 2 / sqrt(2).
    const BrushMask& m = maskFor(tools, 2, 100);
    for (auto [u, v] : {std::pair{1, 1}, {3, 1}, {1, 3}, {3, 3}}) EXPECT_EQ(m.at(u, v), 0.0f) << u << "," << v;
    EXPECT_EQ(m.at(2, 1), 1.0f);
    EXPECT_EQ(m.at(2, 2), 1.0f);
    // Every weight is exactly 0 or 1, never NaN.
    const BrushMask& big = maskFor(tools, 100, 100);
    for (int v = 0; v < 200; ++v)
        for (int u = 0; u < 200; ++u) EXPECT_TRUE(big.at(u, v) == 0.0f || big.at(u, v) == 1.0f);
}

TEST_F(MaskTest, SizesOutsideTheRangeAreClamped) {
    const BrushMask& m = maskFor(tools, 500, 0);
    EXPECT_EQ(m.builtForSize, 100);
    EXPECT_EQ(m.at(100, 100), 1.0f);
    EXPECT_EQ(maskFor(tools, 0, 0).builtForSize, 1);
    EXPECT_EQ(tools.mask.at(1, 1), 1.0f);
}

TEST_F(MaskTest, BuiltMaskIsNotRebuilt) {
    maskFor(tools, 10, 0);
    tools.stroke.size = 1;  // not marked stale
    buildMask(tools);
    EXPECT_EQ(tools.mask.builtForSize, 10);
}

std::set<std::pair<int, int>> blackPixels(const Surface& s) {
    std::set<std::pair<int, int>> black;
    for (int y = 0; y < static_cast<int>(s.height()); ++y)
        for (int x = 0; x < static_cast<int>(s.width()); ++x)
            if ((s.getPixel(x, y) & 0xFFFFFF) == 0) black.insert({x, y});
            else EXPECT_EQ(s.getPixel(x, y) & 0xFFFFFF, 0xFFFFFFu);
    return black;
}

TEST_F(MaskTest, ProfileOfSoftBrushIsAHump) {
    const Surface& p = maskFor(tools, 30, 0).profile;
    ASSERT_TRUE(p.valid());
    EXPECT_EQ(p.width(), 54u);
    EXPECT_EQ(p.bytesPerPixel(), 4);
    const auto black = blackPixels(p);
    // k = trunc((54 - 0.54) / 2) = 26: the top runs from x 26 to 28 on row 5.
    for (int x = 0; x < 54; ++x) EXPECT_EQ(black.count({x, 5}), (x >= 26 && x <= 28) ? 1u : 0u) << x;
    // Rows 6..53 each hold one pixel of each slope: the column nearest the
    // ideal line from (0, 54) to (26, 5), and its mirror image about x = 27.
    for (int y = 6; y < 54; ++y) {
        std::vector<int> xs;
        for (int x = 0; x < 54; ++x)
            if (black.count({x, y})) xs.push_back(x);
        ASSERT_EQ(xs.size(), 2u) << y;
        EXPECT_EQ(xs[0], static_cast<int>(std::lround((54 - y) * 26.0 / 49.0))) << y;
        EXPECT_EQ(xs[0] + xs[1], 54) << y;
    }
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 54; ++x) EXPECT_EQ(black.count({x, y}), 0u);
}

TEST_F(MaskTest, ProfileOfHardBrushIsABox) {
    maskFor(tools, 30, 0);  // the soft brush's profile is drawn over, not kept
    const auto black = blackPixels(maskFor(tools, 30, 100).profile);
    std::set<std::pair<int, int>> expected;
    for (int y = 6; y < 54; ++y) expected.insert({0, y});
    for (int x = 0; x < 54; ++x) expected.insert({x, 5});
    EXPECT_EQ(black, expected);
}

// Lines: end point excluded, and the same pixels whichever way a line is drawn.
TEST(PixelLine, EndPointExcludedAndDirectionIndependent) {
    Surface s;
    ASSERT_TRUE(s.create32(40, 40));
    s.clearWhite();
    drawLine(s, 0, 0, 4, 2, 0, 0, 0);
    const std::set<std::pair<int, int>> forward = {{0, 0}, {1, 0}, {2, 1}, {3, 1}};
    EXPECT_EQ(blackPixels(s), forward);

    const int ends[][4] = {{3, 7, 30, 21}, {5, 5, 9, 35},  {20, 20, 2, 8}, {35, 2, 1, 19}, {10, 30, 30, 30},
                           {7, 1, 7, 33},  {2, 2, 30, 30}, {30, 4, 4, 30}, {0, 0, 6, 2},   {6, 2, 0, 4}};
    for (const auto& e : ends) {
        s.clearWhite();
        drawLine(s, e[0], e[1], e[2], e[3], 0, 0, 0);
        auto there = blackPixels(s);
        there.insert({e[2], e[3]});
        s.clearWhite();
        drawLine(s, e[2], e[3], e[0], e[1], 0, 0, 0);
        auto back = blackPixels(s);
        back.insert({e[0], e[1]});
        EXPECT_EQ(there, back) << e[0] << "," << e[1] << " - " << e[2] << "," << e[3];
        EXPECT_EQ(there.size(), static_cast<std::size_t>(std::max(std::abs(e[2] - e[0]), std::abs(e[3] - e[1])) + 1));
    }
}

}  // namespace
}  // namespace sc::test
