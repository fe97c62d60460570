#include <cstdio>
#include <cstdlib>

#include "app/shell_state.h"
#include "fuzz_targets.h"
#include "platform/platform_headless.h"

namespace sc::fuzz {

void invariantBroken(const char* what) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

void prepareShell() {
    static bool prepared = false;
    if (prepared) return;
    prepared = true;
    platform::headless::reset();
    platform::headless::setEchoMessages(false);
    if (!shell().document.allocate(4, 4)) invariantBroken("a 4 x 4 document");
}

}  // namespace sc::fuzz
