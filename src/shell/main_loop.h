// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame-paced main loop: each pass removes at most one message, renders
// the document when it is out of date, applies the current tool while the
// canvas pointer is down, follows the panels' sliders, delivers the message,
// handles the colour and preview flags, and lasts at least 3 ms.

namespace sc {

struct Program;

inline constexpr long double kPassSeconds = 0.003L;

// One pass of the loop.
void mainLoopPass(Program& p);
// Passes until quitRequested is set.
void runMainLoop(Program& p);
// The end of a pass's follow-up of the panels' flags: the colour, styles and
// tools panels synchronised when the colour changed, the brush preview
// redrawn when it is out of date, the history's menu items and the frame's
// title brought into line.
void followFlags(Program& p);

}  // namespace sc
