// The strokes page's three check boxes and five sliders, bound to the
// fields of the selected stroke. Check boxes 0 to 2 are the fade-strength,
// fade-size and pulse switches; sliders 0 to 4 hold the fade-strength
// length, the fade-size length, and the pulse's phase, period and amount,
// as their own values 0 to 100. A slider is usable only while its switch is on.
#include "app/presets.h"
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

void followSwitches(const StrokeDynamics& stroke) {
    StrokeDynamics d = stroke;
    PalettePanel& p = palettePanel();
    for (int i = 0; i < kStrokeSliders; ++i) p.sliders[i].enabled = *switchOf(d, kSwitchOfSlider[i]) != 0 ? 1 : 0;
}

void show(const StrokeDynamics& stroke) {
    StrokeDynamics d = stroke;
    PalettePanel& p = palettePanel();
    for (int i = 0; i < kStrokeCheckBoxes; ++i) p.checkBoxes[i].state = *switchOf(d, i) ? kButtonDown : kButtonNormal;
    for (int i = 0; i < kStrokeSliders; ++i) p.sliders[i].value = *valueOf(d, i);
    followSwitches(stroke);
}

void read(StrokeDynamics& stroke) {
    const PalettePanel& p = palettePanel();
    for (int i = 0; i < kStrokeCheckBoxes; ++i) *switchOf(stroke, i) = p.checkBoxes[i].state == kButtonDown ? 1 : 0;
    for (int i = 0; i < kStrokeSliders; ++i) *valueOf(stroke, i) = p.sliders[i].value;
}

}  // namespace

void installStrokePageControls() { strokePageControls = {&show, &read, &followSwitches}; }

}  // namespace sc
