// SPDX-License-Identifier: GPL-3.0-or-later
// Fill: its region, what it lays, the end of the press and running out of memory.
#include <memory>
#include <set>

#include "tool_test_support.h"

namespace sc::test {
namespace {

class FillTest : public ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        ended = 0;
        paintGround(canvas);
        canvas.rendered = true;
    }
    // The cells Fill changed, as (x, y).
    std::set<std::pair<int, int>> filledAt(int x, int y) {
        const auto before = cellsOf(canvas);
        ended += fillTool(tools, canvas, x, y, fill).pressEnded;
        std::set<std::pair<int, int>> changed;
        for (std::uint32_t cy = 0; cy < canvas.height; ++cy)
            for (std::uint32_t cx = 0; cx < canvas.width; ++cx)
                if (!sameCell(canvas.at(cx, cy), before[cy * canvas.width + cx])) changed.insert({int(cx), int(cy)});
        return changed;
    }

    int ended = 0;
    BrushSettings fill = [] {
        const auto scratch = std::make_unique<ToolState>();  // off the stack: the mask alone is 160 KB
        BrushSettings s = brush(*scratch, kToolFill, 30, 0.5f);
        s.red = 1, s.green = 2, s.blue = 3, s.thickness = 12.5f;
        return s;
    }();
};

TEST_F(FillTest, FillsTheCellAndItsFourNeighbours) {
    tools.styleImages[2] = grainImage([](int x, int y) { return x + 2 * y; });
    tools.styleOffset = {50.0f, 50.0f};  // not used by Fill
    const PaintCell old = canvas.at(10, 10);
    const auto pixels = pixelsOf(canvas.surface);
    const std::set<std::pair<int, int>> expected = {{10, 10}, {9, 10}, {11, 10}, {10, 9}, {10, 11}};
    EXPECT_EQ(filledAt(10, 10), expected);
    const PaintCell& c = canvas.at(10, 11);
    EXPECT_EQ(c.red, 1);
    EXPECT_EQ(c.green, 2);
    EXPECT_EQ(c.blue, 3);
    EXPECT_EQ(c.grain, 10 + 22);
    EXPECT_EQ(c.height, 12.5f);
    EXPECT_EQ(canvas.at(10, 10).shine, old.shine);
    // The whole canvas is left for the next full render; the press ends.
    EXPECT_FALSE(canvas.rendered);
    EXPECT_EQ(pixelsOf(canvas.surface), pixels);
    EXPECT_EQ(ended, 1);
}

TEST_F(FillTest, NeighboursNeverWrapAcrossRows) {
    const int last = static_cast<int>(canvas.width) - 1;
    const int bottom = static_cast<int>(canvas.height) - 1;
    EXPECT_EQ(filledAt(0, 5), (std::set<std::pair<int, int>>{{0, 5}, {1, 5}, {0, 4}, {0, 6}}));
    EXPECT_EQ(filledAt(last, 5), (std::set<std::pair<int, int>>{{last, 5}, {last - 1, 5}, {last, 4}, {last, 6}}));
    EXPECT_EQ(filledAt(0, 0), (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {0, 1}}));
    EXPECT_EQ(filledAt(last, bottom),
              (std::set<std::pair<int, int>>{{last, bottom}, {last - 1, bottom}, {last, bottom - 1}}));
}

TEST_F(FillTest, NarrowGrids) {
    Canvas line;
    ASSERT_TRUE(line.allocate(1, 3));
    fillTool(tools, line, 0, 1, fill);
    for (std::uint32_t y = 0; y < 3; ++y) EXPECT_EQ(line.at(0, y).height, 12.5f);
    Canvas dot;
    ASSERT_TRUE(dot.allocate(1, 1));
    fillTool(tools, dot, 0, 0, fill);
    EXPECT_EQ(dot.at(0, 0).red, 1);
}

TEST_F(FillTest, OutsideTheGridOnlyEndsThePress) {
    const auto before = cellsOf(canvas);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {64, 0}, {0, 48}, {INT32_MIN, INT32_MAX}})
        ended += fillTool(tools, canvas, x, y, fill).pressEnded;
    EXPECT_TRUE(sameCells(canvas, before));
    EXPECT_TRUE(canvas.rendered);
    EXPECT_EQ(ended, 5);
}

TEST_F(FillTest, OutOfMemoryIsReportedAndThePressStillEnds) {
    setMarkPlaneAllocator([](std::size_t) -> void* { return nullptr; });
    const auto before = cellsOf(canvas);
    const ToolOutcome outcome = fillTool(tools, canvas, 10, 10, fill);
    EXPECT_TRUE(sameCells(canvas, before));
    EXPECT_TRUE(outcome.outOfMemory);
    EXPECT_TRUE(outcome.pressEnded);
    EXPECT_FALSE(canvas.rendered);
    EXPECT_FALSE(fillTool(tools, canvas, -1, 10, fill).outOfMemory);  // off the grid nothing is asked for
}

}  // namespace
}  // namespace sc::test
