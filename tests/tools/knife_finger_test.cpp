// SPDX-License-Identifier: GPL-3.0-or-later
// The Knife and the Finger.
#include "tool_test_support.h"

namespace sc::test {
namespace {

using KnifeFingerTest = ToolTest;

TEST_F(KnifeFingerTest, KnifeAtFullStrengthSetsTargetsAndShavesHeight) {
    for (std::uint32_t y = 0; y < canvas.height; ++y)
        for (std::uint32_t x = 0; x < canvas.width; ++x)
            canvas.at(x, y) = PaintCell{255, 255, 255, 90, 10, {0, 0, 0}, 8.0f};
    tools.styleImages[2] = grainImage([](int, int) { return 33; });
    knife(tools, canvas, 20, 20, brush(tools, kToolKnife, 1, 1.0f));
    // f = single(255 * single(1/255)) = 1 exactly: falling bytes land on the target.
    const PaintCell& c = canvas.at(20, 20);
    EXPECT_EQ(c.red, 0);
    EXPECT_EQ(c.green, 200);
    EXPECT_EQ(c.blue, 45);
    EXPECT_EQ(c.grain, 33);
    EXPECT_EQ(c.shine, 255);
    EXPECT_EQ(c.height, 0.5f * 8.0f + 0.5f * 10.0f);
    // On blank canvas it builds 0.5 * a * thickness per pass.
    knife(tools, canvas, 40, 40, brush(tools, kToolKnife, 1, 1.0f));
    canvas.at(41, 41) = kBlankCell;
    knife(tools, canvas, 41, 41, brush(tools, kToolKnife, 1, 0.5f));
    EXPECT_EQ(canvas.at(41, 41).height, 2.5f);
}

TEST_F(KnifeFingerTest, FingerCentreNeverChanges) {
    paintGround(canvas);
    const PaintCell centre = canvas.at(30, 20);
    finger(tools, canvas, 30, 20, brush(tools, kToolFinger, 15, 1.0f));
    EXPECT_TRUE(sameCell(canvas.at(30, 20), centre));
}

TEST_F(KnifeFingerTest, FingerFactorIsKeptAboveOne) {
    // Hard brush at full strength, texture 0: f = 255 * single(1/255) =
    // 1.00000006. A rising byte lands on the source value, a falling one one
    // below it, and a source of 0 gives 0.
    for (std::uint32_t x = 0; x < canvas.width; ++x)
        for (std::uint32_t y = 0; y < canvas.height; ++y)
            canvas.at(x, y) = PaintCell{100, 100, 100, 100, 100, {0, 0, 0}, 3.0f};
    // Cell (32, 21), two right of and two below the pointer, takes from
    // (trunc(32 + 1.8), trunc(21 + 1.8)).
    canvas.at(33, 22) = PaintCell{150, 50, 0, 100, 100, {0, 0, 0}, 7.0f};
    finger(tools, canvas, 30, 19, brush(tools, kToolFinger, 5, 1.0f, 100));
    const PaintCell& c = canvas.at(32, 21);
    EXPECT_EQ(c.red, 150);
    EXPECT_EQ(c.green, 49);
    EXPECT_EQ(c.blue, 0);
    EXPECT_EQ(c.grain, 100);
    EXPECT_EQ(c.height, static_cast<float>(3.0 + 4.0 * (255 * static_cast<double>(kInv255))));
}

TEST_F(KnifeFingerTest, FingerReadsUpdatedCellsOnTheVisitedSide) {
    // Pointer (10, 10), hard brush of size 10 (radius 7.07). Red grows by
    // column. Cell (8, 10) takes from (6, 10), visited earlier in this pass,
    // which itself took from (2, 10), outside the brush. Cell (12, 10) takes
    // from (13, 10), visited later: its old value.
    for (std::uint32_t x = 0; x < canvas.width; ++x)
        for (std::uint32_t y = 0; y < canvas.height; ++y)
            canvas.at(x, y).red = static_cast<std::uint8_t>(std::min(20 * x, 240u));
    canvas.at(13, 10).red = 250;
    BrushSettings s = brush(tools, kToolFinger, 10, 1.0f, 100);
    finger(tools, canvas, 10, 10, s);
    EXPECT_EQ(canvas.at(6, 10).red, 39);    // 120 toward 40
    EXPECT_EQ(canvas.at(8, 10).red, 38);    // 160 toward the new 39
    EXPECT_EQ(canvas.at(12, 10).red, 250);  // 240 toward the old 250
}

TEST_F(KnifeFingerTest, FingerSourcesAreClampedIntoTheGrid) {
    // Red grows by column and the rows are alike. Pointer (4, 5): cell (1, 5)
    // takes from column trunc(1 - 3 * 0.9) = -1, read as column 0 (red 0, not
    // reached by the brush). Pointer (59, 5): cell (62, 5) takes from column
    // 64, read as 63 (red 189).
    for (std::uint32_t x = 0; x < canvas.width; ++x)
        for (std::uint32_t y = 0; y < canvas.height; ++y) canvas.at(x, y).red = static_cast<std::uint8_t>(x * 3);
    const BrushSettings s = brush(tools, kToolFinger, 5, 1.0f, 100);
    finger(tools, canvas, 4, 5, s);
    EXPECT_EQ(canvas.at(1, 5).red, 0);
    finger(tools, canvas, 59, 5, s);
    EXPECT_EQ(canvas.at(62, 5).red, 189);
    // The same along columns: pointer (30, 2), cell (30, 0) is its own source
    // (trunc(0 - 1.8) = -1, read as row 0), so it keeps its value.
    canvas.at(30, 0).red = 77;
    finger(tools, canvas, 30, 2, s);
    EXPECT_EQ(canvas.at(30, 0).red, 77);
}

}  // namespace
}  // namespace sc::test
