// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstdlib>

#include "fuzz_targets.h"
#include "platform/platform_headless.h"
#include "shell/program.h"

namespace sc::fuzz {

void invariantBroken(const char* what) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

Program& prepareShell() {
    // One program for every input of the run, as one running instance meets them.
    static Program* program = nullptr;
    if (program) return *program;
    program = new Program;
    platform::headless::reset();
    platform::headless::setEchoMessages(false);
    if (!program->state.painting.document.allocate(4, 4)) invariantBroken("a 4 x 4 document");
    return *program;
}

}  // namespace sc::fuzz
