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

// A page's update may show a message box or a file chooser, whose own loop
// can deliver further messages to the panel; those must not act again.
bool g_updating = false;

struct UpdateGuard {
    bool entered;
    UpdateGuard() : entered(!g_updating) { g_updating = true; }
    ~UpdateGuard() {
        if (entered) g_updating = false;
    }
};

void repaint() { repaintPanel(shell().windows.palettePanel); }

// Ends a press that picked something: no window holds the button any more.
void endPress() {
    releaseAllPointers();
    shell().pressArmed = false;
}

// The list buttons are toggles that fire on the press; setting them back
// makes them behave as push buttons. The press ends there too: the warning,
// question or chooser a button may show takes the button's release, and the
// panel must not take its next plain move for a press.
void springBack() {
    SkinButtonTable& b = palettePanel().pageButtons;
    for (int i : {kAddButton, kDeleteButton, kSaveListButton, kLoadListButton}) b[i].state = kButtonNormal;
    endPress();
}

// A tab press (0 or 1) shows that page; true when r was a tab.
bool switchPage(int r) {
    if (r != kBrushesTab && r != kStrokesTab) return false;
    takeUndoSnapshot(false);
    PalettePanel& p = palettePanel();
    p.pageButtons[kBrushesTab].state = kButtonNormal;
    p.pageButtons[kStrokesTab].state = kButtonNormal;
    p.pageButtons[r].state = kButtonDown;
    p.page = r;
    return true;
}

// Save or load of a list through the program's common file chooser (which
// starts at the last chosen path); nothing when cancelled.
void listFileCommand(const ListFile& file, bool forSaving, bool (*save)(const std::string&),
                     void (*load)(const std::string&)) {
    const std::optional<std::string> path =
        chooseFile(file.extension, file.description, forSaving ? kChooseSave : kChooseOpen, shell().frameWindow);
    if (!path) return;
    takeUndoSnapshot(false);
    if (forSaving) {
        save(*path);  // a file that cannot be written is skipped silently
    } else {
        load(*path);
    }
}

void pickBrush(int px, int py) {
    const int index = std::min(44, ((py - 19) / 30) * 9 + (px - 5) / 30);
    ToolState& t = toolState();
    BrushPresetList& list = shell().brushPresets;
    // A preset never changes the brush size.
    const std::int32_t size = t.live.size;
    if (list.slots[static_cast<std::size_t>(index)].used) {
        t.live = settingsForLive(list.slots[static_cast<std::size_t>(index)].settings);
        list.selected = index;
    }
    t.live.size = size;
    syncToolButtons();
    t.mask.built = false;
    repaint();
    shell().colourChanged = true;
    endPress();
}

void pickStroke(int py) {
    const int row = std::min(9, (py - 19) / 15);
    StrokePresetList& list = shell().strokePresets;
    if (list.slots[static_cast<std::size_t>(row)].used) {
        toolState().dynamics = list.slots[static_cast<std::size_t>(row)].dynamics;
        list.selected = row;
    }
    showSelectedStroke();
    repaint();
    endPress();
}

bool inside(int px, int py, int left, int top, int right, int bottom) {
    return px >= left && px < right && py >= top && py < bottom;
}

}  // namespace

void brushesPageUpdate() {
    const UpdateGuard guard;
    if (!guard.entered) return;
    const PointerState& ptr = pointer(kPalettePointer);
    const int px = ptr.x;
    const int py = ptr.y;
    const int r = palettePanel().pageButtons.hitTest(px, py, ptr.leftDown);
    if (!ptr.leftDown) return;
    if (r == -1) {
        if (inside(px, py, 5, 19, 275, 169)) pickBrush(px, py);
        return;
    }
    if (!switchPage(r)) {
        switch (r) {
            case kAddButton: addBrushPreset(); break;
            // With no selection (-1) there is nothing to delete.
            case kDeleteButton: deleteBrushPreset(shell().brushPresets.selected); break;
            case kSaveListButton: listFileCommand(kBrushListFile, true, &saveBrushPresets, nullptr); break;
            case kLoadListButton: listFileCommand(kBrushListFile, false, nullptr, &loadBrushPresets); break;
            default: return;
        }
    }
    repaint();
    springBack();
}

void strokesPageUpdate() {
    const UpdateGuard guard;
    if (!guard.entered) return;
    PalettePanel& p = palettePanel();
    const PointerState& ptr = pointer(kPalettePointer);
    const int px = ptr.x;
    const int py = ptr.y;
    bool moved = false;
    for (Slider& s : p.sliders) {
        const float before = s.value;
        // Only a slider that took the pointer counts: a value that is not a
        // number (from a damaged list file) differs even from itself.
        if (s.drag(px, py, ptr.leftDown) && s.value != before) moved = true;
    }
    const int selected = shell().strokePresets.selected;
    if (moved) {
        storeSelectedStroke();
        // The default stroke keeps its values: its controls go back to them.
        if (selected == 0) showSelectedStroke();
        repaint();
        return;
    }
    if (selected != 0 && p.checkBoxes.hitTest(px, py, ptr.leftDown) != -1) {
        storeSelectedStroke();
        repaint();
    }
    const int r = p.pageButtons.hitTest(px, py, ptr.leftDown);
    if (!ptr.leftDown) return;
    if (r == -1) {
        if (inside(px, py, 5, 19, 137, 169)) pickStroke(py);
        return;
    }
    if (!switchPage(r)) {
        switch (r) {
            case kAddButton: addStrokePreset(StrokeDynamics{}); break;
            case kDeleteButton: deleteStrokePreset(shell().strokePresets.selected); break;
            case kSaveListButton: listFileCommand(kStrokeListFile, true, &saveStrokePresets, nullptr); break;
            case kLoadListButton:
                listFileCommand(kStrokeListFile, false, nullptr, &loadStrokePresets);
                // The controls follow the stroke the load selected.
                showSelectedStroke();
                storeSelectedStroke();
                break;
            default: return;
        }
    }
    repaint();
    springBack();
}

}  // namespace sc
