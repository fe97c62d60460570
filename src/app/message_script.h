// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A script of messages that drives the real program without a person, for
// checking an installed program (started offscreen, where no pointer or
// keyboard reaches it). When the environment variable
// SMUDGECRAFT_MESSAGE_SCRIPT names a file, each main-loop pass first posts
// the next line's message, as the desktop would have posted it; without the
// variable nothing changes. The file is read once, at the first pass.
//
// One line a step; blank lines and lines starting with '#' are skipped:
//   wait N          N passes without a message (N from 1 to 100000)
//   move X Y        the pointer moves to canvas window pixel (X, Y)
//   press X Y       the left button goes down there
//   release X Y     the left button comes up there
//   command ID      a menu command to the frame window (1009 is Exit)
//   save FILE       File, Save with FILE as the chosen path (no blanks)
//   picture FILE    a PNG picture of the program's windows on the screen,
//                   with their places in FILE.txt (the user guide's picture)
// A line that cannot be read is reported on standard error, with its number,
// and ends the script.
#include <cstddef>
#include <string>
#include <vector>

namespace sc {

struct ShellState;

inline constexpr const char* kMessageScriptVariable = "SMUDGECRAFT_MESSAGE_SCRIPT";

// The script as the main loop works through it.
struct MessageScript {
    bool read = false;  // the variable was looked at
    std::vector<std::string> lines;
    std::size_t next = 0;
    long waiting = 0;  // passes left of a `wait`
};

// Called at the start of every main-loop pass.
void postScriptedMessage(MessageScript& script, ShellState& s);
// Whether steps are left: the loop must not wait for the desktop meanwhile.
bool messageScriptRunning(const MessageScript& script);

}  // namespace sc
