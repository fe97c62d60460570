#pragma once
// What a batch run works on: the program's state, starting as the program
// starts (without a display).
#include <cstdint>

#include "app/shell_state.h"

namespace sc::batch {

struct Session {
    ShellState state;
    // What the last successful `open` read: the file's version (for `info`).
    std::uint32_t lastOpenedVersion = 0;
};

// The program's start-up state: a blank 600 x 600 painting in high quality
// with lighting, its first undo snapshot taken, the tools as at start.
void startSession(Session& session);

}  // namespace sc::batch
