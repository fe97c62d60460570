// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The brush properties panel's record: its pictures and the four sliders
// (size, strength, thickness, shine).
#include <array>

#include "engine/surface.h"
#include "ui/slider.h"

namespace sc {

enum BrushSliderIndex { kSizeSlider = 0, kStrengthSlider, kThicknessSlider, kShineSlider };

struct PropertiesPanel {
    Surface background;
    Surface backBuffer;
    std::array<Slider, 4> sliders;
};

}  // namespace sc
