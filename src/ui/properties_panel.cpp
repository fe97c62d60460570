// SPDX-License-Identifier: GPL-3.0-or-later
// The brush properties panel: a live preview of the current brush, on which
// the user may also paint, and four sliders for size, strength, thickness and
// shine. The styles panel fills its lower 80 pixels.
#include <array>

#include "app/assets.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "engine/numeric.h"
#include "engine/renderer.h"
#include "platform/drawing.h"
#include "tools/tool_table.h"
#include "tools/tools.h"
#include "ui/panel_controls.h"
#include "ui/panel_layout.h"
#include "ui/panel_messages.h"
#include "ui/panel_picture.h"
#include "ui/panels.h"

namespace sc {
namespace {

using layout::kPreviewLeft;
using layout::kPreviewSide;
using layout::kPreviewTop;
constexpr int kSliderX = 160;
constexpr int kSliderLength = 100;
constexpr std::array<int, 4> kSliderY{30, 54, 78, 116};

void compose(const ShellState& s, PropertiesPanel& p) {
    if (!p.backBuffer.valid()) return;
    p.background.blitToSurface(0, 0, p.backBuffer);
    s.preview.surface.blitToSurface(kPreviewLeft, kPreviewTop, p.backBuffer);
    for (const Slider& slider : p.sliders) slider.draw(p.backBuffer);
}

bool inPreview(int x, int y) {
    return x >= kPreviewLeft && x < kPreviewLeft + kPreviewSide && y >= kPreviewTop && y < kPreviewTop + kPreviewSide;
}

}  // namespace

void brushSlidersFromSettings(PropertiesPanel& p, BrushSettings& b) {
    if (b.size < 1) b.size = 1;
    p.sliders[kSizeSlider].value = static_cast<float>(b.size * static_cast<double>(0.01f) * 100.0);
    p.sliders[kStrengthSlider].value = static_cast<float>(100.0 * b.strength);
    p.sliders[kThicknessSlider].value = static_cast<float>(9.0 * b.thickness);
    p.sliders[kShineSlider].value = static_cast<float>(b.shine * static_cast<double>(0.39215687f));
}

void settingsFromBrushSliders(const PropertiesPanel& p, BrushSettings& b) {
    // The size is the slider value itself, truncated. Scaling by 0.01f and
    // then by 100 lands a hair below a whole value (30 gives 29.9999993), and
    // since every slider move stores all four settings, each move of any
    // slider would take one off the size.
    b.size = truncToInt(static_cast<double>(p.sliders[kSizeSlider].value));
    if (b.size < 1) b.size = 1;
    b.strength = static_cast<float>(p.sliders[kStrengthSlider].value * static_cast<double>(0.01f));
    if (b.strength < 0.01f) b.strength = 0.01f;
    b.thickness = static_cast<float>(p.sliders[kThicknessSlider].value * static_cast<double>(0.11111111f));
    b.shine = static_cast<std::uint8_t>(truncToInt(p.sliders[kShineSlider].value * static_cast<double>(2.55f)));
}

void showBrushProperties(const ShellState& s, PropertiesPanel& p) {
    compose(s, p);
    repaintPanel(s.windows.propertiesPanel);
}

void setUpPropertiesPanel(ShellState& s, Panels& panels) {
    PropertiesPanel& p = panels.properties;
    ToolState& t = s.tools;
    t.textureOffset = {0.0f, 0.0f};
    t.live = BrushSettings{};
    t.live.red = 0;
    t.live.green = 200;
    t.live.blue = 45;
    t.live.paintStyle = 2;
    t.live.thickness = 10.0f;
    t.live.tool = kToolPaintBrush;
    t.live.size = 30;
    t.live.strength = 0.5f;
    t.live.shine = 255;
    t.live.texture = 3;
    t.live.hardness = 0;
    s.previewDirty = true;
    for (std::size_t i = 0; i < p.sliders.size(); ++i) {
        p.sliders[i].init(panels.sliders, s, kSliderX, kSliderY[i], kSliderLength);
    }
    brushSlidersFromSettings(p, s.tools.live);
    s.preview.allocate(kPreviewSide, kPreviewSide);
    if (p.backBuffer.create32(layout::kPropertiesPanel.width, layout::kPropertiesPanel.height))
        p.backBuffer.clearWhite();
    renderBrushPreview(s, panels);
    loadColourAsset(s, p.background, "properties");
    compose(s, p);
}

void renderBrushPreview(ShellState& s, Panels& panels) {
    ToolState& t = s.tools;
    Canvas& preview = s.preview;
    if (preview.hasCells()) {
        preview.clear();
        const ToolRow& tool = toolRow(t.live.tool);
        // Tools that work on paint already there get a painted ground to show on.
        if (tool.worksOnPaint) preview.fillWithPaint(t.live.red, t.live.green, t.live.blue, t.styleImages[1]);
        strokeBegin(s.tools, preview);
        t.styleOffset = {100.0f, 100.0f};
        t.textureOffset = {100.0f, 100.0f};
        for (int i = 0; i < tool.previewApplications; ++i) applyTool(s.tools, 64, 64, preview);
        renderAll(preview);
    }
    PropertiesPanel& p = panels.properties;
    brushSlidersFromSettings(p, s.tools.live);
    compose(s, p);
    s.previewDirty = false;
    // The shape page's profile picture follows the mask just built.
    if (panels.styles.page == kShapePage) repaintStylesPanel(s);
}

void propertiesFrameUpdate(ShellState& s, Panels& panels) {
    PropertiesPanel& p = panels.properties;
    const PointerState& me = s.pointers[kPropertiesPointer];
    bool moved = false;
    for (Slider& slider : p.sliders) {
        const float before = slider.value;
        slider.drag(panels.sliders, me.x, me.y, me.leftDown);
        if (slider.value != before) moved = true;
    }
    if (moved) {
        settingsFromBrushSliders(p, s.tools.live);
        renderBrushPreview(s, panels);
    }
    if (me.leftDown && inPreview(me.x, me.y)) applyTool(s.tools, me.x - kPreviewLeft, me.y - kPreviewTop, s.preview);
    platform::invalidateRect(s.windows.propertiesPanel, layout::kPropertiesUpperPart);
    platform::updateWindow(s.windows.propertiesPanel);
    compose(s, p);
}

void propertiesPanelProc(ShellState& s, Panels& panels, const platform::Message& m) {
    using platform::MessageKind;
    PointerState& me = s.pointers[kPropertiesPointer];
    Canvas& preview = s.preview;
    if (m.kind == MessageKind::MouseMove && inPreview(me.x, me.y)) {
        strokeMove(s.tools, preview, me.x - (m.x & 0xffff), me.y - (m.y & 0xffff));
    }
    if (m.kind == MessageKind::LeftDown) takeUndoSnapshot(s.painting, s.tools, false);
    if (!panelCommonMessage(s, panels.floating, m, kPropertiesPointer)) return;
    switch (m.kind) {
        case MessageKind::Paint: paintPanel(m.window, panels.properties.backBuffer); break;
        case MessageKind::LeftDown:
            if (inPreview(me.x, me.y)) strokeBegin(s.tools, preview);
            break;
        case MessageKind::LeftUp: strokeEnd(s.tools, preview); break;
        default: break;
    }
}

}  // namespace sc
