// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pass periods of the main loop while the canvas pointer is down, kept when
// the environment variable SMUDGECRAFT_PASS_STATS names a file: the summary
// (count, min, median, max in milliseconds) is written there at exit.
#include <cstddef>
#include <vector>

namespace sc {

// The periods kept so far.
struct PassStats {
    bool checked = false;  // the variable was looked at
    bool enabled = false;
    long double lastStart = -1.0L;
    bool lastPainting = false;
    std::vector<double> periodsMs;
};

struct PassSummary {
    std::size_t count = 0;
    double minMs = 0.0;
    double medianMs = 0.0;
    double maxMs = 0.0;
};

// Called at the start of every pass with its start time.
void recordPass(PassStats& stats, long double startSeconds, bool painting);
PassSummary passSummary(const PassStats& stats);
// Writes the summary to the file named by SMUDGECRAFT_PASS_STATS, if any.
void writePassSummary(const PassStats& stats);

}  // namespace sc
