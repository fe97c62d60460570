// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pass_stats.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "formats/data_file.h"

namespace sc {
namespace {

constexpr std::size_t kMaxSamples = 1u << 20;

bool enabled(PassStats& s) {
    if (!s.checked) {
        s.checked = true;
        s.enabled = std::getenv("SMUDGECRAFT_PASS_STATS") != nullptr;
    }
    return s.enabled;
}

}  // namespace

void recordPass(PassStats& s, long double startSeconds, bool painting) {
    if (!enabled(s)) return;
    // A period counts when the pointer was down at both of its ends.
    if (painting && s.lastPainting && s.lastStart >= 0.0L && s.periodsMs.size() < kMaxSamples) {
        s.periodsMs.push_back(static_cast<double>((startSeconds - s.lastStart) * 1000.0L));
    }
    s.lastStart = startSeconds;
    s.lastPainting = painting;
}

PassSummary passSummary(const PassStats& stats) {
    std::vector<double> v = stats.periodsMs;
    PassSummary out;
    out.count = v.size();
    if (v.empty()) return out;
    std::sort(v.begin(), v.end());
    out.minMs = v.front();
    out.maxMs = v.back();
    out.medianMs = v[v.size() / 2];
    return out;
}

void writePassSummary(const PassStats& stats) {
    const char* path = std::getenv("SMUDGECRAFT_PASS_STATS");
    if (!path || !*path) return;
    const PassSummary p = passSummary(stats);
    char line[160];
    std::snprintf(line, sizeof line, "painting passes %zu, period ms min %.3f median %.3f max %.3f\n", p.count, p.minMs,
                  p.medianMs, p.maxMs);
    DataFile f;
    if (f.open(path, DataFile::kWrite) && f.writeText(line)) f.close();
}

}  // namespace sc
