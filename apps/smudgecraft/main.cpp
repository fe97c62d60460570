// The desktop program: connects to the desktop, then runs the shell. It runs
// from the directory that holds WorkData/, data/ and prefs.dat.
#include <cstdio>

#include "app/start_up.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    if (!sc::platform::initialise(argc, argv)) {
        std::fprintf(stderr, "smudgecraft: no desktop to show the program on\n");
        return 1;
    }
    const int status = sc::programMain(sc::commandTextFrom(argc, argv));
    sc::platform::shutdown();
    return status;
}
