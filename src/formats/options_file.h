// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "options.txt": the settings of the additions beyond the program's fixed
// files (pen pressure, Smooth Strokes, the history's memory budget, the
// autosave interval). It lives in the user's data folder beside "prefs.dat",
// whose two-byte layout stays as it is.
//
// A text file of "key = value" lines, so that a person can read and mend it.
// Blank lines and lines starting with '#' are skipped; an unknown key, or a
// value out of its range, is ignored and its default kept, so a file written
// by a later version, or edited by hand, never stops the program.
#include <cstdint>
#include <string>

#include "tools/pen_pressure.h"

namespace sc {

inline constexpr const char* kOptionsFileName = "options.txt";

struct Options {
    PressureTarget pressureTarget = PressureTarget::Strength;
    // The response curve: the pressure p (0..1) counts as p raised to this
    // power; 1 is linear, above 1 a light touch counts for less.
    float pressureCurve = 1.0f;
    bool smoothStrokes = false;
    std::uint64_t historyBudgetBytes = std::uint64_t{256} << 20;
    std::uint32_t autosaveSeconds = 300;
};

// The ranges a value must lie in to be taken.
inline constexpr float kMinPressureCurve = 0.2f;
inline constexpr float kMaxPressureCurve = 5.0f;
inline constexpr std::uint64_t kMinHistoryBudgetBytes = std::uint64_t{16} << 20;
inline constexpr std::uint64_t kMaxHistoryBudgetBytes = std::uint64_t{64} << 30;
inline constexpr std::uint32_t kMinAutosaveSeconds = 10;
inline constexpr std::uint32_t kMaxAutosaveSeconds = 24 * 60 * 60;

// Reads the file over `options` (fields the file does not set keep their
// value). False, with nothing changed, when the file cannot be opened.
bool readOptionsFile(const std::string& path, Options& options);
// Writes every option; false when the file could not be written, and an old
// file then stays as it was.
[[nodiscard]] bool writeOptionsFile(const std::string& path, const Options& options);

// The text of the file, and the reading of such a text (for the two above).
std::string optionsText(const Options& options);
void readOptionsText(const std::string& text, Options& options);

}  // namespace sc
