// SPDX-License-Identifier: GPL-3.0-or-later
// Raise, Lower, Shine, Matte, Brighten and Darken.
#include "tool_test_support.h"

namespace sc::test {
namespace {

using ReliefToolsTest = ToolTest;

// One application at full weight (size 1) on cell (5, 5).
PaintCell once(ToolState& tools, Canvas& canvas, CellRect (*tool)(const ToolState&, Canvas&, int, int, BrushSettings),
               PaintCell cell, float strength) {
    canvas.at(5, 5) = cell;
    tool(tools, canvas, 5, 5, brush(tools, kToolRaise, 1, strength));
    return canvas.at(5, 5);
}

PaintCell colour(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return PaintCell{r, g, b, 0, 0, {0, 0, 0}, 0.0f}; }
PaintCell withGrain(std::uint8_t grain) { return PaintCell{1, 2, 3, grain, 4, {0, 0, 0}, 1.0f}; }
PaintCell withHeight(float h) { return PaintCell{1, 2, 3, 4, 5, {0, 0, 0}, h}; }

TEST_F(ReliefToolsTest, BrightenDoublesTowardAtLeastTen) {
    const PaintCell c = once(tools, canvas, brightenTool, colour(0, 100, 200), 1.0f);
    EXPECT_EQ(c.red, 10);
    EXPECT_EQ(c.green, 200);
    EXPECT_EQ(c.blue, 255);
    const PaintCell half = once(tools, canvas, brightenTool, colour(4, 128, 255), 0.5f);
    EXPECT_EQ(half.red, 7);      // 4 + (10 - 4) / 2
    EXPECT_EQ(half.green, 191);  // 128 + 127 / 2 = 191.5
    EXPECT_EQ(half.blue, 255);
}

TEST_F(ReliefToolsTest, DarkenHalves) {
    const PaintCell c = once(tools, canvas, darkenTool, colour(255, 1, 100), 1.0f);
    EXPECT_EQ(c.red, 127);
    EXPECT_EQ(c.green, 0);
    EXPECT_EQ(c.blue, 50);
    EXPECT_EQ(once(tools, canvas, darkenTool, colour(255, 0, 0), 0.5f).red, 191);  // 255 - 128 / 2 = 191
}

TEST_F(ReliefToolsTest, ShineAndMatteMoveTheGrain) {
    EXPECT_EQ(once(tools, canvas, shineTool, withGrain(0), 0.5f).grain, 100);
    EXPECT_EQ(once(tools, canvas, shineTool, withGrain(250), 1.0f).grain, 200);  // toward 200, also from above
    EXPECT_EQ(once(tools, canvas, matteTool, withGrain(100), 0.5f).grain, 50);
    const PaintCell c = once(tools, canvas, matteTool, withGrain(100), 1.0f);
    EXPECT_EQ(c.grain, 0);
    EXPECT_EQ(c.shine, 4);  // only the grain changes
}

TEST_F(ReliefToolsTest, RaiseAndLowerWorkOnlyOnPaint) {
    EXPECT_EQ(once(tools, canvas, raiseTool, withHeight(0.0f), 1.0f).height, 0.0f);
    EXPECT_EQ(once(tools, canvas, lowerTool, withHeight(0.0f), 1.0f).height, 0.0f);
    EXPECT_EQ(once(tools, canvas, raiseTool, withHeight(2.5f), 1.0f).height, 3.5f);

    // Lower has no floor: 0.5 goes to -0.5, then -1.5.
    canvas.at(5, 5) = withHeight(0.5f);
    lowerTool(tools, canvas, 5, 5, brush(tools, kToolLower, 1, 1.0f));
    EXPECT_EQ(canvas.at(5, 5).height, -0.5f);
    lowerTool(tools, canvas, 5, 5, brush(tools, kToolLower, 1, 1.0f));
    EXPECT_EQ(canvas.at(5, 5).height, -1.5f);
    // A negative strength never raises through Lower.
    lowerTool(tools, canvas, 5, 5, brush(tools, kToolLower, 1, -1.0f));
    EXPECT_EQ(canvas.at(5, 5).height, -1.5f);
}

TEST_F(ReliefToolsTest, AmountIsRoundedOnlyForShineAndMatte) {
    // Size 5, soft: the cell one up and left of the centre has weight 0.606.
    // With slider strengths (k * 0.01 as floats) the exact product and its
    // float rounding land on different bytes.
    auto slider = [](int k) { return static_cast<float>(k * static_cast<double>(0.01f)); };
    auto apply = [&](CellRect (*tool)(const ToolState&, Canvas&, int, int, BrushSettings), PaintCell cell,
                     float strength) {
        canvas.at(9, 9) = cell;
        tool(tools, canvas, 10, 10, brush(tools, kToolRaise, 5, strength));
        return canvas.at(9, 9);
    };
    EXPECT_EQ(apply(brightenTool, colour(55, 0, 0), slider(3)).red, 56);  // 55 if rounded
    EXPECT_EQ(apply(darkenTool, colour(109, 0, 0), slider(3)).red, 107);  // 108 if rounded
    EXPECT_EQ(apply(matteTool, withGrain(55), slider(3)).grain, 54);      // 53 if not rounded
    EXPECT_EQ(apply(shineTool, withGrain(35), slider(3)).grain, 37);      // 38 if not rounded
    EXPECT_EQ(apply(raiseTool, withHeight(3.0f), 0.1f).height,
              static_cast<float>(3.0 + static_cast<double>(tools.mask.at(4, 4)) * 0.1f));
}

}  // namespace
}  // namespace sc::test
