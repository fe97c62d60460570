// SPDX-License-Identifier: GPL-3.0-or-later
// What a press does on each page of the palette panel: picking a brush or a
// stroke, the tabs, and the four list buttons along the bottom, which act
// once per press and spring back.
#include <algorithm>
#include <optional>
#include <string>

#include "app/file_commands.h"
#include "app/pointer_state.h"
#include "app/presets.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "tools/tool_state.h"
#include "ui/palette_panel.h"
#include "ui/panel_controls.h"
#include "ui/panel_picture.h"
#include "ui/panels.h"

namespace sc {
namespace {

struct ListFile {
    const char* description;
    const char* extension;
};
constexpr ListFile kBrushListFile{"Smudgecraft Palette", "pal"};
constexpr ListFile kStrokeListFile{"Smudgecraft Strokes", "stk"};

// Marks a page's update as running while it lasts (PalettePanel::updating).
struct UpdateGuard {
    bool& updating;
    bool entered;
    explicit UpdateGuard(bool& flag) : updating(flag), entered(!flag) { updating = true; }
    ~UpdateGuard() {
        if (entered) updating = false;
    }
};

void repaint(const ShellState& s) { repaintPanel(s.windows.palettePanel); }

// Ends a press that picked something: no window holds the button any more.
void endPress(ShellState& s) {
    s.pointers.releaseAll();
    s.pressArmed = false;
}

// The list buttons are toggles that fire on the press; setting them back
// makes them behave as push buttons. The press ends there too: the warning,
// question or chooser a button may show takes the button's release, and the
// panel must not take its next plain move for a press.
void springBack(ShellState& s, PalettePanel& p) {
    SkinButtonTable& b = p.pageButtons;
    for (int i : {kAddButton, kDeleteButton, kSaveListButton, kLoadListButton}) b[i].state = kButtonNormal;
    endPress(s);
}

// A tab press (0 or 1) shows that page; true when r was a tab.
bool switchPage(ShellState& s, PalettePanel& p, int r) {
    if (r != kBrushesTab && r != kStrokesTab) return false;
    takeUndoSnapshot(s.painting, s.tools, false);
    p.pageButtons[kBrushesTab].state = kButtonNormal;
    p.pageButtons[kStrokesTab].state = kButtonNormal;
    p.pageButtons[r].state = kButtonDown;
    p.page = r;
    return true;
}

// Save or load of a list through the program's common file chooser (which
// starts at the last chosen path); nothing when cancelled.
void listFileCommand(ShellState& s, const ListFile& file, bool forSaving,
                     bool (*save)(const ShellState&, const std::string&),
                     void (*load)(ShellState&, const std::string&)) {
    const std::optional<std::string> path =
        chooseFile(s, file.extension, file.description, forSaving ? kChooseSave : kChooseOpen);
    if (!path) return;
    takeUndoSnapshot(s.painting, s.tools, false);
    if (forSaving) {
        save(s, *path);  // a file that cannot be written is skipped silently
    } else {
        load(s, *path);
    }
}

void pickBrush(ShellState& s, Panels& panels, int px, int py) {
    const int index = std::min(44, ((py - 19) / 30) * 9 + (px - 5) / 30);
    ToolState& t = s.tools;
    BrushPresetList& list = s.brushPresets;
    // A preset never changes the brush size.
    const std::int32_t size = t.live.size;
    if (list.slots[static_cast<std::size_t>(index)].used) {
        t.live = settingsForLive(list.slots[static_cast<std::size_t>(index)].settings);
        list.selected = index;
    }
    t.live.size = size;
    syncToolButtons(panels.tools, s.tools.live.tool);
    t.mask.built = false;
    repaint(s);
    s.colourChanged = true;
    endPress(s);
}

void pickStroke(ShellState& s, PalettePanel& p, int py) {
    const int row = std::min(9, (py - 19) / 15);
    StrokePresetList& list = s.strokePresets;
    if (list.slots[static_cast<std::size_t>(row)].used) {
        s.tools.dynamics = list.slots[static_cast<std::size_t>(row)].dynamics;
        list.selected = row;
    }
    showSelectedStroke(s, p);
    repaint(s);
    endPress(s);
}

// The controls follow a list whose selected stroke changed.
void followSelectedStroke(ShellState& s, PalettePanel& p) {
    showSelectedStroke(s, p);
    storeSelectedStroke(s, p);
}

bool inside(int px, int py, int left, int top, int right, int bottom) {
    return px >= left && px < right && py >= top && py < bottom;
}

}  // namespace

void brushesPageUpdate(ShellState& s, Panels& panels) {
    PalettePanel& p = panels.palette;
    const UpdateGuard guard(p.updating);
    if (!guard.entered) return;
    const PointerState& ptr = s.pointers[kPalettePointer];
    const int px = ptr.x;
    const int py = ptr.y;
    const int r = p.pageButtons.hitTest(px, py, ptr.leftDown);
    if (!ptr.leftDown) return;
    if (r == -1) {
        if (inside(px, py, 5, 19, 275, 169)) pickBrush(s, panels, px, py);
        return;
    }
    if (!switchPage(s, p, r)) {
        switch (r) {
            case kAddButton: addBrushPreset(s); break;
            // With no selection (-1) there is nothing to delete.
            case kDeleteButton: deleteBrushPreset(s, s.brushPresets.selected); break;
            case kSaveListButton: listFileCommand(s, kBrushListFile, true, &saveBrushPresets, nullptr); break;
            case kLoadListButton: listFileCommand(s, kBrushListFile, false, nullptr, &loadBrushPresets); break;
            default: return;
        }
    }
    repaint(s);
    springBack(s, p);
}

void strokesPageUpdate(ShellState& s, Panels& panels) {
    PalettePanel& p = panels.palette;
    const UpdateGuard guard(p.updating);
    if (!guard.entered) return;
    const PointerState& ptr = s.pointers[kPalettePointer];
    const int px = ptr.x;
    const int py = ptr.y;
    bool moved = false;
    for (Slider& slider : p.sliders) {
        const float before = slider.value;
        // Only a slider that took the pointer counts: a value that is not a
        // number (from a damaged list file) differs even from itself.
        if (slider.drag(panels.sliders, px, py, ptr.leftDown) && slider.value != before) moved = true;
    }
    const int selected = s.strokePresets.selected;
    if (moved) {
        storeSelectedStroke(s, p);
        // The default stroke keeps its values: its controls go back to them.
        if (selected == 0) showSelectedStroke(s, p);
        repaint(s);
        return;
    }
    if (selected != 0 && p.checkBoxes.hitTest(px, py, ptr.leftDown) != -1) {
        storeSelectedStroke(s, p);
        repaint(s);
    }
    const int r = p.pageButtons.hitTest(px, py, ptr.leftDown);
    if (!ptr.leftDown) return;
    if (r == -1) {
        if (inside(px, py, 5, 19, 137, 169)) pickStroke(s, p, py);
        return;
    }
    if (!switchPage(s, p, r)) {
        switch (r) {
            case kAddButton:
                if (addStrokePreset(s, StrokeDynamics{})) followSelectedStroke(s, p);
                break;
            case kDeleteButton:
                if (deleteStrokePreset(s, s.strokePresets.selected)) followSelectedStroke(s, p);
                break;
            case kSaveListButton: listFileCommand(s, kStrokeListFile, true, &saveStrokePresets, nullptr); break;
            case kLoadListButton:
                listFileCommand(s, kStrokeListFile, false, nullptr, &loadStrokePresets);
                // The controls follow the stroke the load selected.
                followSelectedStroke(s, p);
                break;
            default: return;
        }
    }
    repaint(s);
    springBack(s, p);
}

}  // namespace sc
