// SPDX-License-Identifier: GPL-3.0-or-later
// The colours panel: red, green and blue sliders, a spectrum to pick from
// and a swatch of the current paint colour.
#include <array>

#include "app/assets.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "engine/numeric.h"
#include "platform/windows.h"
#include "tools/tool_state.h"
#include "ui/panel_controls.h"
#include "ui/panel_layout.h"
#include "ui/panel_messages.h"
#include "ui/panel_picture.h"
#include "ui/panels.h"

namespace sc {
namespace {

// Panel point (x, y) shows spectrum pixel (x - 4, y - 76).
constexpr int kSpectrumLeft = 4;
constexpr int kSpectrumTop = 76;
constexpr int kSwatchX = 6;
constexpr int kSwatchY = 7;
constexpr int kSwatchSide = 20;

float sliderValueOf(std::uint8_t byte) { return static_cast<float>(byte * static_cast<double>(0.39215687f)); }

std::uint8_t byteOf(float value) { return static_cast<std::uint8_t>(truncToInt(value * 2.55)); }

void slidersFromColour(ColoursPanel& p, const BrushSettings& b) {
    p.sliders[kRedSlider].value = sliderValueOf(b.red);
    p.sliders[kGreenSlider].value = sliderValueOf(b.green);
    p.sliders[kBlueSlider].value = sliderValueOf(b.blue);
}

void paintSwatch(ColoursPanel& p, const BrushSettings& b) {
    Surface& swatch = p.swatch;
    for (std::uint32_t y = 1; y < kSwatchSide - 1; ++y) {
        for (std::uint32_t x = 1; x < kSwatchSide - 1; ++x) swatch.setPixel(x, y, b.red, b.green, b.blue);
    }
}

void composeBackBuffer(ColoursPanel& p) {
    if (!p.backBuffer.valid()) return;
    p.background.blitToSurface(0, 0, p.backBuffer);
    for (const Slider& slider : p.sliders) slider.draw(p.backBuffer);
    p.swatch.blitToSurface(kSwatchX, kSwatchY, p.backBuffer);
}

}  // namespace

void setUpColoursPanel(ShellState& s, Panels& panels) {
    ColoursPanel& p = panels.colours;
    loadColourAsset(s, p.spectrum, "colors");
    if (p.backBuffer.create32(layout::kColoursPanel.width, layout::kColoursPanel.height)) p.backBuffer.clearWhite();
    loadColourAsset(s, p.background, "colordlg");
    for (std::size_t i = 0; i < p.sliders.size(); ++i) {
        p.sliders[i].init(panels.sliders, s, 50, 10 + 22 * static_cast<int>(i), 140);
    }
    slidersFromColour(p, s.tools.live);
    if (p.swatch.create32(kSwatchSide, kSwatchSide)) {
        for (std::uint32_t y = 0; y < kSwatchSide; ++y) {
            for (std::uint32_t x = 0; x < kSwatchSide; ++x) p.swatch.setPixel(x, y, 0, 0, 0);
        }
    }
    paintSwatch(p, s.tools.live);
    composeBackBuffer(p);
    s.previewDirty = true;
}

void composeColoursPanel(const ShellState& s, ColoursPanel& p) {
    paintSwatch(p, s.tools.live);
    composeBackBuffer(p);
    repaintPanel(s.windows.coloursPanel);
}

bool coloursFrameUpdate(ShellState& s, Panels& panels) {
    ColoursPanel& p = panels.colours;
    const PointerState& me = s.pointers[kColoursPointer];
    bool moved = false;
    for (Slider& slider : p.sliders) {
        const float before = slider.value;
        slider.drag(panels.sliders, me.x, me.y, me.leftDown);
        if (slider.value != before) moved = true;
    }
    if (moved) return true;
    s.previewDirty = true;
    const int sx = me.x - kSpectrumLeft;
    const int sy = me.y - kSpectrumTop;
    if (sx >= 0 && sy >= 0 && sx < static_cast<int>(p.spectrum.width()) && sy < static_cast<int>(p.spectrum.height())) {
        const std::uint32_t c = p.spectrum.getPixel(sx, sy);
        BrushSettings& b = s.tools.live;
        b.red = redOf(c);
        b.green = greenOf(c);
        b.blue = blueOf(c);
        slidersFromColour(p, s.tools.live);
        composeColoursPanel(s, p);
    }
    return false;
}

void applyColourSliders(ShellState& s, Panels& panels) {
    ColoursPanel& p = panels.colours;
    BrushSettings& b = s.tools.live;
    b.red = byteOf(p.sliders[kRedSlider].value);
    b.green = byteOf(p.sliders[kGreenSlider].value);
    b.blue = byteOf(p.sliders[kBlueSlider].value);
    composeColoursPanel(s, p);
}

void syncColourPanel(ShellState& s, Panels& panels) {
    slidersFromColour(panels.colours, s.tools.live);
    composeColoursPanel(s, panels.colours);
}

void coloursPanelProc(ShellState& s, Panels& panels, const platform::Message& m) {
    if (m.kind == platform::MessageKind::LeftDown) takeUndoSnapshot(s.painting, s.tools, false);
    if (!panelCommonMessage(s, panels.floating, m, kColoursPointer)) return;
    if (m.kind == platform::MessageKind::Paint) paintPanel(m.window, panels.colours.backBuffer);
}

}  // namespace sc
