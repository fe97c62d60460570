// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/start_up.h"

#include <filesystem>
#include <string_view>

#include "app/assets.h"
#include "app/autosave.h"
#include "app/file_association.h"
#include "app/hand_over.h"
#include "app/painting_io.h"
#include "app/pass_stats.h"
#include "app/presets.h"
#include "app/run_paths.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "app/user_options.h"
#include "formats/data_file.h"
#include "formats/prefs_file.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/drawing.h"
#include "shell/autosave_step.h"
#include "shell/canvas_keys.h"
#include "shell/canvas_view.h"
#include "shell/frame_window.h"
#include "shell/main_loop.h"
#include "shell/program.h"
#include "shell/recovery.h"
#include "shell/splash.h"
#include "tools/tool_state.h"
#include "ui/panels.h"
#include "ui/status_line.h"

namespace sc {
namespace {

using platform::WindowId;

void readPreferences(ShellState& s) {
    ViewPreferences prefs{s.painting.document.highQuality, s.painting.document.lighting};
    const std::string path = s.paths.userFile(kPrefsFileName);
    if (!readPrefsFile(path, prefs)) {
        prefs = {true, true};
        writePrefsFile(path, prefs);
    }
    s.painting.document.highQuality = prefs.highQuality;
    s.painting.document.lighting = prefs.lighting;
    checkMenuItem(s, kCmdHighQuality, prefs.highQuality);
    checkMenuItem(s, kCmdLighting, prefs.lighting);
    s.preview.lighting = s.painting.document.lighting;
}

void loadSelectedBrush(ShellState& s) {
    const int selected = s.brushPresets.selected;
    if (selected >= 0 && selected < kBrushPresetSlots) {
        s.tools.live = settingsForLive(s.brushPresets.slots[static_cast<std::size_t>(selected)].settings);
    }
    s.tools.live.size = 30;
    s.tools.mask.built = false;
}

// The folder a per-user desktop entry starts the program in: the run folder
// of a build tree, else the current directory.
std::string workingDirectory(const RunPaths& paths) {
    std::string user = paths.user;
    if (!user.empty()) {
        if (user.size() > 1) user.pop_back();
        return user;
    }
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    return ec ? std::string(".") : here.string();
}

}  // namespace

StartResult startUp(Program& p, const std::string& commandText) {
    ShellState& s = p.state;
    // Under a file-size limit a Save or an autosave that outgrows it fails
    // and says so, instead of ending the program with the painting unsaved.
    failWritesPastSizeLimit();
    const bool second = platform::acquireSingleInstance(kInstanceName) == platform::InstanceRole::Second;
    const std::optional<std::string> path = commandLinePath(commandText);
    if (second) {
        if (path) handOverToFirstInstance(*path);
        platform::releaseSingleInstance();
        return StartResult::SecondInstance;
    }

    // An installation brings its own association; a build tree writes one
    // for the user.
    if (!associationInstalled(s.paths.shared)) {
        registerFileType("Smudgecraft", platform::programPath(), ".pai", workingDirectory(s.paths));
    }

    // The picture cache and the preset lists live in the user's "data/"; a
    // first start makes it and gives the user the starting preset lists. A
    // folder that cannot be made leaves the caches and lists unwritten, as a
    // full disk would.
    if (makeUserFolders(s.paths)) provideStartingLists(s.paths);

    loadColourAsset(s, s.splash, "splash");
    // While the splash is up: the style and texture images, then the palette
    // panel's set-up, which reads the preset lists.
    showSplash(p.splashWindow, &s.splash, true, [&p] {
        loadStyleAndTextureImages(p.state);
        setUpPalettePanel(p.state, p.panels);
    });

    if (!createFrameWindow(p)) {
        platform::messageBox(platform::kNoWindow, "Error", "Window Creation Failed.", platform::Buttons::Ok,
                             platform::Icon::Error);
        return StartResult::Failed;
    }
    const WindowId frame = s.frameWindow;
    platform::setHandOverWindow(frame);
    platform::showWindow(frame, true);
    platform::updateWindow(frame);
    for (int id : {kCmdToolsPanel, kCmdColoursPanel, kCmdPropertiesPanel, kCmdPalettePanel, kCmdLayersPanel}) {
        checkMenuItem(s, id, true);
    }

    s.leaveTracking = false;
    newImage(p, 600, 600);
    readPreferences(s);
    loadOptions(s);
    checkMenuItem(s, kCmdSmoothStrokes, s.options.smoothStrokes);
    // A painting of another size needs its own window, as after a drop.
    if (path && loadPainting(s.painting, s.tools, *path, nullptr, s.frameWindow)) {
        recreateCanvasWindow(p);
        noteDocumentFile(p, *path);
    }
    s.painting.document.invalidate();

    setUpPropertiesPanel(s, p.panels);
    setUpColoursPanel(s, p.panels);
    selectTool(s, p.panels);
    s.paintPageApplies = true;
    s.texturePageApplies = true;
    repaintStylesPanel(s);
    createStylesPanel(s, p.panels, panelWindowProc(p, &stylesPanelProc));

    takeUndoSnapshot(s.painting, s.tools, true);
    // The history starts at the painting the program opens with.
    s.painting.history.clear();
    s.writeHook.install(s.painting, s.tools);
    s.painting.saved = true;
    updateStatusLine(s);
    loadSelectedBrush(s);

    // Autosaves: this run's, and those of runs that did not end cleanly.
    beginAutosaves(p.autosave, s.paths, autosaveInterval(s.options), platform::clockSeconds());
    platform::setBeforeModalHook([&p] { autosaveBeforeModal(p); });
    offerRecovery(p);
    return StartResult::Running;
}

void exitProgram(Program& p) {
    const ShellState& s = p.state;
    platform::setBeforeModalHook(nullptr);
    endAutosaves(p.autosave);
    // Each file replaces the old one only once it is completely written.
    saveBrushPresets(s, s.paths.userFile(kPaletteFile));
    saveStrokePresets(s, s.paths.userFile(kStrokesFile));
    writePrefsFile(s.paths.userFile(kPrefsFileName), {s.painting.document.highQuality, s.painting.document.lighting});
    writePassSummary(p.passStats);
    platform::releaseSingleInstance();
}

int programMain(Program& p, const std::string& commandText) {
    p.state.paths = locateRunPaths(platform::programPath());
    const StartResult r = startUp(p, commandText);
    if (r != StartResult::Running) return 0;
    if (!p.state.quitRequested) runMainLoop(p);
    exitProgram(p);
    return 0;
}

std::string commandTextFrom(int argc, char** argv) {
    std::string text;
    bool optionsEnded = false;
    bool first = true;
    for (int i = 1; i < argc; ++i) {
        // A "--" that ends the options is no part of the painting's name.
        if (!optionsEnded && std::string_view(argv[i]) == "--") {
            optionsEnded = true;
            continue;
        }
        if (!first) text += ' ';
        first = false;
        text += argv[i];
    }
    return text;
}

}  // namespace sc
