// The frame's menu commands.
#include "app/file_commands.h"
#include "app/filter_command.h"
#include "app/help_pages.h"
#include "app/print.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "platform/desktop.h"
#include "shell/canvas_view.h"
#include "shell/frame_window.h"
#include "shell/new_image_commands.h"
#include "shell/splash.h"
#include "tools/tool_state.h"
#include "ui/status_line.h"

namespace sc {
namespace {

using platform::WindowId;

constexpr float kZooms[] = {0.25f, 0.5f, 1.0f, 2.0f, 3.0f, 4.0f};

// Shows or hides a panel with its Window-menu item; the check mark follows.
void togglePanel(int command, WindowId panel) {
    const bool wasChecked = menuItemChecked(command);
    checkMenuItem(command, false);
    if (wasChecked) {
        platform::showWindow(panel, false);
    } else {
        checkMenuItem(command, true);
        platform::showWindow(panel, true);
    }
}

void toggleHighQuality() {
    ShellState& s = shell();
    s.document.highQuality = !s.document.highQuality;
    s.preview.highQuality = s.document.highQuality;
    s.previewDirty = true;
    checkMenuItem(kCmdHighQuality, s.document.highQuality);
    s.document.invalidate();
}

void toggleLighting() {
    ShellState& s = shell();
    s.document.lighting = !s.document.lighting;
    s.preview.lighting = s.document.lighting;
    checkMenuItem(kCmdLighting, s.document.lighting);
    s.document.invalidate();
}

// Opens an address in the browser, then gets the frame out of its way.
void openInBrowser(const std::string& address) {
    platform::openUrl(address);
    platform::minimiseWindow(shell().frameWindow);
}

}  // namespace

bool runFrameCommand(int id) {
    ShellState& s = shell();
    if (id >= kCmdZoom25 && id <= kCmdZoom400) {
        toolState().zoom = kZooms[id - kCmdZoom25];
        recreateCanvasWindow();
        updateStatusLine();
        return true;
    }
    switch (id) {
        case kCmdNew: newCommand(); return true;
        case kCmdOpen:
            if (openCommand()) recreateCanvasWindow();
            return true;
        case kCmdSave: saveCommand(); return true;
        case kCmdImportImage:
            if (importImage()) recreateCanvasWindow();
            return true;
        case kCmdExportImage: exportImage(); return true;
        case kCmdPageSetup: pageSetup(); return true;
        case kCmdPrint: printPainting(); return true;
        case kCmdImageSize: imageSizeCommand(); return true;
        case kCmdExit: {
            platform::Message m;
            m.kind = platform::MessageKind::Close;
            m.window = s.frameWindow;
            platform::postMessage(m);
            return true;
        }
        case kCmdUndo: undo(); return true;
        case kCmdHighQuality: toggleHighQuality(); return true;
        case kCmdLighting: toggleLighting(); return true;
        case kCmdToolsPanel: togglePanel(id, s.windows.toolsPanel); return true;
        case kCmdColoursPanel: togglePanel(id, s.windows.coloursPanel); return true;
        case kCmdPropertiesPanel: togglePanel(id, s.windows.propertiesPanel); return true;
        case kCmdPalettePanel: togglePanel(id, s.windows.palettePanel); return true;
        case kCmdHelp: openInBrowser(userGuideAddress()); return true;
        case kCmdAbout: showSplash(&s.splash, false, nullptr); return true;
        case kCmdWebSite: openInBrowser(webSiteItemAddress()); return true;
        default: break;
    }
    // Flatten and every filter: one undo step, then the next pass renders.
    return runFilter(id);
}

}  // namespace sc
