// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program: connects to the desktop, then runs the shell. It may
// be started from any directory: it finds its pictures beside its
// installation (or in its build tree) and keeps the user's files in the
// user's data folder.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/version_text.h"
#include "platform/desktop.h"
#include "shell/command_line.h"
#include "shell/program.h"
#include "shell/start_up.h"

int main(int argc, char** argv) {
    // Read before connecting to the desktop, so that --help, --version and
    // bad usage work without one.
    const sc::CommandLine line = sc::readCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
        case sc::CommandLineAction::Help: std::fputs(sc::kHelpText, stdout); return 0;
        case sc::CommandLineAction::Version: std::fputs(sc::versionText("smudgecraft").c_str(), stdout); return 0;
        case sc::CommandLineAction::BadUsage:
            std::fprintf(stderr, "smudgecraft: unknown option '%s'\n%s\n", line.badOption.c_str(), sc::kUsageLine);
            return 2;
        case sc::CommandLineAction::Run: break;
    }
    // Without a display the desktop's start says so and ends the program
    // with status 1.
    if (!sc::platform::initialise(argc, argv)) {
        std::fprintf(stderr, "smudgecraft: no desktop to show the program on\n");
        return 1;
    }
    // The program's state for the whole run, handed down from here.
    const auto program = std::make_unique<sc::Program>();
    const int status = sc::programMain(*program, sc::commandTextFrom(argc, argv));
    sc::platform::shutdown();
    return status;
}
