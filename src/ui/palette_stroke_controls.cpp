// SPDX-License-Identifier: GPL-3.0-or-later
// The strokes page's three check boxes and five sliders, bound to the
// fields of the selected stroke. Check boxes 0 to 2 are the fade-strength,
// fade-size and pulse switches; sliders 0 to 4 hold the fade-strength
// length, the fade-size length, and the pulse's phase, period and amount,
// as their own values 0 to 100. A slider is usable only while its switch is on.
#include "app/presets.h"
#include "app/shell_state.h"
#include "ui/palette_panel.h"

namespace sc {
namespace {

std::uint8_t* switchOf(StrokeDynamics& d, int box) {
    switch (box) {
        case 0: return &d.fadeStrength;
        case 1: return &d.fadeSize;
        default: return &d.pulse;
    }
}

float* valueOf(StrokeDynamics& d, int slider) {
    switch (slider) {
        case 0: return &d.fadeStrengthLength;
        case 1: return &d.fadeSizeLength;
        case 2: return &d.pulsePhase;
        case 3: return &d.pulsePeriod;
        default: return &d.pulseAmount;
    }
}

// The switch that makes each slider usable.
constexpr int kSwitchOfSlider[kStrokeSliders] = {0, 1, 2, 2, 2};

void followSwitches(PalettePanel& p, const StrokeDynamics& stroke) {
    StrokeDynamics d = stroke;
    for (int i = 0; i < kStrokeSliders; ++i) p.sliders[i].enabled = *switchOf(d, kSwitchOfSlider[i]) != 0 ? 1 : 0;
}

void read(const PalettePanel& p, StrokeDynamics& stroke) {
    for (int i = 0; i < kStrokeCheckBoxes; ++i) *switchOf(stroke, i) = p.checkBoxes[i].state == kButtonDown ? 1 : 0;
    for (int i = 0; i < kStrokeSliders; ++i) *valueOf(stroke, i) = p.sliders[i].value;
}

bool inRange(int index) { return index >= 0 && index < kStrokePresetSlots; }

}  // namespace

void showSelectedStroke(const ShellState& s, PalettePanel& p) {
    const StrokePresetList& list = s.strokePresets;
    if (!inRange(list.selected)) return;
    StrokeDynamics d = list.slots[list.selected].dynamics;
    for (int i = 0; i < kStrokeCheckBoxes; ++i) p.checkBoxes[i].state = *switchOf(d, i) ? kButtonDown : kButtonNormal;
    for (int i = 0; i < kStrokeSliders; ++i) p.sliders[i].value = *valueOf(d, i);
    followSwitches(p, d);
}

void storeSelectedStroke(ShellState& s, PalettePanel& p) {
    StrokePresetList& list = s.strokePresets;
    if (!inRange(list.selected)) return;
    StrokeDynamics& stroke = list.slots[list.selected].dynamics;
    if (list.selected != 0) read(p, stroke);
    followSwitches(p, stroke);
    useSelectedStroke(s);
}

}  // namespace sc
