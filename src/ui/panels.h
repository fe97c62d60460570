// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The floating panels as the shell sees them: their record, their creation
// and set-up at start-up, the per-pass updates the main loop runs, and their
// window procedures. Each panel shows its skin picture; the controls drawn on
// it (tool buttons, sliders, swatches, preset grids, style pages) build on
// these entry points. Each function works on the program's state and the
// panels the shell hands it.
#include "platform/windows.h"
#include "ui/colours_panel.h"
#include "ui/floating_windows.h"
#include "ui/layers_panel.h"
#include "ui/palette_panel.h"
#include "ui/properties_panel.h"
#include "ui/slider.h"
#include "ui/styles_panel.h"
#include "ui/tools_panel.h"

namespace sc {

struct ShellState;

// Everything of the panels that lives for the whole run.
struct Panels {
    FloatingWindows floating;
    SliderShared sliders;
    ToolsPanel tools;
    PropertiesPanel properties;
    ColoursPanel colours;
    StylesPanel styles;
    PalettePanel palette;
    LayersPanel layers;
};

// Tools panel (" Tools"): created by the frame while it is being made, with
// the window procedure the frame gives it (toolsPanelProc behind the
// program's keys).
void createToolsPanel(ShellState& s, Panels& p, platform::WindowProc proc);
// Brings the panels in line with the current tool.
void selectTool(ShellState& s, Panels& p);
void toolsPanelProc(ShellState& s, Panels& p, const platform::Message& m);

// Brush properties panel (" Brush Properties", 280 x 240).
void setUpPropertiesPanel(ShellState& s, Panels& p);
void propertiesFrameUpdate(ShellState& s, Panels& p);
// Redraws the brush preview and the panel's picture; clears previewDirty.
void renderBrushPreview(ShellState& s, Panels& p);
void propertiesPanelProc(ShellState& s, Panels& p, const platform::Message& m);

// Colours panel (" Colors", 205 x 94).
void setUpColoursPanel(ShellState& s, Panels& p);
// True when a colour slider moved in this pass.
bool coloursFrameUpdate(ShellState& s, Panels& p);
void applyColourSliders(ShellState& s, Panels& p);
// The sliders follow the current colour; the panel is drawn again.
void syncColourPanel(ShellState& s, Panels& p);
void coloursPanelProc(ShellState& s, Panels& p, const platform::Message& m);

// Palette panel (" Palette", 280 x 200): reads the preset lists.
void setUpPalettePanel(ShellState& s, Panels& p);
void palettePanelProc(ShellState& s, Panels& p, const platform::Message& m);

// Layers panel (" Layers", 280 x 226): its window (with the procedure the
// frame gives it), pictures, buttons and slider.
void createLayersPanel(ShellState& s, Panels& p, int x, int y, platform::WindowProc proc);
// Follows the opacity slider while the panel's pointer is down.
void layersFrameUpdate(ShellState& s, Panels& p);
// Sets the panel's request from the pointer; the shell carries it out.
void layersPanelProc(ShellState& s, Panels& p, const platform::Message& m);

// Styles panel: a child of the brush properties panel (its procedure given
// as the tools panel's is).
void createStylesPanel(ShellState& s, Panels& p, platform::WindowProc proc);
void repaintStylesPanel(const ShellState& s);
void stylesPanelProc(ShellState& s, Panels& p, const platform::Message& m);

}  // namespace sc
