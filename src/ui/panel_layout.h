// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the floating panels stand when they are made and how large their
// client areas are, with the parts of the brush properties panel that are
// drawn and hit on their own. The frame makes the panels from these, the
// panels size their pictures by them and the main loop repaints by them.
#include "platform/windows.h"

namespace sc::layout {

struct Size {
    int width;
    int height;
};

// The tools panel stands at the left; its height follows its pictures: three
// heading bars and kToolsPanelButtonsHeight of buttons.
inline constexpr int kToolsPanelX = 10;
inline constexpr int kToolsPanelY = 65;
inline constexpr int kToolsPanelWidth = 68;
inline constexpr int kToolsPanelButtonsHeight = 232;

// The other three stand in a column this far left of the desktop's right edge.
inline constexpr double kPanelColumnFromRight = 310.0;

inline constexpr int kPropertiesPanelY = 65;
inline constexpr Size kPropertiesPanel{280, 240};
inline constexpr int kColoursPanelY = 337;
inline constexpr Size kColoursPanel{205, 94};
inline constexpr int kPalettePanelY = 463;
inline constexpr Size kPalettePanel{280, 200};

// The layers panel stands in the same column below the palette where the
// screen is tall enough, and on a lower screen to the palette's left, so
// that it never covers the palette.
inline constexpr Size kLayersPanel{280, 226};
inline constexpr int kLayersPanelBelowPalette = kPalettePanelY + kPalettePanel.height + 32;
inline constexpr int kLayersPanelBottomMargin = 40;  // kept clear above the desktop's bottom edge
inline constexpr int kLayersPanelBeside = 12;        // gap to the palette when beside it

struct Place {
    int x;
    int y;
};

// Where the layers panel is made, given the column's left edge and the
// bottom of the desktop's client area.
constexpr Place layersPanelPlace(int columnX, int desktopBottom) {
    if (desktopBottom - kLayersPanel.height - kLayersPanelBottomMargin >= kLayersPanelBelowPalette) {
        return {columnX, kLayersPanelBelowPalette};
    }
    return {columnX - kLayersPanel.width - kLayersPanelBeside, kPalettePanelY};
}

// The brush properties panel: the preview and the sliders above, the styles
// panel (a child window) below.
inline constexpr platform::Rect kPropertiesUpperPart{0, 0, kPropertiesPanel.width, 160};
inline constexpr platform::Rect kStylesPanelArea{0, kPropertiesUpperPart.bottom, kPropertiesPanel.width,
                                                 kPropertiesPanel.height};
// The brush preview inside the upper part: a square of preview canvas cells.
inline constexpr int kPreviewLeft = 10;
inline constexpr int kPreviewTop = 12;
inline constexpr int kPreviewSide = 128;

}  // namespace sc::layout
