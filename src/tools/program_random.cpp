#include "tools/program_random.h"

namespace sc {
namespace {
std::uint32_t g_state = 1;
}

int programRand() {
    g_state = g_state * 1103515245u + 12345u;
    return static_cast<int>((g_state >> 16) & 0x7FFFu);
}

void resetProgramRand(std::uint32_t state) { g_state = state; }
std::uint32_t programRandState() { return g_state; }

}  // namespace sc
