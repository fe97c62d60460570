// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/autosave_step.h"

#include "app/autosave.h"
#include "app/painting_io.h"
#include "platform/desktop.h"
#include "shell/program.h"
#include "ui/status_line.h"

namespace sc {

namespace {

void tell(Program& p, AutosaveEvent event) {
    ShellState& s = p.state;
    if (event == AutosaveEvent::Failed) {
        if (s.statusHint != kAutosaveFailedText) p.hintUnderNotice = s.statusHint;
        s.statusHint = kAutosaveFailedText;
        updateStatusLine(s);
    } else if (event == AutosaveEvent::Recovered && s.statusHint == kAutosaveFailedText) {
        s.statusHint = p.hintUnderNotice;
        updateStatusLine(s);
    }
}

}  // namespace

void autosaveStep(Program& p) { tell(p, autosavePass(p.autosave, p.state, platform::clockSeconds())); }

void autosaveBeforeModal(Program& p) { tell(p, autosaveNow(p.autosave, p.state, platform::clockSeconds())); }

long double autosaveWakeTime(const Program& p) { return autosaveWakeTime(p.autosave, p.state); }

void noteDocumentFile(Program& p, const std::string& path) { p.state.painting.fileName = paintingFilePath(path); }

}  // namespace sc
