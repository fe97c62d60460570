// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/layer_commands.h"

#include <optional>
#include <string>

#include "app/file_commands.h"
#include "app/import_image.h"
#include "app/layers.h"
#include "app/shell_state.h"
#include "platform/dialogs.h"
#include "platform/drawing.h"
#include "platform/furniture.h"
#include "shell/frame_window.h"
#include "shell/program.h"
#include "ui/layer_view.h"
#include "ui/panels.h"

namespace sc {
namespace {

void showLayerError(const ShellState& s, LayerError error) {
    if (const char* text = layerErrorText(error)) platform::messageBox(s.frameWindow, "Error", text);
}

void renameCommand(ShellState& s, std::size_t layer) {
    if (layer >= layerCount(s.painting)) return;
    const std::optional<std::string> name = platform::askText(s.frameWindow, kRenameLayerCaption, kRenameLayerLabel,
                                                              layerName(s.painting, layer), kLayerNameMaxBytes);
    // An empty name keeps the one the layer has.
    if (!name || name->find_first_not_of(' ') == std::string::npos) return;
    showLayerError(s, renameLayer(s.painting, s.tools, layer, *name));
}

// A picture chosen as Import Image chooses it, laid over the active layer
// as a new layer that covers it.
void importAsLayerCommand(ShellState& s) {
    const std::optional<std::string> path = chooseFileWithFilter(s, importFilter(), kChooseOpen);
    if (!path) return;
    bool pictureRead = false;
    const LayerError error = importAsLayer(s.painting, s.tools, *path, s.pictureFailureShown, pictureRead);
    if (error != LayerError::kNone) {
        showLayerError(s, error);
    } else if (!pictureRead) {
        platform::messageBox(platform::kNoWindow, "Error", kImageFailedText);
    }
}

void moveActive(ShellState& s, bool up) {
    const std::size_t active = activeLayer(s.painting);
    if (up ? active + 1 >= layerCount(s.painting) : active == 0) return;
    showLayerError(s, moveLayer(s.painting, s.tools, active, up ? active + 1 : active - 1));
}

// Each command on the painting; a failure says why and changes nothing.
void runRequest(ShellState& s, const LayerRequest& r) {
    Painting& painting = s.painting;
    if (!painting.document.hasCells()) return;
    const std::size_t active = activeLayer(painting);
    switch (r.kind) {
        case LayerRequestKind::None: break;
        case LayerRequestKind::Select: showLayerError(s, selectLayer(painting, r.layer)); break;
        case LayerRequestKind::ToggleVisible:
            if (r.layer < layerCount(painting)) {
                showLayerError(s, setLayerVisible(painting, s.tools, r.layer, !layerVisible(painting, r.layer)));
            }
            break;
        case LayerRequestKind::Rename: renameCommand(s, r.layer); break;
        case LayerRequestKind::New: showLayerError(s, addLayer(painting, s.tools)); break;
        case LayerRequestKind::Duplicate: showLayerError(s, duplicateLayer(painting, s.tools, active)); break;
        case LayerRequestKind::Delete:
            if (layerCount(painting) > 1) showLayerError(s, deleteLayer(painting, s.tools, active));
            break;
        case LayerRequestKind::MoveUp: moveActive(s, true); break;
        case LayerRequestKind::MoveDown: moveActive(s, false); break;
        case LayerRequestKind::MergeDown:
            if (active > 0) showLayerError(s, mergeLayerDown(painting, s.tools, active));
            break;
        case LayerRequestKind::Opacity:
            showLayerError(s, setLayerOpacity(painting, s.tools, r.layer, r.opacity));
            break;
    }
}

// Runs one request unless one is under way already.
void runGuarded(Program& p, const LayerRequest& r) {
    LayersPanel& panel = p.panels.layers;
    if (panel.busy) return;
    panel.busy = true;
    runRequest(p.state, r);
    panel.busy = false;
    followLayers(p);
}

void showMenuItem(ShellState& s, int command, bool enabled) {
    platform::setMenuEnabled(s.frameWindow, command, enabled);
}

void syncLayerMenu(ShellState& s, LayersPanel& panel, const LayerCommandsAllowed& allowed) {
    if (s.frameWindow == platform::kNoWindow || (panel.menuKnown && panel.menuShown == allowed)) return;
    panel.menuKnown = true;
    panel.menuShown = allowed;
    showMenuItem(s, kCmdDeleteLayer, allowed.deleteLayer);
    showMenuItem(s, kCmdMergeDown, allowed.mergeDown);
    showMenuItem(s, kCmdMoveLayerUp, allowed.moveUp);
    showMenuItem(s, kCmdMoveLayerDown, allowed.moveDown);
}

}  // namespace

bool runLayerCommand(Program& p, int id) {
    LayerRequest r;
    switch (id) {
        case kCmdNewLayer: r.kind = LayerRequestKind::New; break;
        case kCmdDuplicateLayer: r.kind = LayerRequestKind::Duplicate; break;
        case kCmdDeleteLayer: r.kind = LayerRequestKind::Delete; break;
        case kCmdMergeDown: r.kind = LayerRequestKind::MergeDown; break;
        case kCmdMoveLayerUp: r.kind = LayerRequestKind::MoveUp; break;
        case kCmdMoveLayerDown: r.kind = LayerRequestKind::MoveDown; break;
        case kCmdRenameLayer:
            r.kind = LayerRequestKind::Rename;
            r.layer = activeLayer(p.state.painting);
            break;
        case kCmdImportAsLayer:
            if (!p.panels.layers.busy) {
                p.panels.layers.busy = true;
                importAsLayerCommand(p.state);
                p.panels.layers.busy = false;
                followLayers(p);
            }
            return true;
        default: return false;
    }
    runGuarded(p, r);
    return true;
}

void runLayerRequest(Program& p) {
    LayersPanel& panel = p.panels.layers;
    const LayerRequest r = panel.request;
    panel.request = LayerRequest{};
    if (r.kind != LayerRequestKind::None) runGuarded(p, r);
}

void followLayers(Program& p) {
    ShellState& s = p.state;
    LayersPanel& panel = p.panels.layers;
    LayerView view = layerViewOf(s.painting, false);
    syncLayerMenu(s, panel, layerCommandsAllowed(view));
    const platform::WindowId window = s.windows.layersPanel;
    if (window == platform::kNoWindow || !platform::isWindowVisible(window)) {
        panel.stale = true;
        return;
    }
    // The pictures are made again when the painting may have changed: a
    // whole change this pass (not yet rendered), the end of a press on the
    // canvas, a change of the layers themselves.
    // whole change this pass (not yet rendered), the end of a press on the
    // canvas, a step through the history, a change of the layers themselves.
    const bool pressing = s.pointers[kCanvasPointer].leftDown;
    const bool pressEnded = panel.canvasPressSeen && !pressing;
    panel.canvasPressSeen = pressing;
    const void* marks[2] = {s.painting.history.backwardStep(), s.painting.history.forwardStep()};
    const bool stepped = marks[0] != panel.historyMark[0] || marks[1] != panel.historyMark[1];
    panel.historyMark[0] = marks[0];
    panel.historyMark[1] = marks[1];
    if (!panel.stale && !pressEnded && !stepped && s.painting.document.rendered &&
        !layerRowsDiffer(view, panel.shown)) {
        return;
    }
    panel.stale = false;
    view = layerViewOf(s.painting, true);
    showLayers(panel, view, window);
}

}  // namespace sc
