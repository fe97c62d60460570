// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ends the test program with a message when a step meant to return at once
// blocks instead (an open of a pipe or device, say), so a regression fails
// the run rather than hanging it.
#include <unistd.h>

#include <csignal>

namespace sc::testing {

class HangGuard {
public:
    explicit HangGuard(unsigned seconds) {
        old_ = std::signal(SIGALRM, &onAlarm);
        alarm(seconds);
    }
    ~HangGuard() {
        alarm(0);
        std::signal(SIGALRM, old_);
    }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;

private:
    static void onAlarm(int) {
        static const char text[] = "\nA step that must not block was still blocked: failing the run.\n";
        const ssize_t ignored = write(2, text, sizeof text - 1);
        (void)ignored;
        _exit(3);
    }
    void (*old_)(int) = SIG_DFL;
};

}  // namespace sc::testing
