// The desktop program: connects to the desktop, then runs the shell. It may
// be started from any directory: it finds its pictures beside its
// installation (or in its build tree) and keeps the user's files in the
// user's data folder.
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/desktop.h"
#include "shell/program.h"
#include "shell/start_up.h"

#ifndef SMUDGECRAFT_VERSION
#error "the build gives the program's version"
#endif

namespace {

const char kUsage[] =
    "usage: smudgecraft [PAINTING]\n"
    "Paints with thick, wet paint on a lit canvas. Opens PAINTING (a .pai file) when given;\n"
    "when Smudgecraft is already running, the painting opens there instead.\n"
    "\n"
    "  --help      this text\n"
    "  --version   the program's version\n"
    "\n"
    "The brush and stroke lists, the picture cache and the view settings are kept in\n"
    "$XDG_DATA_HOME/smudgecraft (normally ~/.local/share/smudgecraft), with the autosaved\n"
    "copy of an unsaved painting; SMUDGECRAFT_AUTOSAVE_SECONDS sets its interval. See smudgecraft(1).\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before connecting to the desktop, so they work without one.
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("smudgecraft " SMUDGECRAFT_VERSION);
        return 0;
    }
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
