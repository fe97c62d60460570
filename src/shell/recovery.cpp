// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/recovery.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/autosave.h"
#include "app/painting_io.h"
#include "app/shell_state.h"
#include "formats/autosave_files.h"
#include "engine/renderer.h"
#include "platform/dialogs.h"
#include "platform/drawing.h"
#include "platform/windows.h"
#include "shell/canvas_view.h"
#include "shell/frame_window.h"
#include "shell/main_loop.h"
#include "shell/program.h"

namespace sc {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

std::string questionText(const OrphanAutosave& orphan) {
    char when[64] = "an unknown time";
    const std::time_t t = static_cast<std::time_t>(orphan.modified);
    std::tm local{};
    if (orphan.modified > 0 && localtime_r(&t, &local)) std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
    const std::string painting =
        orphan.original.empty() ? std::string("A painting that was never saved")
                                : "The painting \"" + std::filesystem::path(orphan.original).filename().string() + "\"";
    return "Smudgecraft did not close properly.\n" + painting + " was autosaved at " + when +
           ".\n\nRecover it? No deletes the autosave.";
}

// Opens the autosave (every layer of it) as an unsaved painting. False when
// it could not be read (loadAutosavedPainting has said why).
bool recover(Program& p, OrphanAutosave& orphan) {
    ShellState& s = p.state;
    // A copy that cannot be read leaves the painting as it was, saved or not.
    const bool wasSaved = s.painting.saved;
    if (!loadAutosavedPainting(s.painting, s.tools, orphan.files.painting(), s.frameWindow)) {
        s.painting.saved = wasSaved;
        return false;
    }
    recreateCanvasWindow(p);
    s.painting.undoValid = false;
    s.painting.saved = false;
    // The path was stored absolute; the autosave below stays this painting's,
    // and the frame's title names its file.
    s.painting.fileName = orphan.original;
    p.autosave.documentPath = orphan.original;
    // Save starts at the file the painting belongs to.
    if (!orphan.original.empty()) s.lastChosenPath = orphan.original;
    // The copy on disk becomes this run's autosave, so the painting stays
    // protected until this run writes its own.
    Autosave& a = p.autosave;
    if (a.lock.held() && adoptAutosave(orphan.files, a.files)) {
        a.onDisk = true;
        removeAutosaveName(orphan.files);
    }
    return true;
}

// The painting and the panels drawn as the first pass of the main loop
// would draw them, before the question covers part of them.
void drawWindows(Program& p) {
    ShellState& s = p.state;
    if (s.painting.document.hasCells() && !s.painting.document.rendered) {
        renderAll(s.painting.document);
        platform::invalidateWindow(s.windows.canvas);
    }
    followFlags(p);
    const ShellWindows& w = s.windows;
    for (const platform::WindowId id :
         {w.canvas, w.toolsPanel, w.coloursPanel, w.propertiesPanel, w.palettePanel, w.stylesPanel}) {
        platform::updateWindow(id);
    }
}

}  // namespace

void offerRecovery(Program& p) {
    ShellState& s = p.state;
    Autosave& a = p.autosave;
    if (!a.started) return;
    std::vector<OrphanAutosave> orphans = findOrphanAutosaves(a.files.folder);
    if (!orphans.empty()) drawWindows(p);
    for (OrphanAutosave& orphan : orphans) {
        const Answer answer =
            platform::messageBox(s.frameWindow, kRecoverCaption, questionText(orphan), Buttons::YesNo, Icon::Question);
        if (answer == Answer::No) {
            removeAutosaveName(orphan.files);
        } else if (answer == Answer::Yes) {
            if (recover(p, orphan)) {
                // Drawn before anything else can ask a question over it (a
                // painting handed over meanwhile asks about this one).
                drawWindows(p);
                break;
            }
            const Answer remove =
                platform::messageBox(s.frameWindow, kRecoverCaption, "The autosave could not be read. Delete it?",
                                     Buttons::YesNo, Icon::Question);
            if (remove == Answer::Yes) removeAutosaveName(orphan.files);
        }
    }
}

}  // namespace sc
