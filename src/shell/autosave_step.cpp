#include "shell/autosave_step.h"

#include <filesystem>

#include "app/autosave.h"
#include "platform/desktop.h"
#include "platform/windows.h"
#include "shell/frame_window.h"
#include "shell/program.h"
#include "ui/status_line.h"

namespace sc {

void autosaveStep(Program& p) {
    ShellState& s = p.state;
    if (autosavePass(p.autosave, s, platform::clockSeconds()) == AutosaveEvent::FirstFailure) {
        s.statusHint = kAutosaveFailedText;
        updateStatusLine(s);
    }
    // A saved painting is no longer the recovered one.
    if (s.painting.saved && p.recoveredTitle) restoreFrameTitle(p);
}

long double autosaveWakeTime(const Program& p) { return autosaveWakeTime(p.autosave, p.state); }

void noteDocumentFile(Program& p, const std::string& path) {
    std::error_code ec;
    // Kept absolute: a later start may begin in another directory.
    const std::filesystem::path absolute = path.empty() ? std::filesystem::path() : std::filesystem::absolute(path, ec);
    noteDocumentPath(p.autosave, ec ? path : absolute.string());
    if (p.recoveredTitle) restoreFrameTitle(p);
}

void restoreFrameTitle(Program& p) {
    platform::setCaption(p.state.frameWindow, kFrameTitle);
    p.recoveredTitle = false;
}

}  // namespace sc
