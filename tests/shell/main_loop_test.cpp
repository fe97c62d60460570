// SPDX-License-Identifier: GPL-3.0-or-later
// The main loop driven through messages: strokes pressed, moved, held still
// and released; leaving the canvas; pacing and the re-delivery rule; a
// script of messages from the environment.
#include "platform/windows.h"
#include "shell/shell_fixture.h"

namespace sc::testing {
namespace {

class MainLoopTest : public ShellTest {};

TEST_F(MainLoopTest, StrokePaintsWhileMovingStopsWhenStillAndEndsOnRelease) {
    start();
    shell().tools.live.tool = kToolPaintBrush;
    const std::uint64_t blank = cellHash(document());

    press(100, 100);
    passes(2);
    for (int x = 102; x <= 140; x += 2) {
        move(x, 100);
        passes(1);
    }
    EXPECT_NE(cellHash(document()), blank) << "moving with the button down lays paint";
    EXPECT_TRUE(pointer(kCanvasPointer).leftDown);

    // Resting: the last move comes again with length 0, which pauses the brush.
    passes(2);
    const std::uint64_t resting = cellHash(document());
    passes(20);
    EXPECT_EQ(cellHash(document()), resting);
    EXPECT_EQ(shell().tools.stroke.strength, 0.0f);

    release(140, 100);
    passes(1);
    EXPECT_FALSE(pointer(kCanvasPointer).leftDown);
    EXPECT_FALSE(shell().pressArmed);
    EXPECT_EQ(document().strokeLength, -1.0f);
    move(200, 200);
    passes(5);
    EXPECT_EQ(cellHash(document()), resting) << "nothing is painted after the release";
}

TEST_F(MainLoopTest, SprayAndKnifeGoOnWhileThePointerRests) {
    start();
    for (std::int32_t tool : {kToolSprayPaint, kToolKnife}) {
        shell().tools.live.tool = tool;
        press(300, 300);
        move(305, 300);
        passes(4);
        passes(10);
        EXPECT_GT(shell().tools.stroke.strength, 0.0f) << "tool " << tool;
        if (tool == kToolSprayPaint) {
            const std::uint64_t before = cellHash(document());
            passes(10);
            EXPECT_NE(cellHash(document()), before) << "spray keeps spraying at a resting pointer";
        }
        release(305, 300);
        passes(1);
    }
}

// A fast move in one pass: without Smooth Strokes the tool lands at its
// two ends only; with them it also covers the way between.
TEST_F(MainLoopTest, SmoothStrokesFillTheWayOfAFastMove) {
    start();
    for (const bool smooth : {false, true}) {
        shell().options.smoothStrokes = smooth;
        shell().tools.live.tool = kToolTubePaint;
        shell().tools.live.size = 20;
        press(100, 100 + 100 * smooth);
        passes(2);
        move(300, 100 + 100 * smooth);
        passes(2);
        release(300, 100 + 100 * smooth);
        passes(1);
        EXPECT_NE(document().at(300, 100 + 100 * smooth).red, 255) << smooth;
        EXPECT_EQ(document().at(200, 100 + 100 * smooth).red != 255, smooth) << smooth;
    }
}

TEST_F(MainLoopTest, LeavingTheCanvasEndsTheStrokeUntilTheNextPress) {
    start();
    press(50, 50);
    move(60, 50);
    passes(3);
    ASSERT_TRUE(hl::pointerLeaves(canvasWindow())) << "the move asked for a leave notice";
    passes(1);
    EXPECT_FALSE(pointer(kCanvasPointer).leftDown);
    EXPECT_FALSE(shell().leaveTracking);
    EXPECT_TRUE(shell().pressArmed) << "armed until a button-up is seen";

    // Coming back with the button still held does not paint.
    const std::uint64_t after = cellHash(document());
    move(70, 50);
    passes(1);
    move(90, 50);
    passes(5);
    EXPECT_EQ(cellHash(document()), after);
    EXPECT_TRUE(shell().leaveTracking) << "the move asked again";
}

TEST_F(MainLoopTest, PassesLastAtLeastThreeMillisecondsAndBlockOnlyWhenIdle) {
    start();
    for (int i = 0; i < 5; ++i) {
        passes(1);
        EXPECT_GE(hl::lastPassPeriod(), 0.003L - 1e-12L);
        EXPECT_TRUE(hl::lastPassMayBlock());
    }
    pressNow(10, 10);
    EXPECT_FALSE(hl::lastPassMayBlock()) << "the tool is applied on every pass while the button is down";
    release(10, 10);
    passes(1);
    EXPECT_TRUE(hl::lastPassMayBlock());
    document().invalidate();
    EXPECT_FALSE(document().rendered);
    passes(1);
    EXPECT_TRUE(document().rendered) << "a pass renders an out-of-date document";
}

TEST_F(MainLoopTest, OnlyAPointerMoveIsDeliveredAgain) {
    start();
    // An Undo command must not repeat on idle passes (it would redo at once).
    press(100, 100);
    move(120, 100);
    passes(3);
    release(120, 100);
    passes(1);
    const std::uint64_t painted = cellHash(document());
    commandNow(1200);
    const std::uint64_t undone = cellHash(document());
    EXPECT_NE(undone, painted);
    passes(10);
    EXPECT_EQ(cellHash(document()), undone);
}

// The script posts one step a pass: the stroke paints, Save writes the
// named file and Exit ends the loop. The loop never waits for the desktop
// while steps are left.
TEST_F(MainLoopTest, AMessageScriptPaintsSavesAndExitsAndABadLineEndsIt) {
    std::string lines = "# a stroke\nwait 3\n\nmove 100 100\npress 100 100\n";
    for (int x = 102; x <= 140; x += 2) lines += "move " + std::to_string(x) + " 100\r\n";
    lines += "release 140 100\nsave painted.pai\ncommand 1009\n";
    writeFileBytes(dir_.path("drive.txt"), lines);
    setenv(kMessageScriptVariable, dir_.path("drive.txt").c_str(), 1);
    start();
    shell().tools.live.tool = kToolPaintBrush;
    const std::uint64_t blank = cellHash(document());
    EXPECT_FALSE(hl::lastPassMayBlock()) << "waiting for the desktop would stall the script";
    runMainLoop(program());
    EXPECT_NE(cellHash(document()), blank);
    EXPECT_TRUE(fileExists(dir_.path("painted.pai")));
    EXPECT_TRUE(shell().painting.saved);
    EXPECT_FALSE(messageScriptRunning(program().script));

    freshProgram();
    writeFileBytes(dir_.path("bad.txt"), "wait 1\nmove 10\ncommand 1009\n");
    setenv(kMessageScriptVariable, dir_.path("bad.txt").c_str(), 1);
    start();
    passes(10);
    EXPECT_FALSE(shell().quitRequested) << "nothing after the bad line runs";
    EXPECT_FALSE(messageScriptRunning(program().script));
    EXPECT_TRUE(hl::lastPassMayBlock());
}

}  // namespace
}  // namespace sc::testing
