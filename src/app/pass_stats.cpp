#include "app/pass_stats.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "formats/data_file.h"

namespace sc {
namespace {

constexpr std::size_t kMaxSamples = 1u << 20;

struct Stats {
    bool checked = false;
    bool enabled = false;
    long double lastStart = -1.0L;
    bool lastPainting = false;
    std::vector<double> periodsMs;
};

Stats& stats() {
    static Stats s;
    return s;
}

bool enabled() {
    Stats& s = stats();
    if (!s.checked) {
        s.checked = true;
        s.enabled = std::getenv("SMUDGECRAFT_PASS_STATS") != nullptr;
    }
    return s.enabled;
}

}  // namespace

void recordPass(long double startSeconds, bool painting) {
    if (!enabled()) return;
    Stats& s = stats();
    // A period counts when the pointer was down at both of its ends.
    if (painting && s.lastPainting && s.lastStart >= 0.0L && s.periodsMs.size() < kMaxSamples) {
        s.periodsMs.push_back(static_cast<double>((startSeconds - s.lastStart) * 1000.0L));
    }
    s.lastStart = startSeconds;
    s.lastPainting = painting;
}

PassSummary passSummary() {
    std::vector<double> v = stats().periodsMs;
    PassSummary out;
    out.count = v.size();
    if (v.empty()) return out;
    std::sort(v.begin(), v.end());
    out.minMs = v.front();
    out.maxMs = v.back();
    out.medianMs = v[v.size() / 2];
    return out;
}

void writePassSummary() {
    const char* path = std::getenv("SMUDGECRAFT_PASS_STATS");
    if (!path || !*path) return;
    const PassSummary p = passSummary();
    char line[160];
    std::snprintf(line, sizeof line, "painting passes %zu, period ms min %.3f median %.3f max %.3f\n", p.count,
                  p.minMs, p.medianMs, p.maxMs);
    DataFile f;
    if (f.open(path, DataFile::kWrite) && f.writeText(line)) f.close();
}

void resetPassStats() {
    Stats& s = stats();
    s.lastStart = -1.0L;
    s.lastPainting = false;
    s.periodsMs.clear();
}

}  // namespace sc
