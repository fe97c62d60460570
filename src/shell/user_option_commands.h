// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The menu commands that change the user's options file: View, Smooth
// Strokes, and Window, Pen. Each change is written at once.
namespace sc {

struct ShellState;

// Turns Smooth Strokes on or off; the check mark follows.
void toggleSmoothStrokes(ShellState& s);
// Shows the Pen dialog; a confirmed choice takes effect at once.
void penCommand(ShellState& s);

}  // namespace sc
