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

struct ColoursPanel {
    Surface spectrum;    // "colors"
    Surface background;  // "colordlg"
    Surface backBuffer;  // 205 x 94
    Surface swatch;      // 20 x 20, black frame
    std::array<Slider, 3> sliders;
};

ColoursPanel& panel() {
    static ColoursPanel p;
    return p;
}

float sliderValueOf(std::uint8_t byte) { return static_cast<float>(byte * static_cast<double>(0.39215687f)); }

std::uint8_t byteOf(float value) { return static_cast<std::uint8_t>(truncToInt(value * 2.55)); }

void slidersFromColour() {
    ColoursPanel& p = panel();
    const BrushSettings& b = toolState().live;
    p.sliders[kRedSlider].value = sliderValueOf(b.red);
    p.sliders[kGreenSlider].value = sliderValueOf(b.green);
    p.sliders[kBlueSlider].value = sliderValueOf(b.blue);
}

void paintSwatch() {
    Surface& swatch = panel().swatch;
    const BrushSettings& b = toolState().live;
    for (std::uint32_t y = 1; y < kSwatchSide - 1; ++y) {
        for (std::uint32_t x = 1; x < kSwatchSide - 1; ++x) swatch.setPixel(x, y, b.red, b.green, b.blue);
    }
}

void composeBackBuffer() {
    ColoursPanel& p = panel();
    if (!p.backBuffer.valid()) return;
    p.background.blitToSurface(0, 0, p.backBuffer);
    for (const Slider& s : p.sliders) s.draw(p.backBuffer);
    p.swatch.blitToSurface(kSwatchX, kSwatchY, p.backBuffer);
}

}  // namespace

Slider& colourSlider(int index) { return panel().sliders[static_cast<std::size_t>(index)]; }
const Surface& coloursPanelPicture() { return panel().backBuffer; }

void setUpColoursPanel() {
    ColoursPanel& p = panel();
    loadColourAsset(p.spectrum, "colors");
    if (p.backBuffer.create32(205, 94)) p.backBuffer.clearWhite();
    loadColourAsset(p.background, "colordlg");
    for (std::size_t i = 0; i < p.sliders.size(); ++i) p.sliders[i].init(50, 10 + 22 * static_cast<int>(i), 140);
    slidersFromColour();
    if (p.swatch.create32(kSwatchSide, kSwatchSide)) {
        for (std::uint32_t y = 0; y < kSwatchSide; ++y) {
            for (std::uint32_t x = 0; x < kSwatchSide; ++x) p.swatch.setPixel(x, y, 0, 0, 0);
        }
    }
    paintSwatch();
    composeBackBuffer();
    shell().previewDirty = true;
}

void composeColoursPanel() {
    paintSwatch();
    composeBackBuffer();
    repaintPanel(shell().windows.coloursPanel);
}

bool coloursFrameUpdate() {
    ColoursPanel& p = panel();
    const PointerState& me = pointer(kColoursPointer);
    bool moved = false;
    for (Slider& slider : p.sliders) {
        const float before = slider.value;
        slider.drag(me.x, me.y, me.leftDown);
        if (slider.value != before) moved = true;
    }
    if (moved) return true;
    shell().previewDirty = true;
    const int sx = me.x - kSpectrumLeft;
    const int sy = me.y - kSpectrumTop;
    if (sx >= 0 && sy >= 0 && sx < static_cast<int>(p.spectrum.width()) && sy < static_cast<int>(p.spectrum.height())) {
        const std::uint32_t c = p.spectrum.getPixel(sx, sy);
        BrushSettings& b = toolState().live;
        b.red = redOf(c);
        b.green = greenOf(c);
        b.blue = blueOf(c);
        slidersFromColour();
        composeColoursPanel();
    }
    return false;
}

void applyColourSliders() {
    ColoursPanel& p = panel();
    BrushSettings& b = toolState().live;
    b.red = byteOf(p.sliders[kRedSlider].value);
    b.green = byteOf(p.sliders[kGreenSlider].value);
    b.blue = byteOf(p.sliders[kBlueSlider].value);
    composeColoursPanel();
}

void syncColourPanel() {
    slidersFromColour();
    composeColoursPanel();
}

void coloursPanelProc(const platform::Message& m) {
    if (m.kind == platform::MessageKind::LeftDown) takeUndoSnapshot(false);
    if (!panelCommonMessage(m, kColoursPointer)) return;
    if (m.kind == platform::MessageKind::Paint) paintPanel(m.window, panel().backBuffer);
}

}  // namespace sc
