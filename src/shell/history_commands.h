// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edit, Step Backward and Step Forward (also Ctrl+Alt+Z and Ctrl+Shift+Z):
// one step through the history with the canvas window following, and the
// two items greyed while there is no step that way.

namespace sc {

struct Program;
struct ShellState;

void historyStepCommand(Program& p, bool backward);
// Greys or enables the two items as the history stands; cheap when nothing
// changed, so the main loop calls it every pass.
void syncHistoryMenu(ShellState& s);

}  // namespace sc
