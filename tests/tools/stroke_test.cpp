// The stroke lifecycle: length, fades, pulse and the no-movement rule.
#include "tool_test_support.h"

namespace sc::test {
namespace {

using StrokeTest = ToolTest;

TEST_F(StrokeTest, FirstMoveStartsTheLengthAndLaterMovesAddATenth) {
    toolState().mask.built = true;
    strokeBegin(toolState(), canvas);
    EXPECT_EQ(canvas.strokeLength, -1.0f);
    EXPECT_FALSE(toolState().mask.built);
    strokeMove(toolState(), canvas, 300, 400);
    EXPECT_EQ(canvas.strokeLength, 0.0f);
    strokeMove(toolState(), canvas, -30, 40);  // sign does not matter
    EXPECT_EQ(canvas.strokeLength, 5.0f);
    strokeMove(toolState(), canvas, 1, 1);
    EXPECT_EQ(canvas.strokeLength, static_cast<float>(5.0 + static_cast<double>(0.1f) * std::sqrt(2.0f)));
    toolState().mask.built = true;
    strokeEnd(toolState(), canvas);
    EXPECT_EQ(canvas.strokeLength, -1.0f);
    EXPECT_FALSE(toolState().mask.built);
}

TEST_F(StrokeTest, MovesRefreshTheStrokeSettings) {
    useBrush(brush(kToolPaintBrush, 30, 0.5f), canvas);
    toolState().live.size = 12;
    toolState().live.red = 99;
    EXPECT_EQ(toolState().stroke.size, 30);
    toolState().mask.built = true;
    strokeMove(toolState(), canvas, 2, 0);
    EXPECT_EQ(toolState().stroke.size, 12);
    EXPECT_EQ(toolState().stroke.red, 99);
    // Without dynamics a real move leaves the mask alone.
    EXPECT_TRUE(toolState().mask.built);
}

TEST_F(StrokeTest, StrengthFadesToZeroOverAThousandPixels) {
    useBrush(brush(kToolPaintBrush, 30, 0.5f), canvas);
    toolState().dynamics.fadeStrength = 1;
    strokeMove(toolState(), canvas, 10, 0);  // length 0
    EXPECT_EQ(toolState().stroke.strength, 0.5f);
    for (int i = 0; i < 50; ++i) strokeMove(toolState(), canvas, 10, 0);
    EXPECT_EQ(canvas.strokeLength, 50.0f);
    EXPECT_EQ(toolState().stroke.strength, 0.25f);
    EXPECT_EQ(toolState().live.strength, 0.5f);  // the live settings keep theirs
    for (int i = 0; i < 50; ++i) strokeMove(toolState(), canvas, 10, 0);
    EXPECT_EQ(toolState().stroke.strength, 0.0f);
    strokeMove(toolState(), canvas, 500, 0);  // beyond the fade length it stays 0
    EXPECT_EQ(toolState().stroke.strength, 0.0f);
    EXPECT_FALSE(toolState().mask.built);
}

TEST_F(StrokeTest, FadeLengthsBelowOneAreRaisedAndStored) {
    useBrush(brush(kToolPaintBrush, 30, 0.5f), canvas);
    StrokeDynamics& d = toolState().dynamics;
    d.fadeStrength = d.fadeSize = 1;
    d.fadeStrengthLength = 0.0f;
    d.fadeSizeLength = -3.0f;
    strokeMove(toolState(), canvas, 1, 0);
    EXPECT_EQ(d.fadeStrengthLength, 1.0f);
    EXPECT_EQ(d.fadeSizeLength, 1.0f);
}

TEST_F(StrokeTest, SizeFadesButNeverBelowOne) {
    useBrush(brush(kToolPaintBrush, 30, 0.5f), canvas);
    toolState().dynamics.fadeSize = 1;
    strokeMove(toolState(), canvas, 10, 0);
    EXPECT_EQ(toolState().stroke.size, 30);
    for (int i = 0; i < 50; ++i) strokeMove(toolState(), canvas, 10, 0);
    EXPECT_EQ(toolState().stroke.size, 15);
    for (int i = 0; i < 60; ++i) strokeMove(toolState(), canvas, 10, 0);
    EXPECT_EQ(toolState().stroke.size, 1);
}

TEST_F(StrokeTest, PulseShrinksTheSize) {
    useBrush(brush(kToolPaintBrush, 30, 0.5f), canvas);
    StrokeDynamics& d = toolState().dynamics;
    d.pulse = 1;
    d.pulseAmount = 0.0f;  // raised to 1 % and stored so
    d.pulsePeriod = 0.0f;
    toolState().mask.built = true;
    strokeMove(toolState(), canvas, 3, 4);  // length 0 = phase: deepest point, 30 * 0.99
    EXPECT_EQ(d.pulseAmount, 1.0f);
    EXPECT_EQ(d.pulsePeriod, 1.0f);
    EXPECT_EQ(toolState().stroke.size, 29);
    EXPECT_FALSE(toolState().mask.built);

    d.pulseAmount = 50.0f;
    d.pulsePeriod = 44.0f;  // t = length * 0.1
    strokeBegin(toolState(), canvas);
    strokeMove(toolState(), canvas, 1, 0);
    EXPECT_EQ(toolState().stroke.size, 15);
    // Length 15.7 (t about pi / 2): the pulse is at its widest.
    for (int i = 0; i < 157; ++i) strokeMove(toolState(), canvas, 1, 0);
    EXPECT_EQ(toolState().stroke.size, 29);

    d.pulseAmount = 300.0f;  // would make the size negative: at least 1
    strokeBegin(toolState(), canvas);
    strokeMove(toolState(), canvas, 1, 0);
    EXPECT_EQ(toolState().stroke.size, 1);
}

TEST_F(StrokeTest, PulseFollowsAFadedSize) {
    useBrush(brush(kToolPaintBrush, 40, 0.5f), canvas);
    StrokeDynamics& d = toolState().dynamics;
    d.fadeSize = 1;
    d.pulse = 1;
    d.pulseAmount = 50.0f;
    d.pulsePhase = 50.0f;  // deepest at length 50, where the fade halves the size
    strokeMove(toolState(), canvas, 10, 0);
    for (int i = 0; i < 50; ++i) strokeMove(toolState(), canvas, 10, 0);
    EXPECT_EQ(toolState().stroke.size, 10);
}

TEST_F(StrokeTest, MoveWithoutMovementPausesMostTools) {
    for (const int tool : {0, 1, 2, 6, 9, 10, 11, 13, 14, 15, 16, 18}) {
        useBrush(brush(tool, 10, 0.5f), canvas);
        strokeMove(toolState(), canvas, 5, 5);
        toolState().mask.built = true;
        strokeMove(toolState(), canvas, 0, 0);
        EXPECT_EQ(toolState().stroke.strength, 0.0f) << tool;
        EXPECT_FALSE(toolState().mask.built) << tool;
        strokeMove(toolState(), canvas, 0, 1);  // a real move resumes
        EXPECT_EQ(toolState().stroke.strength, 0.5f) << tool;
    }
    // Spray Paint and the Knife keep working at the resting point; the mask
    // is still marked stale.
    for (const int tool : {kToolSprayPaint, kToolKnife}) {
        useBrush(brush(tool, 10, 0.5f), canvas);
        toolState().mask.built = true;
        strokeMove(toolState(), canvas, 0, 0);
        EXPECT_EQ(toolState().stroke.strength, 0.5f) << tool;
        EXPECT_FALSE(toolState().mask.built) << tool;
    }
}

TEST_F(StrokeTest, PausedBrushChangesNothing) {
    paintGround(canvas);
    useBrush(brush(kToolTubePaint, 10, 1.0f), canvas);
    strokeMove(toolState(), canvas, 0, 0);
    const auto before = cellsOf(canvas);
    applyTool(toolState(), 30, 20, canvas);
    EXPECT_TRUE(sameCells(canvas, before));
}

}  // namespace
}  // namespace sc::test
