#pragma once
// The floating panels as the shell sees them: their creation and set-up at
// start-up, the per-pass updates the main loop runs, and their window
// procedures. Each panel shows its skin picture; the controls drawn on it
// (tool buttons, sliders, swatches, preset grids, style pages) build on these
// entry points.
#include "platform/windows.h"

namespace sc {

// Tools panel (" Tools"): created by the frame while it is being made, with
// the window procedure the frame gives it (toolsPanelProc behind the
// program's keys).
void createToolsPanel(platform::WindowProc proc);
// Brings the panels in line with the current tool.
void selectTool();
void toolsPanelProc(const platform::Message& m);

// Brush properties panel (" Brush Properties", 280 x 240).
void setUpPropertiesPanel();
void propertiesFrameUpdate();
// Redraws the brush preview and the panel's picture; clears previewDirty.
void renderBrushPreview();
void propertiesPanelProc(const platform::Message& m);

// Colours panel (" Colors", 205 x 94).
void setUpColoursPanel();
// True when a colour slider moved in this pass.
bool coloursFrameUpdate();
void applyColourSliders();
// The sliders follow the current colour; the panel is drawn again.
void syncColourPanel();
void coloursPanelProc(const platform::Message& m);

// Palette panel (" Palette", 280 x 200): reads the preset lists.
void setUpPalettePanel();
void palettePanelProc(const platform::Message& m);

// Styles panel: a child of the brush properties panel (its procedure given
// as the tools panel's is).
void createStylesPanel(platform::WindowProc proc);
void repaintStylesPanel();
void stylesPanelProc(const platform::Message& m);


}  // namespace sc
