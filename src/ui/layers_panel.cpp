// SPDX-License-Identifier: GPL-3.0-or-later
// The layers panel: its window and pictures, the list of layers with their
// eyes, pictures and names, the opacity slider and the command buttons.
#include "ui/layers_panel.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "app/assets.h"
#include "app/shell_state.h"
#include "engine/numeric.h"
#include "platform/windows.h"
#include "ui/floating_windows.h"
#include "ui/panel_layout.h"
#include "ui/panel_messages.h"
#include "ui/panel_picture.h"
#include "ui/panels.h"
#include "ui/tooltip.h"

namespace sc {
namespace {

using platform::MessageKind;

constexpr std::array<const char*, kLayerCommandButtons> kButtonPictures{
    "layernew", "layerdup", "layerdel", "layerup", "layerdown", "layermerge", "layername"};
constexpr std::array<const char*, kLayerCommandButtons> kButtonTips{
    "New Layer", "Duplicate Layer", "Delete Layer", "Move Layer Up", "Move Layer Down", "Merge Down", "Rename Layer"};

// The marked row, the names and the veil over what cannot be used now.
constexpr std::uint8_t kAccentFace[3] = {205, 220, 233};
constexpr std::uint8_t kInk[3] = {52, 50, 47};
constexpr std::uint8_t kInkMuted[3] = {140, 134, 126};
constexpr std::uint8_t kFrame[3] = {170, 164, 155};

void veil(Surface& s, int l, int t, int r, int b) { s.blendRect(l, t, r, b, 212, 208, 200, 128); }

int layerCount(const LayersPanel& p) { return static_cast<int>(p.shown.rows.size()); }

// The layer listed in row `row` (0 at the top), or -1 for an empty row.
int layerInRow(const LayersPanel& p, int row) {
    const int fromTop = p.scrolled + row;
    if (row < 0 || row >= kLayerRowsShown || fromTop >= layerCount(p)) return -1;
    return layerCount(p) - 1 - fromTop;
}

void drawThumbnail(Surface& out, const LayerRowView& row, int x, int y) {
    for (int i = -1; i <= kLayerThumbWidth; ++i) {
        out.setPixel(x + i, y - 1, kFrame[0], kFrame[1], kFrame[2]);
        out.setPixel(x + i, y + kLayerThumbHeight, kFrame[0], kFrame[1], kFrame[2]);
    }
    for (int j = 0; j < kLayerThumbHeight; ++j) {
        out.setPixel(x - 1, y + j, kFrame[0], kFrame[1], kFrame[2]);
        out.setPixel(x + kLayerThumbWidth, y + j, kFrame[0], kFrame[1], kFrame[2]);
    }
    if (row.thumbnail.size() != static_cast<std::size_t>(kLayerThumbWidth) * kLayerThumbHeight) return;
    for (int j = 0; j < kLayerThumbHeight; ++j) {
        for (int i = 0; i < kLayerThumbWidth; ++i) {
            const std::uint32_t c = row.thumbnail[static_cast<std::size_t>(j) * kLayerThumbWidth + i];
            out.setPixel(x + i, y + j, redOf(c), greenOf(c), blueOf(c));
        }
    }
}

void drawRow(LayersPanel& p, int row, int layer) {
    Surface& out = p.backBuffer;
    const LayerRowView& view = p.shown.rows[static_cast<std::size_t>(layer)];
    const int top = kLayerListY + row * kLayerRowHeight;
    const bool active = static_cast<std::size_t>(layer) == p.shown.active;
    if (active) {
        out.blendRect(kLayerThumbX - 3, top, kLayerListX + kLayerRowWidth, top + kLayerRowHeight - 1, kAccentFace[0],
                      kAccentFace[1], kAccentFace[2], 0);
        out.blendRect(kLayerListX, top, kLayerListX + 2, top + kLayerRowHeight - 1, 56, 104, 138, 0);
    }
    (view.visible ? p.eyeOpen : p.eyeShut).blitToSurface(kLayerEyeX, top + kLayerEyeDy, out);
    drawThumbnail(out, view, kLayerThumbX, top + kLayerThumbDy);
    const std::uint8_t* ink = view.visible ? kInk : kInkMuted;
    drawSkinText(p.letters, out, kLayerNameX, top + kLayerNameDy, kLayerListX + kLayerRowWidth - kLayerNameX - 4,
                 view.name, ink[0], ink[1], ink[2]);
}

void setButtonUsable(SkinButtonTable& table, int index, bool usable) {
    SkinButton& b = table[index];
    b.active = usable ? 1 : 0;
    if (!usable) b.state = b.previousState = kButtonNormal;
}

// The buttons that cannot act now take no presses; the scroll buttons show
// only while the list is longer than the panel.
void updateButtons(LayersPanel& p) {
    const LayerCommandsAllowed allowed = layerCommandsAllowed(p.shown);
    const bool any = !p.shown.rows.empty();
    setButtonUsable(p.buttons, kNewLayerButton, any);
    setButtonUsable(p.buttons, kDuplicateLayerButton, any);
    setButtonUsable(p.buttons, kDeleteLayerButton, allowed.deleteLayer);
    setButtonUsable(p.buttons, kLayerUpButton, allowed.moveUp);
    setButtonUsable(p.buttons, kLayerDownButton, allowed.moveDown);
    setButtonUsable(p.buttons, kMergeDownButton, allowed.mergeDown);
    setButtonUsable(p.buttons, kRenameLayerButton, any);
    const bool scrolls = layerCount(p) > kLayerRowsShown;
    for (const int b : {kScrollUpButton, kScrollDownButton}) {
        p.buttons[b].visible = scrolls ? 1 : 0;
        setButtonUsable(p.buttons, b, scrolls);
    }
    p.opacity.enabled = any ? 1 : 0;
}

int opacityPercent(float value) { return std::clamp(static_cast<int>(std::lround(value)), 0, 100); }

// Keeps the scrolled rows within the list, and the active layer in view.
void scrollToActive(LayersPanel& p) {
    const int count = layerCount(p);
    const int activeFromTop = count - 1 - static_cast<int>(p.shown.active);
    if (activeFromTop < p.scrolled) p.scrolled = activeFromTop;
    if (activeFromTop >= p.scrolled + kLayerRowsShown) p.scrolled = activeFromTop - kLayerRowsShown + 1;
    p.scrolled = std::clamp(p.scrolled, 0, std::max(0, count - kLayerRowsShown));
}

void request(LayersPanel& p, LayerRequestKind kind, std::size_t layer = 0) {
    p.request.kind = kind;
    p.request.layer = layer;
}

// A press on the list: on an eye it shows or hides that layer, elsewhere on
// a row it makes that layer active; the second press of a double click asks
// for the layer's name. True when the press was on a layer's row.
bool pressOnList(LayersPanel& p, int x, int y, bool doubleClick) {
    if (x < kLayerListX || x >= kLayerListX + kLayerRowWidth || y < kLayerListY) return false;
    const int layer = layerInRow(p, (y - kLayerListY) / kLayerRowHeight);
    if (layer < 0) return false;
    const auto index = static_cast<std::size_t>(layer);
    if (x < kLayerThumbX - 3) {
        request(p, LayerRequestKind::ToggleVisible, index);
    } else if (doubleClick) {
        request(p, LayerRequestKind::Rename, index);
    } else if (index != p.shown.active) {
        request(p, LayerRequestKind::Select, index);
    }
    return true;
}

// The slider let go: the active layer takes its value when it changed.
void finishSlide(LayersPanel& p) {
    p.sliding = false;
    if (p.shown.active >= p.shown.rows.size()) return;
    const float opacity = static_cast<float>(opacityPercent(p.opacity.value)) / 100.0f;
    if (std::fabs(opacity - p.shown.rows[p.shown.active].opacity) < 0.001f) return;
    request(p, LayerRequestKind::Opacity, p.shown.active);
    p.request.opacity = opacity;
}

void runButton(LayersPanel& p, int button, platform::WindowId window) {
    switch (button) {
        case kNewLayerButton: request(p, LayerRequestKind::New); break;
        case kDuplicateLayerButton: request(p, LayerRequestKind::Duplicate); break;
        case kDeleteLayerButton: request(p, LayerRequestKind::Delete); break;
        case kLayerUpButton: request(p, LayerRequestKind::MoveUp); break;
        case kLayerDownButton: request(p, LayerRequestKind::MoveDown); break;
        case kMergeDownButton: request(p, LayerRequestKind::MergeDown); break;
        case kRenameLayerButton: request(p, LayerRequestKind::Rename, p.shown.active); break;
        case kScrollUpButton:
        case kScrollDownButton:
            p.scrolled += button == kScrollUpButton ? -1 : 1;
            p.scrolled = std::clamp(p.scrolled, 0, std::max(0, layerCount(p) - kLayerRowsShown));
            composeLayersPanel(p);
            repaintPanel(window);
            break;
        default: break;
    }
}

}  // namespace

LayerCommandsAllowed layerCommandsAllowed(const LayerView& view) {
    LayerCommandsAllowed allowed;
    const std::size_t count = view.rows.size();
    if (count == 0 || view.active >= count) return allowed;
    allowed.deleteLayer = count > 1;
    allowed.moveUp = view.active + 1 < count;
    allowed.moveDown = view.active > 0;
    allowed.mergeDown = view.active > 0;
    return allowed;
}

void composeLayersPanel(LayersPanel& p) {
    Surface& out = p.backBuffer;
    if (!out.valid()) return;
    out.clearWhite();
    p.background.blitToSurface(0, 0, out);
    for (int row = 0; row < kLayerRowsShown; ++row) {
        const int layer = layerInRow(p, row);
        if (layer >= 0) drawRow(p, row, layer);
    }
    p.opacity.draw(out);
    if (!p.shown.rows.empty()) {
        const std::string percent = std::to_string(opacityPercent(p.opacity.value)) + "%";
        drawSkinText(p.letters, out, kOpacityTextX, kOpacitySliderY - 7, layout::kLayersPanel.width - kOpacityTextX - 4,
                     percent, kInk[0], kInk[1], kInk[2]);
    }
    p.buttons.drawOnto(out);
    for (int b = 0; b < kLayerCommandButtons; ++b) {
        if (p.buttons[b].active) continue;
        veil(out, kLayerButtonX[static_cast<std::size_t>(b)], kLayerButtonY,
             kLayerButtonX[static_cast<std::size_t>(b)] + kLayerButtonWidth, kLayerButtonY + kLayerButtonHeight);
    }
}

void showLayers(LayersPanel& p, const LayerView& view, platform::WindowId window) {
    if (view == p.shown) return;
    p.shown = view;
    scrollToActive(p);
    if (!p.sliding && p.shown.active < p.shown.rows.size()) {
        p.opacity.value = p.shown.rows[p.shown.active].opacity * 100.0f;
    }
    updateButtons(p);
    composeLayersPanel(p);
    repaintPanel(window);
}

void createLayersPanel(ShellState& s, Panels& panels, int x, int y, platform::WindowProc proc) {
    LayersPanel& p = panels.layers;
    p.buttons = SkinButtonTable{};
    loadColourAsset(s, p.background, "layers");
    for (std::size_t b = 0; b < kButtonPictures.size(); ++b) {
        loadColourAsset(s, p.normal[b], std::string(kButtonPictures[b]) + "0");
        loadColourAsset(s, p.down[b], std::string(kButtonPictures[b]) + "1");
    }
    loadColourAsset(s, p.scrollUp0, "layerscrollup0");
    loadColourAsset(s, p.scrollUp1, "layerscrollup1");
    loadColourAsset(s, p.scrollDown0, "layerscrolldown0");
    loadColourAsset(s, p.scrollDown1, "layerscrolldown1");
    loadColourAsset(s, p.eyeShut, "eye0");
    loadColourAsset(s, p.eyeOpen, "eye1");
    loadSkinLetters(s, p.letters);

    const platform::WindowId window =
        createFloatingWindow(panels.floating, s, " Layers", x, y, layout::kLayersPanel.width,
                             layout::kLayersPanel.height, "LayersWindowClass", std::move(proc));
    s.windows.layersPanel = window;
    for (int b = 0; b < kLayerCommandButtons; ++b) {
        const auto i = static_cast<std::size_t>(b);
        p.buttons.add(b, kLayerButtonX[i], kLayerButtonY, &p.normal[i], &p.normal[i], &p.down[i], kPushButton);
        addTooltip(kButtonTips[i], window, kLayerButtonX[i], kLayerButtonY, kLayerButtonX[i] + kLayerButtonWidth,
                   kLayerButtonY + kLayerButtonHeight);
    }
    const int listBottom = kLayerListY + kLayerRowsShown * kLayerRowHeight;
    p.buttons.add(kScrollUpButton, kLayerScrollX, kLayerListY, &p.scrollUp0, &p.scrollUp0, &p.scrollUp1, kPushButton);
    p.buttons.add(kScrollDownButton, kLayerScrollX, listBottom - kLayerScrollSize, &p.scrollDown0, &p.scrollDown0,
                  &p.scrollDown1, kPushButton);
    p.opacity.init(panels.sliders, s, kOpacitySliderX, kOpacitySliderY, kOpacitySliderLength);
    if (p.backBuffer.create32(layout::kLayersPanel.width, layout::kLayersPanel.height)) p.backBuffer.clearWhite();
    p.shown = LayerView{};
    updateButtons(p);
    composeLayersPanel(p);
}

void layersFrameUpdate(ShellState& s, Panels& panels) {
    LayersPanel& p = panels.layers;
    const PointerState& me = s.pointers[kLayersPointer];
    const float before = p.opacity.value;
    if (p.opacity.drag(panels.sliders, me.x, me.y, me.leftDown)) p.sliding = true;
    if (p.opacity.value != before) {
        composeLayersPanel(p);
        repaintPanel(s.windows.layersPanel);
    }
}

void layersPanelProc(ShellState& s, Panels& panels, const platform::Message& m) {
    if (!panelCommonMessage(s, panels.floating, m, kLayersPointer)) return;
    LayersPanel& p = panels.layers;
    if (m.kind == MessageKind::Paint) {
        paintPanel(m.window, p.backBuffer);
        return;
    }
    PointerState& me = s.pointers[kLayersPointer];
    if (m.kind == MessageKind::LeftDown && pressOnList(p, me.x, me.y, m.flag)) {
        // A press on the list acts once; it starts nothing that follows the pointer.
        s.pointers.release(kLayersPointer);
        s.pressArmed = false;
        return;
    }
    if (p.sliding && !me.leftDown) {
        finishSlide(p);
        composeLayersPanel(p);
        repaintPanel(m.window);
    }
    std::array<std::uint8_t, SkinButtonTable::kSize> before{};
    for (int b = 0; b < SkinButtonTable::kSize; ++b) before[static_cast<std::size_t>(b)] = p.buttons[b].state;
    const int fired = p.buttons.hitTest(me.x, me.y, me.leftDown);
    bool changed = false;
    for (int b = 0; b < SkinButtonTable::kSize; ++b)
        changed |= before[static_cast<std::size_t>(b)] != p.buttons[b].state;
    if (changed) {
        composeLayersPanel(p);
        repaintPanel(m.window);
    }
    if (fired >= 0) runButton(p, fired, m.window);
}

}  // namespace sc
