// SPDX-License-Identifier: GPL-3.0-or-later
// The stroke lifecycle: length, fades, pulse and the no-movement rule; pen
// pressure after them; the spaced points of Smooth Strokes.
#include "tool_test_support.h"
#include "tools/stroke_line.h"

namespace sc::test {
namespace {

using StrokeTest = ToolTest;

TEST_F(StrokeTest, FirstMoveStartsTheLengthAndLaterMovesAddATenth) {
    tools.mask.built = true;
    strokeBegin(tools, canvas);
    EXPECT_EQ(canvas.strokeLength, -1.0f);
    EXPECT_FALSE(tools.mask.built);
    strokeMove(tools, canvas, 300, 400);
    EXPECT_EQ(canvas.strokeLength, 0.0f);
    strokeMove(tools, canvas, -30, 40);  // sign does not matter
    EXPECT_EQ(canvas.strokeLength, 5.0f);
    strokeMove(tools, canvas, 1, 1);
    EXPECT_EQ(canvas.strokeLength, static_cast<float>(5.0 + static_cast<double>(0.1f) * std::sqrt(2.0f)));
    tools.mask.built = true;
    strokeEnd(tools, canvas);
    EXPECT_EQ(canvas.strokeLength, -1.0f);
    EXPECT_FALSE(tools.mask.built);
}

TEST_F(StrokeTest, MovesRefreshTheStrokeSettings) {
    useBrush(tools, brush(tools, kToolPaintBrush, 30, 0.5f), canvas);
    tools.live.size = 12;
    tools.live.red = 99;
    EXPECT_EQ(tools.stroke.size, 30);
    tools.mask.built = true;
    strokeMove(tools, canvas, 2, 0);
    EXPECT_EQ(tools.stroke.size, 12);
    EXPECT_EQ(tools.stroke.red, 99);
    // Without dynamics a real move leaves the mask alone.
    EXPECT_TRUE(tools.mask.built);
}

TEST_F(StrokeTest, StrengthFadesToZeroOverAThousandPixels) {
    useBrush(tools, brush(tools, kToolPaintBrush, 30, 0.5f), canvas);
    tools.dynamics.fadeStrength = 1;
    strokeMove(tools, canvas, 10, 0);  // length 0
    EXPECT_EQ(tools.stroke.strength, 0.5f);
    for (int i = 0; i < 50; ++i) strokeMove(tools, canvas, 10, 0);
    EXPECT_EQ(canvas.strokeLength, 50.0f);
    EXPECT_EQ(tools.stroke.strength, 0.25f);
    EXPECT_EQ(tools.live.strength, 0.5f);  // the live settings keep theirs
    for (int i = 0; i < 50; ++i) strokeMove(tools, canvas, 10, 0);
    EXPECT_EQ(tools.stroke.strength, 0.0f);
    strokeMove(tools, canvas, 500, 0);  // beyond the fade length it stays 0
    EXPECT_EQ(tools.stroke.strength, 0.0f);
    EXPECT_FALSE(tools.mask.built);
}

TEST_F(StrokeTest, FadeLengthsBelowOneAreRaisedAndStored) {
    useBrush(tools, brush(tools, kToolPaintBrush, 30, 0.5f), canvas);
    StrokeDynamics& d = tools.dynamics;
    d.fadeStrength = d.fadeSize = 1;
    d.fadeStrengthLength = 0.0f;
    d.fadeSizeLength = -3.0f;
    strokeMove(tools, canvas, 1, 0);
    EXPECT_EQ(d.fadeStrengthLength, 1.0f);
    EXPECT_EQ(d.fadeSizeLength, 1.0f);
}

TEST_F(StrokeTest, SizeFadesButNeverBelowOne) {
    useBrush(tools, brush(tools, kToolPaintBrush, 30, 0.5f), canvas);
    tools.dynamics.fadeSize = 1;
    strokeMove(tools, canvas, 10, 0);
    EXPECT_EQ(tools.stroke.size, 30);
    for (int i = 0; i < 50; ++i) strokeMove(tools, canvas, 10, 0);
    EXPECT_EQ(tools.stroke.size, 15);
    for (int i = 0; i < 60; ++i) strokeMove(tools, canvas, 10, 0);
    EXPECT_EQ(tools.stroke.size, 1);
}

TEST_F(StrokeTest, PulseShrinksTheSize) {
    useBrush(tools, brush(tools, kToolPaintBrush, 30, 0.5f), canvas);
    StrokeDynamics& d = tools.dynamics;
    d.pulse = 1;
    d.pulseAmount = 0.0f;  // raised to 1 % and stored so
    d.pulsePeriod = 0.0f;
    tools.mask.built = true;
    strokeMove(tools, canvas, 3, 4);  // length 0 = phase: deepest point, 30 * 0.99
    EXPECT_EQ(d.pulseAmount, 1.0f);
    EXPECT_EQ(d.pulsePeriod, 1.0f);
    EXPECT_EQ(tools.stroke.size, 29);
    EXPECT_FALSE(tools.mask.built);

    d.pulseAmount = 50.0f;
    d.pulsePeriod = 44.0f;  // t = length * 0.1
    strokeBegin(tools, canvas);
    strokeMove(tools, canvas, 1, 0);
    EXPECT_EQ(tools.stroke.size, 15);
    // Length 15.7 (t about pi / 2): the pulse is at its widest.
    for (int i = 0; i < 157; ++i) strokeMove(tools, canvas, 1, 0);
    EXPECT_EQ(tools.stroke.size, 29);

    d.pulseAmount = 300.0f;  // would make the size negative: at least 1
    strokeBegin(tools, canvas);
    strokeMove(tools, canvas, 1, 0);
    EXPECT_EQ(tools.stroke.size, 1);
}

TEST_F(StrokeTest, PulseFollowsAFadedSize) {
    useBrush(tools, brush(tools, kToolPaintBrush, 40, 0.5f), canvas);
    StrokeDynamics& d = tools.dynamics;
    d.fadeSize = 1;
    d.pulse = 1;
    d.pulseAmount = 50.0f;
    d.pulsePhase = 50.0f;  // deepest at length 50, where the fade halves the size
    strokeMove(tools, canvas, 10, 0);
    for (int i = 0; i < 50; ++i) strokeMove(tools, canvas, 10, 0);
    EXPECT_EQ(tools.stroke.size, 10);
}

TEST_F(StrokeTest, MoveWithoutMovementPausesMostTools) {
    for (const int tool : {0, 1, 2, 6, 9, 10, 11, 13, 14, 15, 16, 18}) {
        useBrush(tools, brush(tools, tool, 10, 0.5f), canvas);
        strokeMove(tools, canvas, 5, 5);
        tools.mask.built = true;
        strokeMove(tools, canvas, 0, 0);
        EXPECT_EQ(tools.stroke.strength, 0.0f) << tool;
        EXPECT_FALSE(tools.mask.built) << tool;
        strokeMove(tools, canvas, 0, 1);  // a real move resumes
        EXPECT_EQ(tools.stroke.strength, 0.5f) << tool;
    }
    // Spray Paint and the Knife keep working at the resting point; the mask
    // is still marked stale.
    for (const int tool : {kToolSprayPaint, kToolKnife}) {
        useBrush(tools, brush(tools, tool, 10, 0.5f), canvas);
        tools.mask.built = true;
        strokeMove(tools, canvas, 0, 0);
        EXPECT_EQ(tools.stroke.strength, 0.5f) << tool;
        EXPECT_FALSE(tools.mask.built) << tool;
    }
}

TEST_F(StrokeTest, PausedBrushChangesNothing) {
    paintGround(canvas);
    useBrush(tools, brush(tools, kToolTubePaint, 10, 1.0f), canvas);
    strokeMove(tools, canvas, 0, 0);
    const auto before = cellsOf(canvas);
    applyTool(tools, 30, 20, canvas);
    EXPECT_TRUE(sameCells(canvas, before));
}

TEST_F(StrokeTest, PressureScalesTheDocumentStrokeAfterTheFades) {
    canvas.kind = kDocumentCanvasKind;
    useBrush(tools, brush(tools, kToolPaintBrush, 30, 0.5f), canvas);
    tools.dynamics.fadeStrength = 1;
    for (int i = 0; i < 51; ++i) strokeMove(tools, canvas, 10, 0);  // faded to 0.25
    tools.pressure = 0.5f;
    strokeMove(tools, canvas, 0, 10);
    const double faded = 1.0 - static_cast<double>(canvas.strokeLength) / 100.0;
    EXPECT_EQ(tools.stroke.strength, static_cast<float>(static_cast<float>(0.5f * faded) * 0.5));
    EXPECT_EQ(tools.stroke.size, 30) << "pressure to strength leaves the size";

    // To size: trunc(size x p), at least 1; the curve raises p to its power.
    tools.dynamics.fadeStrength = 0;
    tools.pen = {PressureTarget::Size, 2.0f};
    tools.mask.built = true;
    strokeMove(tools, canvas, 10, 0);
    EXPECT_EQ(tools.stroke.size, 7);  // 30 x 0.25 = 7.5
    EXPECT_EQ(tools.stroke.strength, 0.5f);
    EXPECT_FALSE(tools.mask.built) << "a pressed size needs its own mask";
    tools.pressure = 0.01f;
    strokeMove(tools, canvas, 10, 0);
    EXPECT_EQ(tools.stroke.size, 1);
    tools.pen = {PressureTarget::StrengthAndSize, 1.0f};
    tools.pressure = 0.0f;
    strokeMove(tools, canvas, 10, 0);
    EXPECT_EQ(tools.stroke.size, 1);
    EXPECT_EQ(tools.stroke.strength, 0.0f);

    // Full pressure again: the size is the live one, and the mask built for
    // the pressed size is rebuilt once.
    tools.pressure = 1.0f;
    tools.mask.built = true;
    strokeMove(tools, canvas, 10, 0);
    EXPECT_EQ(tools.stroke.size, 30);
    EXPECT_FALSE(tools.mask.built);
    tools.mask.built = true;
    strokeMove(tools, canvas, 10, 0);
    EXPECT_TRUE(tools.mask.built);

    // The brush preview and the thumbnails paint as a mouse.
    Canvas preview;
    ASSERT_TRUE(preview.allocate(8, 8));
    tools.pressure = 0.3f;
    strokeBegin(tools, preview);
    strokeMove(tools, preview, 10, 0);
    EXPECT_EQ(tools.stroke.size, 30);
    EXPECT_EQ(tools.stroke.strength, 0.5f);
}

TEST(StrokeLine, PointsAreEvenlySpacedInOrderUpToTheEnd) {
    EXPECT_EQ(pointSpacing(100), 25);
    EXPECT_EQ(pointSpacing(7), 1);
    EXPECT_EQ(pointSpacing(1), 1);

    auto listed = [](const std::vector<LinePoint>& v) {
        std::vector<std::pair<int, int>> out;
        for (const LinePoint& p : v) out.emplace_back(p.x, p.y);
        return out;
    };
    using Pts = std::vector<std::pair<int, int>>;
    // Not farther than the spacing: one application at the end, as without.
    EXPECT_EQ(listed(spacedPoints(10, 10, 30, 10, 25.0)), (Pts{{30, 10}}));
    EXPECT_EQ(listed(spacedPoints(10, 10, 35, 10, 25.0)), (Pts{{35, 10}}));
    // 200 cells at 25: eight points, the start excluded, the end exact.
    EXPECT_EQ(listed(spacedPoints(0, 0, 200, 0, 25.0)),
              (Pts{{25, 0}, {50, 0}, {75, 0}, {100, 0}, {125, 0}, {150, 0}, {175, 0}, {200, 0}}));
    // Backwards and diagonal: ceil(50 / 20) = 3 points, rounded to the nearest.
    EXPECT_EQ(listed(spacedPoints(40, 30, 10, -10, 20.0)), (Pts{{30, 17}, {20, 3}, {10, -10}}));
    // A long segment: every step at most the spacing, the count the least that allows it.
    const std::vector<LinePoint> v = spacedPoints(-500, 7, 1500, 1207, 25.0);
    EXPECT_EQ(v.size(), 94u);  // ceil(sqrt(2000^2 + 1200^2) / 25)
    LinePoint previous{-500, 7};
    for (const LinePoint& p : v) {
        EXPECT_LE(std::hypot(p.x - previous.x, p.y - previous.y), 25.0 + 1.0);  // within rounding
        EXPECT_GT(p.x, previous.x);
        previous = p;
    }
    EXPECT_EQ(v.back().x, 1500);
    EXPECT_EQ(v.back().y, 1207);
}

TEST_F(StrokeTest, ALineIsOneApplicationPerPointInOrder) {
    paintGround(canvas);
    Canvas byHand;
    ASSERT_TRUE(byHand.allocate(64, 48));
    paintGround(byHand);
    // Spray draws its numbers per point, so the order and count show.
    useBrush(tools, brush(tools, kToolSprayPaint, 8, 0.6f), canvas);
    ToolState& ts = tools;
    ts.random = ProgramRandom{5};
    for (const LinePoint& p : strokeLinePoints(2, 40, 60, 3, ts.stroke.size, 1.0f)) applyTool(ts, p.x, p.y, canvas);
    ts.random = ProgramRandom{5};
    for (const LinePoint& p : spacedPoints(2, 40, 60, 3, 2.0)) applyTool(ts, p.x, p.y, byHand);
    EXPECT_TRUE(sameCells(canvas, cellsOf(byHand)));

    // At zoom 2 the spacing of 2 cells is 4 window pixels: a move of 4
    // pixels is one application.
    const std::vector<LinePoint> zoomed = strokeLinePoints(20, 20, 24, 20, ts.stroke.size, 2.0f);
    ASSERT_EQ(zoomed.size(), 1u);
    EXPECT_EQ(zoomed[0].x, 24);
}

}  // namespace
}  // namespace sc::test
