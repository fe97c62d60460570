// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/file_fixture.h"
#include "app/filter_command.h"
#include "app/layers.h"
#include "engine/resample.h"
#include "filters/filter_table.h"
#include "tools/tools.h"

namespace sc {
namespace {

class UndoTest : public testing::FileOperationTest {
protected:
    // A painting of several tiles, the last column and row narrower, with
    // the tools announcing their changes as the program's do.
    void startPainting() {
        ShellState& s = shell();
        ASSERT_TRUE(s.painting.document.allocate(100, 70));
        paintDocument(10);
        takeUndoSnapshot(s.painting, s.tools, true);
        s.painting.history.clear();
        s.writeHook.install(s.painting, s.tools);
        ToolState& t = shell().tools;
        t.live.tool = kToolTubePaint;
        t.live.size = 10;
        t.mask.built = false;
    }

    // A press at (x, y) and a short drag to the right, as the canvas window does.
    void stroke(int x, int y) {
        Canvas& d = shell().painting.document;
        takeStrokeSnapshot(shell().painting, shell().tools);
        strokeBegin(shell().tools, d);
        for (int i = 0; i < 3; ++i) {
            strokeMove(shell().tools, d, -3, 0);
            applyTool(shell().tools, x + 3 * i, y, d);
        }
        strokeEnd(shell().tools, d);
    }

    // Undo, then Undo again (a redo), each checked against the painting it
    // returns to and recorded, as each is a step of its own.
    void undoAndRedo(std::vector<std::string>& seen) {
        const std::size_t n = seen.size();
        undo(shell().painting, shell().tools);
        EXPECT_EQ(cells(), seen[n - 2]);
        seen.push_back(cells());
        undo(shell().painting, shell().tools);
        EXPECT_EQ(cells(), seen[n - 1]);
        seen.push_back(cells());
    }

    // A press and a short drag through the path the canvas view takes, so a
    // layered painting is painted on its active layer.
    void layerStroke(int x, int y) {
        Painting& p = shell().painting;
        takeStrokeSnapshot(p, shell().tools);
        strokeBegin(shell().tools, p.document);
        for (int i = 0; i < 3; ++i) {
            strokeMove(shell().tools, p.document, -3, 0);
            applyToolToPainting(p, shell().tools, x + 3 * i, y);
        }
        strokeEnd(shell().tools, p.document);
    }

    // Everything a step must bring back: the document's cells and every
    // layer's cells, coverage, name, flags and opacity, and the active layer.
    std::string layers() const {
        const Painting& p = state_->painting;
        std::string out = cells() + "|active " + std::to_string(activeLayer(p)) + "|" + p.layers.singleName;
        for (const Layer& l : p.layers.layers) {
            out += "|" + l.name + (l.visible ? " shown " : " hidden ") + std::to_string(l.opacity) + " " +
                   std::to_string(l.width) + "x" + std::to_string(l.height) + ":";
            out.append(reinterpret_cast<const char*>(l.cells.get()), l.cellCount() * sizeof(PaintCell));
            if (l.coverage) out.append(reinterpret_cast<const char*>(l.coverage.get()), l.cellCount() * sizeof(float));
        }
        return out;
    }

    std::string cells() const {
        const Canvas& d = state_->painting.document;
        std::string bytes(reinterpret_cast<const char*>(d.cells()), d.cellCount() * sizeof(PaintCell));
        return std::to_string(d.width) + "x" + std::to_string(d.height) + ":" + bytes;
    }
};

TEST_F(UndoTest, UndoSwapsCellsAndSettingsSoASecondUndoRedoes) {
    ShellState& s = shell();
    ToolState& t = shell().tools;
    paintDocument(10);
    t.live.red = 1;
    takeUndoSnapshot(shell().painting, shell().tools, true);
    EXPECT_TRUE(s.painting.undoValid);
    EXPECT_FALSE(s.painting.saved);

    // The change: a cell, the colour and the tool.
    s.painting.document.at(2, 1).red = 250;
    t.live.red = 77;
    t.live.tool = kToolKnife;
    s.painting.saved = true;

    EXPECT_FALSE(undo(shell().painting, shell().tools)) << "the size stays";
    EXPECT_EQ(s.painting.document.at(2, 1).red, static_cast<std::uint8_t>(10 + 8));
    EXPECT_EQ(t.live.red, 1);
    EXPECT_EQ(t.live.tool, kToolKnife) << "the tool is never swapped";
    EXPECT_FALSE(s.painting.saved);
    EXPECT_TRUE(s.painting.document.rendered);
    EXPECT_TRUE(s.painting.undoValid);

    undo(shell().painting, shell().tools);
    EXPECT_EQ(s.painting.document.at(2, 1).red, 250);
    EXPECT_EQ(t.live.red, 77);
    EXPECT_EQ(t.live.tool, kToolKnife);
}

TEST_F(UndoTest, UndoAcrossASizeChangeSwapsTheSizesAndRecreatesTheWindow) {
    ShellState& s = shell();
    ASSERT_TRUE(s.painting.document.allocate(60, 60));
    paintDocument(3);
    takeUndoSnapshot(shell().painting, shell().tools, true);
    ASSERT_TRUE(s.painting.document.allocate(30, 20));  // as Image Size does after its snapshot
    s.painting.document.kind = kDocumentCanvasKind;

    EXPECT_TRUE(undo(shell().painting, shell().tools)) << "the window follows the size";
    EXPECT_EQ(s.painting.document.width, 60u);
    EXPECT_EQ(s.painting.document.height, 60u);
    EXPECT_EQ(s.painting.document.at(59, 59).red, static_cast<std::uint8_t>(3 + 3599));
    EXPECT_EQ(s.painting.document.surface.width(), 60u);
    EXPECT_EQ(s.painting.document.kind, kDocumentCanvasKind);

    EXPECT_TRUE(undo(shell().painting, shell().tools));
    EXPECT_EQ(s.painting.document.width, 30u);
    EXPECT_EQ(s.painting.document.height, 20u);
}

TEST_F(UndoTest, AfterASnapshotWithoutCanvasOnlySettingsSwap) {
    ShellState& s = shell();
    ToolState& t = shell().tools;
    ASSERT_TRUE(s.painting.document.allocate(10, 10));
    takeUndoSnapshot(shell().painting, shell().tools, true);
    // File New with another size: a snapshot without the canvas, then the new canvas.
    t.live.green = 5;
    takeUndoSnapshot(shell().painting, shell().tools, false);
    EXPECT_FALSE(s.painting.undoValid);
    ASSERT_TRUE(s.painting.document.allocate(5, 5));
    paintDocument(40);
    t.live.green = 99;

    // The stale undo canvas still has the old size, so the window is made again.
    EXPECT_TRUE(undo(shell().painting, shell().tools));
    EXPECT_EQ(t.live.green, 5);
    EXPECT_EQ(s.painting.document.width, 5u);
    EXPECT_EQ(s.painting.document.at(0, 0).red, 40) << "cells untouched";
    EXPECT_FALSE(s.painting.undoValid);
}

TEST_F(UndoTest, APressSnapshotUndoesExactlyAsAWholeCopyWould) {
    startPainting();
    // Strokes inside a tile, across tile edges and on the narrow last tiles,
    // a filter between them, and a stroke after an Undo: each Undo returns
    // exactly the painting before its change, a second one the painting after.
    const std::vector<std::pair<int, int>> presses{{5, 5}, {30, 34}, {-1, -1}, {95, 66}, {0, 0}, {64, 31}};
    for (const auto& [x, y] : presses) {
        const std::string before = cells();
        if (x < 0) {
            runFilter(shell().painting, shell().tools, kFilterInvertColours);
        } else {
            stroke(x, y);
        }
        const std::string after = cells();
        ASSERT_NE(after, before) << x << "," << y;
        undo(shell().painting, shell().tools);
        EXPECT_EQ(cells(), before) << x << "," << y;
        undo(shell().painting, shell().tools);
        EXPECT_EQ(cells(), after) << x << "," << y;
    }
    undo(shell().painting, shell().tools);
    const std::string undone = cells();
    stroke(40, 40);
    undo(shell().painting, shell().tools);
    EXPECT_EQ(cells(), undone) << "a stroke after an Undo";
}

TEST_F(UndoTest, TheHistoryAndUndoAgreeOnEveryPainting) {
    startPainting();
    std::vector<std::string> seen{cells()};
    stroke(20, 20);
    seen.push_back(cells());
    stroke(60, 40);
    seen.push_back(cells());
    runFilter(shell().painting, shell().tools, kFilterInvertColours);
    seen.push_back(cells());
    undo(shell().painting, shell().tools);  // an Undo is a step of its own
    EXPECT_EQ(cells(), seen[2]);
    seen.push_back(cells());

    for (std::size_t i = seen.size() - 1; i > 0; --i) {
        EXPECT_EQ(stepBackward(shell().painting, shell().tools), StepResult::kChanged);
        EXPECT_EQ(cells(), seen[i - 1]) << i;
    }
    EXPECT_EQ(stepBackward(shell().painting, shell().tools), StepResult::kNothing);
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_EQ(stepForward(shell().painting, shell().tools), StepResult::kChanged);
        EXPECT_EQ(cells(), seen[i]) << i;
    }
    EXPECT_EQ(stepForward(shell().painting, shell().tools), StepResult::kNothing);

    // Undo right after a step returns to the painting before the step, as a
    // new step in place of the steps ahead.
    stepBackward(shell().painting, shell().tools);
    EXPECT_EQ(cells(), seen[3]);
    undo(shell().painting, shell().tools);
    EXPECT_EQ(cells(), seen[4]);
    EXPECT_EQ(shell().painting.history.forwardStep(), nullptr);
    EXPECT_EQ(shell().painting.history.stepCount(), 4u);
    for (std::size_t i : {3, 2, 1}) {
        stepBackward(shell().painting, shell().tools);
        EXPECT_EQ(cells(), seen[i]) << i;
    }
}

TEST_F(UndoTest, WholeStepsKeepTheirPaintingsThroughUndoStepsAndStrokes) {
    startPainting();
    std::vector<std::string> seen{cells()};
    runFilter(shell().painting, shell().tools, kFilterInvertColours);
    seen.push_back(cells());
    undo(shell().painting, shell().tools);
    EXPECT_EQ(cells(), seen[0]);
    EXPECT_EQ(stepBackward(shell().painting, shell().tools), StepResult::kChanged);
    EXPECT_EQ(cells(), seen[1]);
    runFilter(shell().painting, shell().tools, kFilterNight);  // drops the Undo's step ahead
    seen.push_back(cells());
    EXPECT_EQ(stepForward(shell().painting, shell().tools), StepResult::kNothing);
    stroke(30, 30);
    seen.push_back(cells());
    runFilter(shell().painting, shell().tools, kFilterInvertColours);
    seen.push_back(cells());
    undoAndRedo(seen);

    for (std::size_t i = seen.size() - 1; i > 0; --i) {
        EXPECT_EQ(stepBackward(shell().painting, shell().tools), StepResult::kChanged) << i;
        EXPECT_EQ(cells(), seen[i - 1]) << i;
    }
    EXPECT_EQ(stepBackward(shell().painting, shell().tools), StepResult::kNothing);
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_EQ(stepForward(shell().painting, shell().tools), StepResult::kChanged) << i;
        EXPECT_EQ(cells(), seen[i]) << i;
    }
}

TEST_F(UndoTest, AStepAcrossASizeChangeRestoresTheSize) {
    startPainting();
    const std::string before = cells();
    takeUndoSnapshot(shell().painting, shell().tools, true);  // as Image Size does
    ASSERT_TRUE(resample(shell().painting.document, 50, 30));
    const std::string after = cells();
    EXPECT_EQ(stepBackward(shell().painting, shell().tools), StepResult::kResized);
    EXPECT_EQ(cells(), before);
    EXPECT_EQ(shell().painting.document.surface.width(), 100u);
    EXPECT_EQ(stepForward(shell().painting, shell().tools), StepResult::kResized);
    EXPECT_EQ(cells(), after);
    EXPECT_EQ(stepBackward(shell().painting, shell().tools), StepResult::kResized);
    stroke(10, 10);  // a change after the step drops the step ahead
    EXPECT_EQ(stepForward(shell().painting, shell().tools), StepResult::kNothing);
    stepBackward(shell().painting, shell().tools);
    EXPECT_EQ(cells(), before);
    EXPECT_EQ(stepForward(shell().painting, shell().tools), StepResult::kChanged);
    const std::string painted = cells();
    undo(shell().painting, shell().tools);  // back to the painting before that step
    EXPECT_EQ(cells(), before);
    stepBackward(shell().painting, shell().tools);
    EXPECT_EQ(cells(), painted);
    stepBackward(shell().painting, shell().tools);
    EXPECT_EQ(cells(), before);
    EXPECT_EQ(stepBackward(shell().painting, shell().tools), StepResult::kNothing)
        << "the stroke dropped the size change ahead";
}

TEST_F(UndoTest, StepsGoExactlyThroughLayeredChangesAndBackToOneLayer) {
    startPainting();
    Painting& p = shell().painting;
    ToolState& t = shell().tools;
    std::vector<std::string> seen{layers()};
    auto saw = [&] { seen.push_back(layers()); };
    layerStroke(20, 20);  // one plain layer: today's tile steps
    saw();
    ASSERT_EQ(addLayer(p, t), LayerError::kNone);
    saw();
    layerStroke(30, 30);  // on layer 2, crossing tiles
    saw();
    EXPECT_LT(p.history.backwardStep()->bytes, p.document.cellCount() * sizeof(PaintCell))
        << "a stroke on a layer keeps the tiles it wrote";
    undo(p, t);  // the press's copy of tiles, and a step of its own
    EXPECT_EQ(layers(), seen[2]);
    saw();
    undo(p, t);
    EXPECT_EQ(layers(), seen[3]);
    saw();
    t.live.tool = kToolEraser;
    layerStroke(32, 30);
    saw();
    t.live.tool = kToolTubePaint;
    ASSERT_EQ(setLayerOpacity(p, t, 1, 0.5f), LayerError::kNone);
    saw();
    ASSERT_EQ(renameLayer(p, t, 1, "Glaze"), LayerError::kNone);
    saw();
    ASSERT_TRUE(runFilterOnPainting(p, t, kFilterInvertColours));
    saw();
    ASSERT_EQ(duplicateLayer(p, t, 1), LayerError::kNone);
    saw();
    ASSERT_EQ(mergeLayerDown(p, t, 2), LayerError::kNone);
    saw();
    ASSERT_EQ(moveLayer(p, t, 1, 0), LayerError::kNone);
    saw();
    ASSERT_EQ(setLayerVisible(p, t, 0, false), LayerError::kNone);
    saw();
    takeUndoSnapshot(p, t, true);  // as Image Size does
    ASSERT_TRUE(resamplePainting(p, 60, 50));
    saw();
    ASSERT_EQ(deleteLayer(p, t, 0), LayerError::kNone);
    ASSERT_FALSE(p.layers.layered()) << "the background alone is one plain layer again";
    saw();
    layerStroke(10, 10);
    saw();

    for (std::size_t i = seen.size() - 1; i > 0; --i) {
        EXPECT_NE(stepBackward(p, t), StepResult::kNothing) << i;
        EXPECT_EQ(layers(), seen[i - 1]) << i;
    }
    EXPECT_EQ(stepBackward(p, t), StepResult::kNothing);
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_NE(stepForward(p, t), StepResult::kNothing) << i;
        EXPECT_EQ(layers(), seen[i]) << i;
    }
    // Undo right after a step returns to the painting before it.
    for (std::size_t i = 0; i < 8; ++i) stepBackward(p, t);
    const std::size_t at = seen.size() - 9;
    EXPECT_EQ(layers(), seen[at]);
    undo(p, t);
    EXPECT_EQ(layers(), seen[at + 1]);
    EXPECT_EQ(p.history.forwardStep(), nullptr);
    stepBackward(p, t);
    EXPECT_EQ(layers(), seen[at]);
}

TEST_F(UndoTest, TheBudgetEvictsTheOldestSteps) {
    startPainting();
    std::vector<std::string> seen{cells()};
    stroke(40, 40);
    seen.push_back(cells());
    const std::uint64_t oneStroke = shell().painting.history.bytes();
    shell().painting.history.setBudget(3 * oneStroke + oneStroke / 2);
    for (int i = 0; i < 5; ++i) {
        stroke(40, 40);
        seen.push_back(cells());
    }
    EXPECT_EQ(shell().painting.history.stepCount(), 3u);
    EXPECT_LE(shell().painting.history.bytes(), shell().painting.history.budget());
    while (stepBackward(shell().painting, shell().tools) != StepResult::kNothing) {}
    EXPECT_EQ(cells(), seen[3]) << "the three newest steps are kept";

    // A step larger than the whole budget is not kept, and nothing before it.
    shell().painting.history.setBudget(oneStroke);
    runFilter(shell().painting, shell().tools, kFilterInvertColours);
    EXPECT_EQ(shell().painting.history.stepCount(), 0u);
    EXPECT_EQ(shell().painting.history.bytes(), 0u);
    EXPECT_EQ(stepBackward(shell().painting, shell().tools), StepResult::kNothing);
    stroke(10, 10);
    EXPECT_EQ(shell().painting.history.stepCount(), 1u) << "the next change is kept again";
}

TEST_F(UndoTest, EvictedWholeStepsLeaveTheRestAndUndoExact) {
    startPainting();
    runFilter(shell().painting, shell().tools, kFilterInvertColours);
    const std::uint64_t oneFilter = shell().painting.history.bytes();
    shell().painting.history.setBudget(2 * oneFilter + oneFilter / 2);
    std::vector<std::string> seen{cells()};
    for (const FilterId f : {kFilterNight, kFilterInvertColours, kFilterNight, kFilterInvertColours}) {
        runFilter(shell().painting, shell().tools, f);
        seen.push_back(cells());
    }
    EXPECT_EQ(shell().painting.history.stepCount(), 2u);
    EXPECT_LE(shell().painting.history.bytes(), shell().painting.history.budget());

    // The press after the filters takes the last whole step's cells from the
    // undo copy, which is then brought up to date from the painting.
    stroke(50, 30);
    seen.push_back(cells());
    undoAndRedo(seen);

    std::size_t back = 0;
    while (stepBackward(shell().painting, shell().tools) != StepResult::kNothing) {
        ++back;
        ASSERT_LT(back, seen.size());
        EXPECT_EQ(cells(), seen[seen.size() - 1 - back]) << back;
    }
    EXPECT_GE(back, 4u) << "the two newest filters and what followed are kept";
    while (back > 0 && stepForward(shell().painting, shell().tools) != StepResult::kNothing) --back;
    EXPECT_EQ(cells(), seen.back());
}

}  // namespace
}  // namespace sc
