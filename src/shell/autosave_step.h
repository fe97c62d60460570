// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's share of autosave (app/autosave.h): the main loop's step
// and the file the painting belongs to as the commands change it.
#include <string>

namespace sc {

struct Program;

// Once a pass, before the whole-canvas render: one band of a copy under way,
// the writer's result, the files of a saved painting removed. A failed
// autosave is told on the status line, never in a box; the notice goes once
// an autosave is written again, and a later failure tells it again.
void autosaveStep(Program& p);
// Before a modal dialog (platform::setBeforeModalHook): an unsaved painting
// is autosaved at once, since the main loop stands still until it closes.
void autosaveBeforeModal(Program& p);
// When the main loop's wait must end for the next autosave; 0 for none.
long double autosaveWakeTime(const Program& p);
// The painting now belongs to `path` (a hand-over or drop, the command
// line), or to no file (New, Import: empty). Save and Open note their file
// themselves (ShellState::paintingFile).
void noteDocumentFile(Program& p, const std::string& path);

}  // namespace sc
