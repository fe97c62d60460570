// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's start and exit around the main loop.
#include <string>

namespace sc {

struct Program;

enum class StartResult {
    Running,         // the frame and the first document exist; run the loop
    SecondInstance,  // the path (if any) went to the running instance
    Failed,          // the frame could not be made (already reported)
};

// Everything before the main loop: single instance and hand-over, file
// association, the splash while assets load, the frame, the first 600 x 600
// document, "prefs.dat", the command-line painting, the panels, the first
// undo snapshot and the brush. commandText is the command line without the
// program name.
StartResult startUp(Program& p, const std::string& commandText);
// After the loop: the preset lists and "prefs.dat" written, the lock released.
void exitProgram(Program& p);
// Finds where the program's files live (run_paths.h), then startUp,
// runMainLoop, exitProgram. Returns the exit status (0). The program's main
// function owns `p`.
int programMain(Program& p, const std::string& commandText);

// The command-line text from the program's arguments (without its name).
std::string commandTextFrom(int argc, char** argv);

}  // namespace sc
