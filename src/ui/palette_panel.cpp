// SPDX-License-Identifier: GPL-3.0-or-later
// The palette panel (" Palette"): its set-up, which also reads the preset
// lists the program writes back at exit, the composition of its two pages
// and its window procedure.
#include "ui/palette_panel.h"

#include "app/assets.h"
#include "app/presets.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "platform/windows.h"
#include "ui/panel_layout.h"
#include "ui/panel_messages.h"
#include "ui/panel_picture.h"
#include "ui/panels.h"

namespace sc {
namespace {

using platform::MessageKind;

constexpr int kPanelWidth = layout::kPalettePanel.width;
constexpr int kPanelHeight = layout::kPalettePanel.height;

// A wash towards red marks the selection; one towards the face grey veils
// what cannot be changed.
void tint(Surface& s, int l, int t, int r, int b) { s.blendRect(l, t, r, b, 255, 0, 0, 128); }
void veil(Surface& s, int l, int t, int r, int b) { s.blendRect(l, t, r, b, 212, 208, 200, 128); }

void addPageButtons(PalettePanel& p) {
    SkinButtonTable& b = p.pageButtons;
    const int tabWidth = static_cast<int>(p.brushesTab0.width());
    b.add(kBrushesTab, 3, 1, &p.brushesTab0, &p.brushesTab0, &p.brushesTab1, kToggleButton);
    b.add(kStrokesTab, tabWidth + 2, 1, &p.strokesTab0, &p.strokesTab0, &p.strokesTab1, kToggleButton);
    b.add(kAddButton, 245, 178, &p.add0, &p.add0, &p.add1, kToggleButton);
    b.add(kDeleteButton, 213, 178, &p.delete0, &p.delete0, &p.delete1, kToggleButton);
    b.add(kSaveListButton, 8, 178, &p.saveList0, &p.saveList0, &p.saveList1, kToggleButton);
    b.add(kLoadListButton, 78, 178, &p.loadList0, &p.loadList0, &p.loadList1, kToggleButton);
    b[kBrushesTab].state = kButtonDown;
}

void composeBrushesPage(const ShellState& s, PalettePanel& p) {
    Surface& out = p.backBuffer;
    drawBrushPresets(s, out);
    const int selected = s.brushPresets.selected;
    // -1 (every preset deleted) is no selection and gets no tint.
    if (selected >= 0 && selected < kBrushPresetSlots) {
        const int l = 5 + 30 * (selected % 9);
        const int t = 19 + 30 * (selected / 9);
        tint(out, l, t, l + 30, t + 30);
    }
}

void composeStrokesPage(const ShellState& s, PalettePanel& p) {
    Surface& out = p.backBuffer;
    p.checkBoxes.drawOnto(out);
    drawStrokePresets(s, out);
    const int selected = s.strokePresets.selected;
    if (selected >= 0 && selected < kStrokePresetSlots) tint(out, 5, 19 + 15 * selected, 137, 34 + 15 * selected);
    for (const Slider& slider : p.sliders) slider.draw(out);
    // The default stroke's controls are shown but cannot change it.
    if (selected == 0) veil(out, 153, 18, 300, 168);
    veil(out, 5, 19, 137, 34);
}

}  // namespace

void composePalettePage(const ShellState& s, PalettePanel& p) {
    if (!p.backBuffer.valid()) return;
    p.background.blitToSurface(0, 0, p.backBuffer);
    if (p.page == kStrokesPage) p.strokesPicture.blitToSurface(0, 18, p.backBuffer);
    p.pageButtons.drawOnto(p.backBuffer);
    if (p.page == kStrokesPage) {
        composeStrokesPage(s, p);
    } else {
        composeBrushesPage(s, p);
    }
}

void setUpPalettePanel(ShellState& s, Panels& panels) {
    PalettePanel& p = panels.palette;
    // A new run of the shell in the same process starts the controls afresh.
    p.pageButtons = SkinButtonTable{};
    p.checkBoxes = SkinButtonTable{};
    p.page = kBrushesPage;

    loadColourAsset(s, p.check0, "check0");
    loadColourAsset(s, p.check1, "check1");
    loadColourAsset(s, p.strokesPicture, "strokes");
    p.sliders[0].init(panels.sliders, s, 170, 45, 100);
    p.sliders[1].init(panels.sliders, s, 170, 69, 100);
    p.sliders[2].init(panels.sliders, s, 180, 111, 90);
    p.sliders[3].init(panels.sliders, s, 180, 135, 90);
    p.sliders[4].init(panels.sliders, s, 180, 159, 90);
    const int checkTops[kStrokeCheckBoxes] = {27, 51, 75};
    for (int i = 0; i < kStrokeCheckBoxes; ++i) {
        p.checkBoxes.add(i, 144, checkTops[i], &p.check0, &p.check0, &p.check1, kToggleButton);
    }

    loadColourAsset(s, p.brushesTab0, "tbrushes0");
    loadColourAsset(s, p.brushesTab1, "tbrushes1");
    loadColourAsset(s, p.strokesTab0, "tstrokes0");
    loadColourAsset(s, p.strokesTab1, "tstrokes1");
    loadColourAsset(s, p.add0, "add0");
    loadColourAsset(s, p.add1, "add1");
    loadColourAsset(s, p.delete0, "delete0");
    loadColourAsset(s, p.delete1, "delete1");
    loadColourAsset(s, p.saveList0, "savelist0");
    loadColourAsset(s, p.saveList1, "savelist1");
    loadColourAsset(s, p.loadList0, "loadlist0");
    loadColourAsset(s, p.loadList1, "loadlist1");
    loadColourAsset(s, p.background, "palette");
    loadColourAsset(s, p.backBuffer, "palette");
    // Without its skin the panel still shows the presets on a plain page.
    if (!p.backBuffer.valid() && p.backBuffer.create(kPanelWidth, kPanelHeight, false)) {
        p.backBuffer.clearWhite();
        if (p.background.create(kPanelWidth, kPanelHeight, false)) p.background.clearWhite();
    }
    addPageButtons(p);

    loadBrushPresets(s, s.paths.userFile(kPaletteFile));
    loadStrokePresets(s, s.paths.userFile(kStrokesFile));
    showSelectedStroke(s, p);
    storeSelectedStroke(s, p);
    repaintPanel(s.windows.palettePanel);
}

void palettePanelProc(ShellState& s, Panels& panels, const platform::Message& m) {
    // A press may change the brush settings: Undo then brings them back.
    if (m.kind == MessageKind::LeftDown) takeUndoSnapshot(s.painting, s.tools, false);
    if (!panelCommonMessage(s, panels.floating, m, kPalettePointer)) return;
    switch (m.kind) {
        case MessageKind::Paint:
            composePalettePage(s, panels.palette);
            paintPanel(m.window, panels.palette.backBuffer);
            // Painting changes no pointer: the page's update would only
            // repaint again, and from inside this paint.
            return;
        case MessageKind::Destroy: return;
        default: break;
    }
    if (panels.palette.page == kStrokesPage) {
        strokesPageUpdate(s, panels);
    } else {
        brushesPageUpdate(s, panels);
    }
    if (m.kind == MessageKind::LeftUp || m.kind == MessageKind::MouseLeave) repaintPanel(m.window);
}

}  // namespace sc
