// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one random generator: the C standard's example generator,
// never seeded, so every run draws the same sequence from state 1. It is a
// value in the tools' record; whoever draws from it is handed that record.
#include <cstdint>

namespace sc {

struct ProgramRandom {
    std::uint32_t state = 1;

    // Next value in 0..32767.
    int next() {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) & 0x7FFFu);
    }
};

}  // namespace sc
