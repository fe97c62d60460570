// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The script commands of smudgecraft-batch. Each commands_*.cpp file registers
// its commands with a static `BatchCommandRegistration`.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace sc::batch {

struct Session;

// A line that cannot be run as written: reported with its line number, exit 2.
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// An operation that failed: its message is the program's own text, exit 1.
struct OperationFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The words of one script line after the command name.
using Words = std::vector<std::string>;

struct BatchCommand {
    const char* name;
    int minWords;  // words after the command name
    int maxWords;  // -1: any number
    void (*run)(Session& session, const Words& words);
    // Optional: validates the words without running anything (throws
    // ScriptError). Lets a convenience command refuse bad usage up front.
    void (*check)(const Words& words) = nullptr;
};

struct BatchCommandRegistration {
    explicit BatchCommandRegistration(const BatchCommand& command);
};

const BatchCommand* findBatchCommand(const std::string& name);

// Strict value parsing; each throws ScriptError naming the offending word.
std::int64_t parseInteger(const std::string& word);
std::int64_t parseIntegerInRange(const std::string& word, std::int64_t lo, std::int64_t hi);
// Decimal with optional sign, fraction and exponent; finite; no nan, inf or hex.
double parseFloat(const std::string& word);
// Splits KEY=VALUE; throws ScriptError when there is no '=' or an empty key.
std::pair<std::string, std::string> splitKeyValue(const std::string& word);

}  // namespace sc::batch
