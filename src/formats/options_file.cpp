// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/options_file.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "formats/data_file.h"

namespace sc {
namespace {

// The file is small; anything longer is not ours and is not read.
constexpr std::uint64_t kMaxFileBytes = 64 * 1024;

const char* const kPressureTargetNames[] = {"none", "strength", "size", "strength+size"};

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// A whole decimal number in [low, high], or false.
bool parseUnsigned(const std::string& text, std::uint64_t low, std::uint64_t high, std::uint64_t& out) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
    errno = 0;
    const unsigned long long v = std::strtoull(text.c_str(), nullptr, 10);
    if (errno == ERANGE || v < low || v > high) return false;
    out = v;
    return true;
}

bool parseFloat(const std::string& text, float low, float high, float& out) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) return false;
    char* end = nullptr;
    const float v = std::strtof(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(v) || v < low || v > high) return false;
    out = v;
    return true;
}

bool parseBool(const std::string& text, bool& out) {
    if (text == "on") out = true;
    else if (text == "off") out = false;
    else return false;
    return true;
}

void takeLine(const std::string& key, const std::string& value, Options& o) {
    std::uint64_t n = 0;
    if (key == "pressure") {
        for (std::size_t i = 0; i < std::size(kPressureTargetNames); ++i) {
            if (value == kPressureTargetNames[i]) o.pressureTarget = static_cast<PressureTarget>(i);
        }
    } else if (key == "pressure-curve") {
        parseFloat(value, kMinPressureCurve, kMaxPressureCurve, o.pressureCurve);
    } else if (key == "smooth-strokes") {
        parseBool(value, o.smoothStrokes);
    } else if (key == "history-budget-mb") {
        if (parseUnsigned(value, kMinHistoryBudgetBytes >> 20, kMaxHistoryBudgetBytes >> 20, n)) {
            o.historyBudgetBytes = n << 20;
        }
    } else if (key == "autosave-seconds") {
        if (parseUnsigned(value, kMinAutosaveSeconds, kMaxAutosaveSeconds, n)) {
            o.autosaveSeconds = static_cast<std::uint32_t>(n);
        }
    }
}

}  // namespace

std::string optionsText(const Options& o) {
    char curve[32];
    std::snprintf(curve, sizeof curve, "%g", static_cast<double>(o.pressureCurve));
    std::ostringstream text;
    text << "# Smudgecraft options (the program rewrites this file when a setting changes)\n"
         << "# pressure: none, strength, size or strength+size\n"
         << "pressure = " << kPressureTargetNames[static_cast<int>(o.pressureTarget)] << "\n"
         << "# pressure-curve: the pressure counts as pressure to this power (0.2 to 5)\n"
         << "pressure-curve = " << curve << "\n"
         << "smooth-strokes = " << (o.smoothStrokes ? "on" : "off") << "\n"
         << "# history-budget-mb: memory the history of steps may use (16 to 65536)\n"
         << "history-budget-mb = " << (o.historyBudgetBytes >> 20) << "\n"
         << "# autosave-seconds: how often unsaved changes are kept aside (10 to 86400)\n"
         << "autosave-seconds = " << o.autosaveSeconds << "\n";
    return text.str();
}

void readOptionsText(const std::string& text, Options& options) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == '#') continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        takeLine(trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1)), options);
    }
}

bool readOptionsFile(const std::string& path, Options& options) {
    DataFile file;
    if (!file.open(path, DataFile::kRead)) return false;
    const std::uint64_t size = file.remaining();
    if (size > kMaxFileBytes) {
        file.close();
        return false;
    }
    std::vector<char> bytes(static_cast<std::size_t>(size));
    const bool whole = bytes.empty() || file.read(bytes.data(), bytes.size());
    file.close();
    if (!whole) return false;
    readOptionsText(std::string(bytes.begin(), bytes.end()), options);
    return true;
}

bool writeOptionsFile(const std::string& path, const Options& options) {
    DataFile file;
    if (!file.open(path, DataFile::kWrite)) return false;
    const std::string text = optionsText(options);
    if (!file.write(text.data(), text.size())) {
        file.discard();
        return false;
    }
    return file.close();
}

}  // namespace sc
