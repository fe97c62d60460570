// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key handler shared by every window of the program: Ctrl+Z undoes, the
// menu shortcuts make their commands (among them Ctrl+Alt+Z and Ctrl+Shift+Z,
// which step through the history), Ctrl++ and Ctrl+- step the zoom, and
// the Space bar holds the Hand Tool in place of the current tool.
#include "platform/windows.h"

namespace sc {

struct Panels;
struct Program;
struct ShellState;

void canvasKeyEvent(Program& p, platform::Key key, bool pressed);

// A panel's window procedure as the program installs it: a key goes to the
// key handler, then every message to the panel's own procedure.
using PanelProc = void (*)(ShellState& s, Panels& panels, const platform::Message& m);
platform::WindowProc panelWindowProc(Program& p, PanelProc proc);

}  // namespace sc
