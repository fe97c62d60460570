#pragma once
// The controls one panel sets on another (the tool picks which brush sliders
// and style pages apply) and the read-outs the panels' tests look at.
#include "ui/skin_button.h"
#include "ui/slider.h"

namespace sc {

enum BrushSliderIndex { kSizeSlider = 0, kStrengthSlider, kThicknessSlider, kShineSlider };
enum ColourSliderIndex { kRedSlider = 0, kGreenSlider, kBlueSlider };
enum StylesPage { kPaintStylesPage = 0, kTexturesPage = 1, kShapePage = 2 };

// Tools panel: its button table; puts entries 0 to 23 normal and the current
// tool's entry down (also after a preset or undo changed the tool).
SkinButtonTable& toolButtons();
void syncToolButtons();

// Brush properties panel: the four sliders (size, strength, thickness, shine).
Slider& brushSlider(int index);
// The slider values from the live settings, and the settings from the values.
void brushSlidersFromSettings();
void settingsFromBrushSliders();
// Composes the panel's picture again (sliders greyed or live) and shows it.
void showBrushProperties();

// Colours panel: the red, green and blue sliders; the swatch and back buffer
// redrawn from the live colour and shown.
Slider& colourSlider(int index);
void composeColoursPanel();
const Surface& coloursPanelPicture();

// Styles panel.
int stylesPage();
Slider& hardnessSlider();
const Surface& stylesPanelPicture();

}  // namespace sc
