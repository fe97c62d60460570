// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls one panel sets on another: the tool buttons follow the
// current tool, the brush sliders and the colour swatch follow the live
// settings.
#include "ui/colours_panel.h"
#include "ui/properties_panel.h"
#include "ui/tools_panel.h"

namespace sc {

struct ShellState;

// Tools panel: puts every tool's button normal and the current tool's down
// (also after a preset or undo changed the tool). The headings are static
// pictures whose state never leaves normal.
void syncToolButtons(ToolsPanel& tools, int tool);

// Brush properties panel: the slider values from the live settings, and the
// settings from the values.
void brushSlidersFromSettings(PropertiesPanel& properties, BrushSettings& live);
void settingsFromBrushSliders(const PropertiesPanel& properties, BrushSettings& live);
// Composes the panel's picture again (sliders greyed or live) and shows it.
void showBrushProperties(const ShellState& s, PropertiesPanel& properties);

// Colours panel: the swatch and back buffer redrawn from the live colour and
// shown.
void composeColoursPanel(const ShellState& s, ColoursPanel& colours);

}  // namespace sc
