// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layers panel (" Layers"): the painting's layers listed top to bottom,
// each with its eye (shown or hidden), a small picture and its name, the
// active one marked; the active layer's opacity slider; buttons for the layer
// commands. The panel shows what it is given (LayerView) and turns presses
// into requests (LayerRequest), which the shell carries out on the painting.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/surface.h"
#include "platform/windows.h"
#include "ui/skin_button.h"
#include "ui/skin_letters.h"
#include "ui/slider.h"

namespace sc {

// The places of the panel's parts, in client pixels (its size is
// layout::kLayersPanel); the "layers" picture is drawn to fit them.
inline constexpr int kLayerListX = 5;
inline constexpr int kLayerListY = 5;
inline constexpr int kLayerRowWidth = 256;
inline constexpr int kLayerRowHeight = 26;
inline constexpr int kLayerRowsShown = 6;
inline constexpr int kLayerEyeX = 8;
inline constexpr int kLayerEyeDy = 4;
inline constexpr int kLayerEyeSize = 18;
inline constexpr int kLayerThumbX = 30;
inline constexpr int kLayerThumbDy = 2;
inline constexpr int kLayerThumbWidth = 32;
inline constexpr int kLayerThumbHeight = 22;
inline constexpr int kLayerNameX = 68;
inline constexpr int kLayerNameDy = 6;
inline constexpr int kLayerScrollX = 263;
inline constexpr int kLayerScrollSize = 13;
inline constexpr int kOpacitySliderX = 70;
inline constexpr int kOpacitySliderY = 178;
inline constexpr int kOpacitySliderLength = 150;
inline constexpr int kOpacityTextX = 232;
inline constexpr int kLayerButtonY = 198;
inline constexpr int kLayerButtonWidth = 30;
inline constexpr int kLayerButtonHeight = 22;

// Entries of the panel's button table.
enum LayersPanelButton {
    kNewLayerButton = 0,
    kDuplicateLayerButton,
    kDeleteLayerButton,
    kLayerUpButton,
    kLayerDownButton,
    kMergeDownButton,
    kRenameLayerButton,
    kLayerCommandButtons,  // the seven command buttons come first
    kScrollUpButton = kLayerCommandButtons,
    kScrollDownButton,
};

inline constexpr std::array<int, kLayerCommandButtons> kLayerButtonX{8, 40, 72, 112, 144, 184, 242};

// One layer as the panel shows it. The picture is kLayerThumbWidth x
// kLayerThumbHeight colours packed as packColour does, row by row.
struct LayerRowView {
    std::string name;
    bool visible = true;
    float opacity = 1.0f;
    std::vector<std::uint32_t> thumbnail;
    bool operator==(const LayerRowView&) const = default;
};

// The painting's layers as the panel shows them, bottom first (as the
// painting numbers them), and the active one.
struct LayerView {
    std::vector<LayerRowView> rows;
    std::size_t active = 0;
    bool operator==(const LayerView&) const = default;
};

// What a press on the panel asks of the painting's layers.
enum class LayerRequestKind : std::uint8_t {
    None,
    Select,         // layer
    ToggleVisible,  // layer
    Rename,         // layer: ask for its new name
    New,
    Duplicate,
    Delete,
    MoveUp,
    MoveDown,
    MergeDown,
    Opacity,  // the active layer's opacity to `opacity` (0..1)
};

struct LayerRequest {
    LayerRequestKind kind = LayerRequestKind::None;
    std::size_t layer = 0;
    float opacity = 1.0f;
};

// Which commands the painting's layers allow now: each entry true when the
// command would do something (New and Duplicate stay allowed at the limit,
// where they say why they cannot).
struct LayerCommandsAllowed {
    bool deleteLayer = false;
    bool moveUp = false;
    bool moveDown = false;
    bool mergeDown = false;
    bool operator==(const LayerCommandsAllowed&) const = default;
};
struct LayersPanel {
    Surface background;  // "layers"
    Surface backBuffer;
    std::array<Surface, kLayerCommandButtons> normal, down;  // the command buttons
    Surface scrollUp0, scrollUp1, scrollDown0, scrollDown1;
    Surface eyeShut, eyeOpen;  // "eye0", "eye1"
    SkinButtonTable buttons;
    Slider opacity;
    SkinLetters letters;
    LayerView shown;
    // How many layers from the top are scrolled out of the list.
    int scrolled = 0;
    // Set by a press; the shell takes it after the message.
    LayerRequest request;
    // The opacity slider is held: it shows the value under the pointer, and
    // the layer takes it when the button is released.
    bool sliding = false;
    // What the shell notes to know when to look at the painting again: the
    // pictures are out of date (the panel was hidden), a press on the canvas
    // was under way at the last look.
    bool stale = true;
    bool canvasPressSeen = false;
    const void* historyMark[2] = {nullptr, nullptr};
    // A request is being carried out (its dialog or message box may deliver
    // further messages to the panel, which must not act meanwhile).
    bool busy = false;
    // The Layer menu's items as last greyed or enabled.
    LayerCommandsAllowed menuShown;
    bool menuKnown = false;
};

LayerCommandsAllowed layerCommandsAllowed(const LayerView& view);

// Composes the panel's picture from what it shows.
void composeLayersPanel(LayersPanel& p);
// The panel shows `view`: the list scrolls to keep the active layer in it,
// the slider follows its opacity (unless held), and the window is drawn
// again when anything changed.
void showLayers(LayersPanel& p, const LayerView& view, platform::WindowId window);

}  // namespace sc
