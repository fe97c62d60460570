#pragma once
// The program's one random generator: the C standard's example generator,
// never seeded, so every run draws the same sequence from state 1.
#include <cstdint>

namespace sc {

// Next value in 0..32767.
int programRand();
// Back to the start-up state (1). Used where a run must start afresh.
void resetProgramRand(std::uint32_t state = 1);
std::uint32_t programRandState();

}  // namespace sc
