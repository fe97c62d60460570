// SPDX-License-Identifier: GPL-3.0-or-later
// The frame window's creation and procedure.
#include "shell/frame_window.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "app/file_commands.h"
#include "app/hand_over.h"
#include "app/painting_io.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "engine/numeric.h"
#include "formats/data_file.h"
#include "platform/dialogs.h"
#include "platform/furniture.h"
#include "shell/autosave_step.h"
#include "shell/canvas_keys.h"
#include "shell/canvas_view.h"
#include "shell/layer_commands.h"
#include "shell/program.h"
#include "shell/zoom_steps.h"
#include "ui/floating_windows.h"
#include "ui/panel_layout.h"
#include "ui/panels.h"
#include "ui/status_line.h"

namespace sc {
namespace {

using platform::Message;
using platform::MessageKind;
using platform::WindowId;

void sendActivate(WindowId frame, bool active) {
    Message m;
    m.kind = MessageKind::Activate;
    m.window = frame;
    m.flag = active;
    platform::sendMessage(m);
}

// What the frame makes of itself once it exists.
void onCreate(Program& p, WindowId frame) {
    ShellState& s = p.state;
    platform::acceptDroppedFiles(frame);
    platform::setMenuBar(frame, frameMenu(s.paths));
    platform::createStatusBar(frame, kStatusPartEdges);

    platform::WindowSpec area;
    area.kind = platform::WindowKind::DocumentArea;
    area.className = "MDICLIENT";
    area.parent = frame;
    area.proc = [&p](const Message& m) {
        if (m.kind == MessageKind::ZoomWheel) zoomByWheel(p, m);
    };
    s.windows.documentArea = platform::createWindow(area);
    if (s.windows.documentArea == platform::kNoWindow) {
        platform::messageBox(frame, "Error", "Failed To Create The Client Window");
    }

    FloatingWindows& floating = p.panels.floating;
    createToolsPanel(s, p.panels, panelWindowProc(p, &toolsPanelProc));
    const int x = truncToInt(platform::desktopClientArea().width() - layout::kPanelColumnFromRight);
    s.windows.propertiesPanel = createFloatingWindow(floating, s, " Brush Properties", x, layout::kPropertiesPanelY,
                                                     layout::kPropertiesPanel.width, layout::kPropertiesPanel.height,
                                                     "PropertiesWindowClass", panelWindowProc(p, &propertiesPanelProc));
    s.windows.coloursPanel =
        createFloatingWindow(floating, s, " Colors", x, layout::kColoursPanelY, layout::kColoursPanel.width,
                             layout::kColoursPanel.height, "ColorsWindowClass", panelWindowProc(p, &coloursPanelProc));
    s.windows.palettePanel =
        createFloatingWindow(floating, s, " Palette", x, layout::kPalettePanelY, layout::kPalettePanel.width,
                             layout::kPalettePanel.height, "BrushesClass", panelWindowProc(p, &palettePanelProc));
    const layout::Place layers = layout::layersPanelPlace(x, platform::desktopClientArea().bottom);
    createLayersPanel(s, p.panels, layers.x, layers.y,
                      [&p, proc = panelWindowProc(p, &layersPanelProc)](const Message& m) {
                          proc(m);
                          runLayerRequest(p);
                      });
    sendActivate(frame, true);
}

void onDrop(Program& p, const Message& m) {
    // The handle is released by the first take, so a repeated delivery of
    // the message finds nothing to open.
    const std::vector<std::string> paths = platform::takeDroppedFiles(m.handle);
    if (paths.empty()) return;
    openHandedOverPainting(p, paths.front().substr(0, kHandOverPathMax));
}

}  // namespace

bool createFrameWindow(Program& p) {
    platform::WindowSpec windowSpec;
    windowSpec.kind = platform::WindowKind::Frame;
    windowSpec.className = kFrameClass;
    windowSpec.caption = kFrameTitle;
    windowSpec.visible = false;
    windowSpec.proc = [&p](const Message& m) { frameWindowProc(p, m); };
    const WindowId frame = platform::createWindow(windowSpec);
    p.state.frameWindow = frame;
    p.shownTitle = kFrameTitle;
    if (frame == platform::kNoWindow) return false;
    onCreate(p, frame);
    return true;
}

void openHandedOverPainting(Program& p, const std::string& path) {
    // The path comes from outside the program (a drop, or a file any other
    // program may write): only a regular file the user can read is opened.
    // An empty path, a directory, a device or a pipe is refused before
    // anything opens it, with the message of a file that cannot be opened.
    if (!isReadableRegularFile(path)) {
        platform::messageBox(platform::kNoWindow, "Error", kCannotOpenText, platform::Buttons::Ok,
                             platform::Icon::None);
        return;
    }
    // The painting on screen is replaced only as Open replaces it: after the
    // unsaved-changes question, whose Cancel (or a Yes whose save did not
    // happen) keeps it.
    if (!askSaveChanges(p.state)) return;
    if (!loadPainting(p.state.painting, p.state.tools, path, nullptr, p.state.frameWindow)) return;
    recreateCanvasWindow(p);
    noteDocumentFile(p, path);
    // As after File, Open: the start of its history, and nothing unsaved.
    takeUndoSnapshot(p.state.painting, p.state.tools, false);
    p.state.painting.saved = true;
}

std::string frameTitle(const ShellState& s) {
    std::string title = kFrameTitle;
    if (!s.painting.fileName.empty())
        title = std::filesystem::path(s.painting.fileName).filename().string() + " - " + title;
    return s.painting.saved ? title : "*" + title;
}

void syncFrameTitle(Program& p) {
    const ShellState& s = p.state;
    if (s.frameWindow == platform::kNoWindow) return;
    std::string title = frameTitle(s);
    if (title == p.shownTitle) return;
    platform::setCaption(s.frameWindow, title);
    p.shownTitle = std::move(title);
}

void closeFrame(Program& p) {
    ShellState& s = p.state;
    if (!s.painting.saved) {
        const platform::Answer a = platform::messageBox(s.frameWindow, kSaveChangesCaption, kSaveChangesText,
                                                        platform::Buttons::YesNo, platform::Icon::Exclamation);
        // Only an explicit No discards the painting. A box closed without an
        // answer, or a Yes whose save did not happen (chooser cancelled,
        // write failed), keeps the program open.
        const bool mayClose = a == platform::Answer::No || (a == platform::Answer::Yes && saveCommand(s).has_value());
        if (!mayClose) return;
    }
    platform::destroyWindow(s.frameWindow);
}

void frameWindowProc(Program& p, const Message& m) {
    ShellState& s = p.state;
    switch (m.kind) {
        case MessageKind::HandOver:
            // In front first: the question about unsaved changes may follow.
            platform::bringToFront(m.window);
            openHandedOverPainting(p, takeHandOverFile());
            break;
        case MessageKind::KeyDown:
        case MessageKind::KeyUp: canvasKeyEvent(p, m.key, m.kind == MessageKind::KeyDown); break;
        case MessageKind::Enable: syncFloatingEnable(p.panels.floating, m.window, m.flag); break;
        case MessageKind::Activate:
            syncFloatingActivation(p.panels.floating, m.window, m.window, m.flag, m.other);
            break;
        case MessageKind::DropFiles: onDrop(p, m); break;
        case MessageKind::StateChanged:
            // Minimised: the panels go with the frame; shown again (maximised
            // or restored): they come back.
            sendActivate(m.window, m.state != platform::WindowState::Minimised);
            break;
        case MessageKind::Command: runFrameCommand(p, m.command); break;
        case MessageKind::Close: closeFrame(p); break;
        case MessageKind::Destroy:
            if (m.window == s.frameWindow) {
                s.quitRequested = true;
                s.frameWindow = platform::kNoWindow;
            }
            break;
        default: break;
    }
}

}  // namespace sc
