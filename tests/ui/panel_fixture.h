// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole program started headless with the built pictures, and presses
// and drags posted to the panels the way the desktop would.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/pointer_state.h"
#include "platform/windows.h"
#include "shell/shell_fixture.h"
#include "tools/tool_state.h"
#include "ui/panel_controls.h"

namespace sc::testing {

class PanelTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        const std::filesystem::path work = std::filesystem::path(SMUDGECRAFT_RUN_DIR) / "WorkData";
        ASSERT_TRUE(std::filesystem::exists(work / "toolsview.bmp"))
            << "build the pictures first (smudgecraft_workdata)";
        std::filesystem::create_directory_symlink(work, dir_.path("WorkData"));
        start();
    }

    WindowId toolsPanel() const { return shell().windows.toolsPanel; }
    WindowId propertiesPanel() const { return shell().windows.propertiesPanel; }
    WindowId coloursPanel() const { return shell().windows.coloursPanel; }
    WindowId stylesPanel() const { return shell().windows.stylesPanel; }
    BrushSettings& live() { return shell().tools.live; }

    // Moves there, presses, runs the passes that deliver both.
    void pressOn(WindowId w, int x, int y, int extraPasses = 2) {
        hl::postPointer(w, MessageKind::MouseMove, x, y);
        hl::postPointer(w, MessageKind::LeftDown, x, y);
        passes(2 + extraPasses);
    }
    void dragOn(WindowId w, int x, int y, int extraPasses = 2) {
        hl::postPointer(w, MessageKind::MouseMove, x, y);
        passes(1 + extraPasses);
    }
    void releaseOn(WindowId w, int x, int y) {
        hl::postPointer(w, MessageKind::LeftUp, x, y);
        passes(3);
    }
    void clickOn(WindowId w, int x, int y) {
        pressOn(w, x, y);
        releaseOn(w, x, y);
    }
    // A press at `from`, a drag to `to`, a release there.
    void slide(WindowId w, int fromX, int fromY, int toX, int toY) {
        pressOn(w, fromX, fromY);
        dragOn(w, toX, toY);
        releaseOn(w, toX, toY);
    }

    // Centre of the tool button of `id` on the tools panel.
    static platform::Point toolButton(int id);
    void pickTool(int id) {
        const platform::Point p = toolButton(id);
        clickOn(toolsPanel(), p.x, p.y);
    }
};

// Left column x = 2, right x = 34, buttons 32 x 28; headings are 18 high.
inline platform::Point PanelTest::toolButton(int id) {
    struct At {
        int id, column, top;
    };
    static constexpr At kAt[] = {{1, 0, 20},   {0, 1, 20},   {5, 0, 48},   {9, 1, 48},  {17, 0, 76},  {18, 1, 76},
                                 {6, 0, 104},  {2, 1, 104},  {12, 0, 152}, {8, 1, 152}, {10, 0, 200}, {11, 1, 200},
                                 {13, 0, 228}, {14, 1, 228}, {15, 0, 256}, {16, 1, 256}};
    for (const At& a : kAt) {
        if (a.id == id) return {a.column == 0 ? 18 : 50, a.top + 14};
    }
    return {-100, -100};
}

}  // namespace sc::testing
