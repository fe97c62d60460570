// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A full file system on demand: runs a write with files limited to a given
// size. The process ignores the limit's signal meanwhile, so a write past the
// limit sees an error (as on a full disk) instead of ending the process.
#include <sys/resource.h>

#include <csignal>

namespace sc::testing {

template <typename Write>
auto writeUnderSizeLimit(rlim_t limit, Write&& write) -> decltype(write()) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &tight);
    struct Restore {
        rlimit limits;
        void (*handler)(int);
        ~Restore() {
            setrlimit(RLIMIT_FSIZE, &limits);
            std::signal(SIGXFSZ, handler);
        }
    } restore{old, oldHandler};
    return write();
}

}  // namespace sc::testing
