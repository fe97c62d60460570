#include <gtest/gtest.h>

#include "app/file_fixture.h"

namespace sc {
namespace {

class UndoTest : public testing::FileOperationTest {};

TEST_F(UndoTest, UndoSwapsCellsAndSettingsSoASecondUndoRedoes) {
    ShellState& s = shell();
    ToolState& t = toolState();
    paintDocument(10);
    t.live.red = 1;
    takeUndoSnapshot(shell(), true);
    EXPECT_TRUE(s.undoValid);
    EXPECT_FALSE(s.saved);

    // The change: a cell, the colour and the tool.
    s.document.at(2, 1).red = 250;
    t.live.red = 77;
    t.live.tool = kToolKnife;
    s.saved = true;

    EXPECT_FALSE(undo(shell())) << "the size stays";
    EXPECT_EQ(s.document.at(2, 1).red, static_cast<std::uint8_t>(10 + 8));
    EXPECT_EQ(t.live.red, 1);
    EXPECT_EQ(t.live.tool, kToolKnife) << "the tool is never swapped";
    EXPECT_FALSE(s.saved);
    EXPECT_TRUE(s.colourChanged);
    EXPECT_TRUE(s.document.rendered);
    EXPECT_TRUE(s.undoValid);

    undo(shell());
    EXPECT_EQ(s.document.at(2, 1).red, 250);
    EXPECT_EQ(t.live.red, 77);
    EXPECT_EQ(t.live.tool, kToolKnife);
}

TEST_F(UndoTest, UndoAcrossASizeChangeSwapsTheSizesAndRecreatesTheWindow) {
    ShellState& s = shell();
    ASSERT_TRUE(s.document.allocate(60, 60));
    paintDocument(3);
    takeUndoSnapshot(shell(), true);
    ASSERT_TRUE(s.document.allocate(30, 20));  // as Image Size does after its snapshot
    s.document.kind = kDocumentCanvasKind;

    EXPECT_TRUE(undo(shell())) << "the window follows the size";
    EXPECT_EQ(s.document.width, 60u);
    EXPECT_EQ(s.document.height, 60u);
    EXPECT_EQ(s.document.at(59, 59).red, static_cast<std::uint8_t>(3 + 3599));
    EXPECT_EQ(s.document.surface.width(), 60u);
    EXPECT_EQ(s.document.kind, kDocumentCanvasKind);

    EXPECT_TRUE(undo(shell()));
    EXPECT_EQ(s.document.width, 30u);
    EXPECT_EQ(s.document.height, 20u);
}

TEST_F(UndoTest, AfterASnapshotWithoutCanvasOnlySettingsSwap) {
    ShellState& s = shell();
    ToolState& t = toolState();
    ASSERT_TRUE(s.document.allocate(10, 10));
    takeUndoSnapshot(shell(), true);
    // File New with another size: a snapshot without the canvas, then the new canvas.
    t.live.green = 5;
    takeUndoSnapshot(shell(), false);
    EXPECT_FALSE(s.undoValid);
    ASSERT_TRUE(s.document.allocate(5, 5));
    paintDocument(40);
    t.live.green = 99;

    // The stale undo canvas still has the old size, so the window is made again.
    EXPECT_TRUE(undo(shell()));
    EXPECT_EQ(t.live.green, 5);
    EXPECT_EQ(s.document.width, 5u);
    EXPECT_EQ(s.document.at(0, 0).red, 40) << "cells untouched";
    EXPECT_FALSE(s.undoValid);
}

}  // namespace
}  // namespace sc
