#include "shell/start_up.h"

#include <filesystem>

#include "app/assets.h"
#include "app/file_association.h"
#include "app/hand_over.h"
#include "app/painting_io.h"
#include "app/pass_stats.h"
#include "app/presets.h"
#include "app/run_paths.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "formats/prefs_file.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/drawing.h"
#include "shell/canvas_keys.h"
#include "shell/canvas_view.h"
#include "shell/frame_window.h"
#include "shell/main_loop.h"
#include "shell/splash.h"
#include "tools/tool_state.h"
#include "ui/panels.h"
#include "ui/status_line.h"

namespace sc {
namespace {

using platform::WindowId;

void readPreferences() {
    ShellState& s = shell();
    ViewPreferences prefs{s.document.highQuality, s.document.lighting};
    const std::string path = userFile(kPrefsFileName);
    if (!readPrefsFile(path, prefs)) {
        prefs = {true, true};
        writePrefsFile(path, prefs);
    }
    s.document.highQuality = prefs.highQuality;
    s.document.lighting = prefs.lighting;
    checkMenuItem(kCmdHighQuality, prefs.highQuality);
    checkMenuItem(kCmdLighting, prefs.lighting);
    s.preview.lighting = s.document.lighting;
}

void loadSelectedBrush() {
    ShellState& s = shell();
    const int selected = s.brushPresets.selected;
    if (selected >= 0 && selected < kBrushPresetSlots) {
        toolState().live = settingsForLive(s.brushPresets.slots[static_cast<std::size_t>(selected)].settings);
    }
    toolState().live.size = 30;
    toolState().mask.built = false;
}

// The folder a per-user desktop entry starts the program in: the run folder
// of a build tree, else the current directory.
std::string workingDirectory() {
    std::string user = runPaths().user;
    if (!user.empty()) {
        if (user.size() > 1) user.pop_back();
        return user;
    }
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    return ec ? std::string(".") : here.string();
}

}  // namespace

StartResult startUp(const std::string& commandText) {
    ShellState& s = shell();
    const bool second = platform::acquireSingleInstance(kInstanceName) == platform::InstanceRole::Second;
    const std::optional<std::string> path = commandLinePath(commandText);
    if (second) {
        if (path) handOverToFirstInstance(*path);
        platform::releaseSingleInstance();
        return StartResult::SecondInstance;
    }

    // An installation brings its own association; a build tree writes one
    // for the user.
    if (!associationInstalled(runPaths().shared)) {
        registerFileType("Smudgecraft", platform::programPath(), ".pai", workingDirectory());
    }

    // The picture cache and the preset lists live in the user's "data/"; a
    // first start makes it and gives the user the starting preset lists. A
    // folder that cannot be made leaves the caches and lists unwritten, as a
    // full disk would.
    if (makeUserFolders()) provideStartingLists();

    installCanvasViewHooks();
    afterStyleAndTextureImages = &setUpPalettePanel;
    loadColourAsset(s.splash, "splash");
    showSplash(&s.splash, true, &loadStyleAndTextureImages);

    if (!createFrameWindow()) {
        platform::messageBox(platform::kNoWindow, "Error", "Window Creation Failed.", platform::Buttons::Ok,
                             platform::Icon::Error);
        return StartResult::Failed;
    }
    const WindowId frame = s.frameWindow;
    platform::setHandOverWindow(frame);
    platform::showWindow(frame, true);
    platform::updateWindow(frame);
    for (int id : {kCmdToolsPanel, kCmdColoursPanel, kCmdPropertiesPanel, kCmdPalettePanel}) {
        checkMenuItem(id, true);
    }

    s.leaveTracking = false;
    newImage(600, 600);
    readPreferences();
    // A painting of another size needs its own window, as after a drop.
    if (path && loadPainting(*path)) recreateCanvasWindow();
    s.document.invalidate();

    setUpPropertiesPanel();
    setUpColoursPanel();
    selectTool();
    s.paintPageApplies = true;
    s.texturePageApplies = true;
    repaintStylesPanel();
    createStylesPanel(&withProgramKeys<&stylesPanelProc>);

    takeUndoSnapshot(true);
    s.saved = true;
    updateStatusLine();
    loadSelectedBrush();
    return StartResult::Running;
}

void exitProgram() {
    ShellState& s = shell();
    // Each file replaces the old one only once it is completely written.
    saveBrushPresets(userFile(kPaletteFile));
    saveStrokePresets(userFile(kStrokesFile));
    writePrefsFile(userFile(kPrefsFileName), {s.document.highQuality, s.document.lighting});
    writePassSummary();
    platform::releaseSingleInstance();
}

int programMain(const std::string& commandText) {
    setRunPaths(locateRunPaths(platform::programPath()));
    const StartResult r = startUp(commandText);
    if (r != StartResult::Running) return 0;
    if (!shell().quitRequested) runMainLoop();
    exitProgram();
    return 0;
}

std::string commandTextFrom(int argc, char** argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) text += ' ';
        text += argv[i];
    }
    return text;
}

}  // namespace sc
