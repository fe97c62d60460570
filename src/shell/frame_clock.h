// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main loop's pass clock: seconds since the pass began, on the
// platform's monotonic clock (a high-resolution counter on every desktop we
// run on, so no millisecond fallback is needed).
#include "platform/desktop.h"

namespace sc {

struct FrameClock {
    long double startSeconds = 0.0L;

    void start() { startSeconds = platform::clockSeconds(); }
    long double elapsedSeconds() const { return platform::clockSeconds() - startSeconds; }
};

}  // namespace sc
