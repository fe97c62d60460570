// SPDX-License-Identifier: GPL-3.0-or-later
// The styles panel: a child window in the lower 280 x 80 pixels of the brush
// properties panel with three pages: paint styles, textures (9 x 2 grids of
// thumbnails) and the brush shape (hardness slider and profile picture).
#include <array>
#include <utility>

#include "app/assets.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "engine/numeric.h"
#include "platform/dialogs.h"
#include "tools/tool_state.h"
#include "ui/panel_controls.h"
#include "ui/panel_layout.h"
#include "ui/panel_messages.h"
#include "ui/panel_picture.h"
#include "ui/panels.h"

namespace sc {
namespace {

constexpr int kThumbSide = 29;
constexpr int kPitch = 30;
constexpr int kColumns = 9;
constexpr int kItemCount = kStyleItemCount;
// The grid's active rectangle (right and bottom exclusive); a press in the
// strip right of the last column or below the last row still selects.
constexpr int kGridLeft = 5;
constexpr int kGridTop = 19;
constexpr int kGridRight = 285;
constexpr int kGridBottom = 99;

void makeThumbnails(std::array<Surface, kItemCount>& thumbs, const std::array<Surface, kItemCount>& images) {
    for (std::size_t i = 0; i < thumbs.size(); ++i) {
        if (!thumbs[i].create32(kThumbSide, kThumbSide)) continue;
        thumbs[i].clearWhite();
        images[i].blitToSurface(0, 0, thumbs[i]);
    }
}

void drawGrid(Surface& target, const std::array<Surface, kItemCount>& thumbs, int selected, bool applies) {
    for (int i = 0; i < kItemCount; ++i) {
        thumbs[static_cast<std::size_t>(i)].blitToSurface(kGridLeft + kPitch * (i % kColumns),
                                                          kGridTop + kPitch * (i / kColumns), target);
    }
    const int left = kGridLeft + kPitch * (selected % kColumns);
    const int top = kGridTop + kPitch * (selected / kColumns);
    target.blendRect(left, top, left + kThumbSide, top + kThumbSide, 255, 0, 0, 128);
    if (!applies) target.blendRect(kGridLeft, kGridTop, kGridRight, kGridBottom, 255, 255, 255, 128);
}

void drawStylesPanel(ShellState& s, StylesPanel& p) {
    ToolState& t = s.tools;
    if (!p.backBuffer.valid()) return;
    p.background.blitToSurface(0, 0, p.backBuffer);
    p.tabs.drawOnto(p.backBuffer);
    if (p.page == kPaintStylesPage) {
        drawGrid(p.backBuffer, p.styleThumbs, t.live.paintStyle, s.paintPageApplies);
    } else if (p.page == kTexturesPage) {
        drawGrid(p.backBuffer, p.textureThumbs, t.live.texture, s.texturePageApplies);
    } else {
        buildMask(s.tools);
        p.shape.blitToSurface(0, 18, p.backBuffer);
        p.hardness.value = t.live.hardness;
        p.hardness.draw(p.backBuffer);
        t.mask.profile.blitToSurface(4, 22, p.backBuffer);
    }
}

void updateStylesPanel(ShellState& s, Panels& panels) {
    StylesPanel& p = panels.styles;
    ToolState& t = s.tools;
    const PointerState& me = s.pointers[kStylesPointer];
    const int tab = p.tabs.hitTest(me.x, me.y, me.leftDown);
    if (p.page == kShapePage) {
        const float before = p.hardness.value;
        const bool taken = p.hardness.drag(panels.sliders, me.x, me.y, me.leftDown);
        t.live.hardness = static_cast<std::uint8_t>(truncToInt(p.hardness.value));
        const bool changed = p.hardness.value != before;
        if (changed) {
            t.mask.built = false;
            s.previewDirty = true;
        }
        if (changed || taken) repaintStylesPanel(s);
        if (tab == -1) return;
    }
    if (!me.leftDown) return;
    // A press on a tab or a pick ends the press: the next selection needs a
    // new press.
    if (tab != -1) {
        takeUndoSnapshot(s.painting, s.tools, false);
        for (int i = 0; i < 3; ++i) p.tabs[i].state = kButtonNormal;
        p.tabs[tab].state = kButtonDown;
        p.page = tab;
        s.pointers.releaseAll();
        s.pressArmed = false;
        repaintStylesPanel(s);
        return;
    }
    if (p.page == kShapePage) return;
    const bool applies = p.page == kPaintStylesPage ? s.paintPageApplies : s.texturePageApplies;
    if (me.x >= kGridLeft && me.x < kGridRight && me.y >= kGridTop && me.y < kGridBottom && applies) {
        int index = (me.y - kGridTop) / kPitch * kColumns + (me.x - kGridLeft) / kPitch;
        if (index > kItemCount - 1) index = kItemCount - 1;
        if (p.page == kPaintStylesPage) {
            t.live.paintStyle = static_cast<std::uint8_t>(index);
        } else {
            t.live.texture = static_cast<std::uint8_t>(index);
        }
    }
    s.pointers.releaseAll();
    repaintStylesPanel(s);
    s.previewDirty = true;
}

}  // namespace

void createStylesPanel(ShellState& s, Panels& panels, platform::WindowProc proc) {
    StylesPanel& p = panels.styles;
    ToolState& t = s.tools;
    p.page = kPaintStylesPage;
    p.tabs = SkinButtonTable{};
    const char* names[6] = {"tpaint0", "tpaint1", "ttexture0", "ttexture1", "tshape0", "tshape1"};
    for (std::size_t i = 0; i < p.tabPictures.size(); ++i) loadColourAsset(s, p.tabPictures[i], names[i]);
    const int w = static_cast<int>(p.tabPictures[0].width());
    const auto& pic = p.tabPictures;
    p.tabs.add(kPaintStylesPage, 3, 1, &pic[0], &pic[0], &pic[1], kToggleButton);
    p.tabs.add(kTexturesPage, w + 2, 1, &pic[2], &pic[2], &pic[3], kToggleButton);
    // The shape tab's pictures pair the other way round: "tshape1" is its
    // unselected look and "tshape0" its selected one.
    p.tabs.add(kShapePage, 2 * w + 1, 1, &pic[5], &pic[5], &pic[4], kToggleButton);
    p.tabs[kPaintStylesPage].state = kButtonDown;
    p.hardness.init(panels.sliders, s, 90, 54, 110);
    loadColourAsset(s, p.background, "styles");
    loadColourAsset(s, p.backBuffer, "styles");
    loadColourAsset(s, p.shape, "shape");
    makeThumbnails(p.styleThumbs, t.styleImages);
    makeThumbnails(p.textureThumbs, t.textureImages);

    platform::WindowSpec windowSpec;
    windowSpec.kind = platform::WindowKind::Child;
    windowSpec.className = "StylesClassName";
    windowSpec.parent = s.windows.propertiesPanel;
    windowSpec.x = layout::kStylesPanelArea.left;
    windowSpec.y = layout::kStylesPanelArea.top;
    windowSpec.width = layout::kStylesPanelArea.width();
    windowSpec.height = layout::kStylesPanelArea.height();
    windowSpec.proc = std::move(proc);
    s.windows.stylesPanel = platform::createWindow(windowSpec);
    if (s.windows.stylesPanel == platform::kNoWindow) {
        platform::messageBox(s.frameWindow, "Error", "Failed To Create Palette Window");
    }
}

void repaintStylesPanel(const ShellState& s) { repaintPanel(s.windows.stylesPanel); }

void stylesPanelProc(ShellState& s, Panels& panels, const platform::Message& m) {
    StylesPanel& p = panels.styles;
    if (!panelCommonMessage(s, panels.floating, m, kStylesPointer)) return;
    if (m.kind == platform::MessageKind::Paint) {
        drawStylesPanel(s, p);
        paintPanel(m.window, p.backBuffer);
    }
    // The update redraws the window at once, which comes back here with a
    // Paint. Drawing puts the slider on the whole hardness, so a nested update
    // would see the dragged fraction as a new change, and so on without end.
    if (p.updating) return;
    p.updating = true;
    updateStylesPanel(s, panels);
    p.updating = false;
}

}  // namespace sc
