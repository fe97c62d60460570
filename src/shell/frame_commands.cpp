// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's menu commands.
#include "app/file_commands.h"
#include "app/filter_command.h"
#include "app/help_pages.h"
#include "app/print.h"
#include "app/layers.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "shell/autosave_step.h"
#include "shell/canvas_view.h"
#include "shell/frame_window.h"
#include "shell/history_commands.h"
#include "shell/layer_commands.h"
#include "shell/new_image_commands.h"
#include "shell/program.h"
#include "shell/splash.h"
#include "shell/user_option_commands.h"
#include "shell/zoom_steps.h"
#include "tools/tool_state.h"
#include "ui/status_line.h"

namespace sc {
namespace {

using platform::WindowId;

// Shows or hides a panel with its Window-menu item; the check mark follows.
void togglePanel(ShellState& s, int command, WindowId panel) {
    const bool wasChecked = menuItemChecked(s, command);
    checkMenuItem(s, command, false);
    if (wasChecked) {
        platform::showWindow(panel, false);
    } else {
        checkMenuItem(s, command, true);
        platform::showWindow(panel, true);
    }
}

void toggleHighQuality(ShellState& s) {
    s.painting.document.highQuality = !s.painting.document.highQuality;
    s.preview.highQuality = s.painting.document.highQuality;
    s.previewDirty = true;
    checkMenuItem(s, kCmdHighQuality, s.painting.document.highQuality);
    s.painting.document.invalidate();
}

void toggleLighting(ShellState& s) {
    s.painting.document.lighting = !s.painting.document.lighting;
    s.preview.lighting = s.painting.document.lighting;
    checkMenuItem(s, kCmdLighting, s.painting.document.lighting);
    s.painting.document.invalidate();
}

// Opens an address in the browser, then gets the frame out of its way. When
// the desktop cannot open it (no browser), a box says so and names the
// guide's file, and the frame stays where it is.
void openInBrowser(const ShellState& s, const std::string& address) {
    if (!platform::openUrl(address)) {
        platform::messageBox(s.frameWindow, "Error", helpNotOpenedText(address, s.paths), platform::Buttons::Ok,
                             platform::Icon::Error);
        return;
    }
    platform::minimiseWindow(s.frameWindow);
}

}  // namespace

bool runFrameCommand(Program& p, int id) {
    ShellState& s = p.state;
    if (id >= kCmdZoom25 && id <= kCmdZoom400) {
        setZoom(p, kZoomSteps[id - kCmdZoom25]);
        return true;
    }
    switch (id) {
        case kCmdNew: newCommand(p); return true;
        case kCmdOpen:
            if (const std::optional<std::string> opened = openCommand(s)) {
                recreateCanvasWindow(p);
                noteDocumentFile(p, *opened);
            }
            return true;
        case kCmdSave:
            if (const std::optional<std::string> saved = saveCommand(s)) noteDocumentFile(p, *saved);
            return true;
        case kCmdImportImage:
            if (importImage(s)) {
                recreateCanvasWindow(p);
                noteDocumentFile(p, "");
            }
            return true;
        case kCmdExportImage: exportImage(s); return true;
        case kCmdPageSetup: pageSetup(); return true;
        case kCmdPrint: printPainting(s); return true;
        case kCmdImageSize: imageSizeCommand(p); return true;
        case kCmdExit: {
            platform::Message m;
            m.kind = platform::MessageKind::Close;
            m.window = s.frameWindow;
            platform::postMessage(m);
            return true;
        }
        case kCmdUndo:
            if (undo(s.painting, s.tools)) recreateCanvasWindow(p);
            s.colourChanged = true;
            return true;
        case kCmdStepBackward: historyStepCommand(p, true); return true;
        case kCmdStepForward: historyStepCommand(p, false); return true;
        case kCmdHighQuality: toggleHighQuality(s); return true;
        case kCmdLighting: toggleLighting(s); return true;
        case kCmdSmoothStrokes: toggleSmoothStrokes(s); return true;
        case kCmdPenDialog: penCommand(s); return true;
        case kCmdToolsPanel: togglePanel(s, id, s.windows.toolsPanel); return true;
        case kCmdColoursPanel: togglePanel(s, id, s.windows.coloursPanel); return true;
        case kCmdPropertiesPanel: togglePanel(s, id, s.windows.propertiesPanel); return true;
        case kCmdPalettePanel: togglePanel(s, id, s.windows.palettePanel); return true;
        case kCmdLayersPanel: togglePanel(s, id, s.windows.layersPanel); return true;
        case kCmdHelp: openInBrowser(s, userGuideAddress(s.paths)); return true;
        case kCmdAbout: showSplash(p.splashWindow, &s.splash, false, nullptr); return true;
        case kCmdWebSite: openInBrowser(s, webSiteItemAddress(s.paths)); return true;
        default: break;
    }
    if (runLayerCommand(p, id)) return true;
    // Flatten and every filter: one undo step, then the next pass renders.
    return runFilterOnPainting(s.painting, s.tools, id);
}

}  // namespace sc
