// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program started headless with the built pictures and empty preset
// lists, as a fresh process has them, and presses posted to the palette
// panel the way the desktop would.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/presets.h"
#include "platform/test_queries.h"
#include "shell/shell_fixture.h"
#include "ui/palette_panel.h"

namespace sc::testing {

// Every slot free, no thumbnails, selection 0.
inline void emptyPresetLists(ShellState& s) {
    for (BrushPreset& b : s.brushPresets.slots) {
        b.used = 0;
        b.settings = {};
        b.thumbnail.release();
    }
    for (StrokePreset& p : s.strokePresets.slots) {
        p.used = 0;
        p.dynamics = {};
        p.thumbnail.release();
    }
    s.brushPresets.selected = 0;
    s.strokePresets.selected = 0;
}

class PaletteTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        const std::filesystem::path work = std::filesystem::path(SMUDGECRAFT_RUN_DIR) / "WorkData";
        ASSERT_TRUE(std::filesystem::exists(work / "palette.bmp")) << "build the pictures first (smudgecraft_workdata)";
        std::filesystem::create_directory_symlink(work, dir_.path("WorkData"));
        emptyPresetLists(shell());
        start();
    }

    // Ends this run as the program does at exit and starts it again in the
    // same directory, with the lists read back from their files.
    void restart() {
        exitProgram(program());
        freshProgram();
        emptyPresetLists(shell());
        start();
    }

    WindowId palette() const { return shell().windows.palettePanel; }
    BrushPresetList& brushes() { return shell().brushPresets; }
    StrokePresetList& strokes() { return shell().strokePresets; }
    PalettePanel& panel() { return panels().palette; }

    void pressAt(int x, int y) {
        hl::postPointer(palette(), MessageKind::MouseMove, x, y);
        hl::postPointer(palette(), MessageKind::LeftDown, x, y);
        passes(3);
    }
    void releaseAt(int x, int y) {
        hl::postPointer(palette(), MessageKind::LeftUp, x, y);
        passes(2);
    }
    void clickAt(int x, int y) {
        pressAt(x, y);
        releaseAt(x, y);
    }
    // Press, drag to `toX`, release: a slider follows the pointer.
    void slide(int fromX, int y, int toX) {
        pressAt(fromX, y);
        hl::postPointer(palette(), MessageKind::MouseMove, toX, y);
        passes(2);
        releaseAt(toX, y);
    }

    void brushesTab() { clickAt(30, 9); }
    void strokesTab() { clickAt(95, 9); }
    void add() { clickAt(260, 187); }
    void remove() { clickAt(228, 187); }
    void saveList() { clickAt(40, 187); }
    void loadList() { clickAt(110, 187); }
    void checkBox(int i) { clickAt(150, 33 + 24 * i); }
    void pickBrush(int slot) { clickAt(20 + 30 * (slot % 9), 34 + 30 * (slot / 9)); }
    void pickStroke(int row) { clickAt(70, 26 + 15 * row); }

    std::uint32_t shown(int x, int y) const { return platform::windowPixel(palette(), x, y); }
    static std::size_t boxesShown() { return hl::shownMessages().size(); }
    // The list buttons act on the press and are up again after it.
    bool springsBack() {
        for (int i : {kAddButton, kDeleteButton, kSaveListButton, kLoadListButton}) {
            if (panel().pageButtons[i].state == kButtonDown) return false;
        }
        return true;
    }
};

}  // namespace sc::testing
