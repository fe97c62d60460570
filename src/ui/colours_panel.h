// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours panel's record: its pictures, the swatch and the red, green
// and blue sliders.
#include <array>

#include "engine/surface.h"
#include "ui/slider.h"

namespace sc {

enum ColourSliderIndex { kRedSlider = 0, kGreenSlider, kBlueSlider };

struct ColoursPanel {
    Surface spectrum;    // "colors"
    Surface background;  // "colordlg"
    Surface backBuffer;  // 205 x 94
    Surface swatch;      // 20 x 20, black frame
    std::array<Slider, 3> sliders;
};

}  // namespace sc
