#pragma once
// Pass periods of the main loop while the canvas pointer is down, kept when
// the environment variable SMUDGECRAFT_PASS_STATS names a file: the summary
// (count, min, median, max in milliseconds) is written there at exit.
#include <string>

namespace sc {

struct PassSummary {
    std::size_t count = 0;
    double minMs = 0.0;
    double medianMs = 0.0;
    double maxMs = 0.0;
};

// Called at the start of every pass with its start time.
void recordPass(long double startSeconds, bool painting);
PassSummary passSummary();
// Writes the summary to the file named by SMUDGECRAFT_PASS_STATS, if any.
void writePassSummary();
void resetPassStats();

}  // namespace sc
