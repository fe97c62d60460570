// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The palette panel's inside: its two pages (brush presets, stroke presets),
// the page buttons along the top and bottom, and the strokes page's check
// boxes and sliders bound to the selected stroke. The window procedure and
// set-up are declared in ui/panels.h.
#include <array>

#include "engine/surface.h"
#include "ui/skin_button.h"
#include "ui/slider.h"

namespace sc {

struct Panels;
struct ShellState;

enum PalettePage { kBrushesPage = 0, kStrokesPage = 1 };

// Entries of the page-button table.
enum PaletteButton {
    kBrushesTab = 0,
    kStrokesTab = 1,
    kAddButton = 5,
    kDeleteButton = 6,
    kSaveListButton = 7,
    kLoadListButton = 8,
};

inline constexpr int kStrokeCheckBoxes = 3;  // fade strength, fade size, pulse
inline constexpr int kStrokeSliders = 5;     // the two fade lengths, pulse phase, period, amount

struct PalettePanel {
    Surface background;  // the "palette" skin
    Surface backBuffer;  // the page as composed for the window
    Surface strokesPicture;
    Surface check0, check1;
    Surface brushesTab0, brushesTab1, strokesTab0, strokesTab1;
    Surface add0, add1, delete0, delete1, saveList0, saveList1, loadList0, loadList1;
    SkinButtonTable pageButtons;
    SkinButtonTable checkBoxes;
    std::array<Slider, kStrokeSliders> sliders;
    int page = kBrushesPage;
    // A page's update is running: it may show a message box or a file
    // chooser, whose own loop can deliver further messages to the panel,
    // which must not act again.
    bool updating = false;
};

// What the panel does with its pointer after a message, for the current page.
void brushesPageUpdate(ShellState& s, Panels& panels);
void strokesPageUpdate(ShellState& s, Panels& panels);

// Draws the current page into the back buffer.
void composePalettePage(const ShellState& s, PalettePanel& p);

// The strokes page's controls show the selected stroke.
void showSelectedStroke(const ShellState& s, PalettePanel& p);
// The selected stroke (other than the default one) takes its switches and
// values from the controls, whose sliders follow its switches; then it is
// the live stroke (useSelectedStroke).
void storeSelectedStroke(ShellState& s, PalettePanel& p);

}  // namespace sc
