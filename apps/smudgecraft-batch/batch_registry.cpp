// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

#include "batch_command.h"

namespace sc::batch {
namespace {

std::map<std::string, BatchCommand>& registry() {
    static std::map<std::string, BatchCommand> commands;
    return commands;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

BatchCommandRegistration::BatchCommandRegistration(const BatchCommand& command) { registry()[command.name] = command; }

const BatchCommand* findBatchCommand(const std::string& name) {
    auto it = registry().find(name);
    return it == registry().end() ? nullptr : &it->second;
}

std::int64_t parseInteger(const std::string& word) {
    std::size_t i = 0;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    if (i == word.size()) throw ScriptError("not an integer: '" + word + "'");
    for (std::size_t j = i; j < word.size(); ++j) {
        if (!isDigit(word[j])) throw ScriptError("not an integer: '" + word + "'");
    }
    errno = 0;
    const long long v = std::strtoll(word.c_str(), nullptr, 10);
    if (errno == ERANGE) throw ScriptError("integer out of range: '" + word + "'");
    return v;
}

std::int64_t parseIntegerInRange(const std::string& word, std::int64_t lo, std::int64_t hi) {
    const std::int64_t v = parseInteger(word);
    if (v < lo || v > hi) {
        throw ScriptError("value " + word + " out of range " + std::to_string(lo) + ".." + std::to_string(hi));
    }
    return v;
}

double parseFloat(const std::string& word) {
    // [sign] digits [. digits] [e [sign] digits], with at least one digit in
    // the mantissa. Rejects nan, inf and hexadecimal forms before strtod sees them.
    std::size_t i = 0;
    const std::size_t n = word.size();
    if (i < n && (word[i] == '+' || word[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && isDigit(word[i])) ++i, ++digits;
    if (i < n && word[i] == '.') {
        ++i;
        while (i < n && isDigit(word[i])) ++i, ++digits;
    }
    bool ok = digits > 0;
    if (ok && i < n && (word[i] == 'e' || word[i] == 'E')) {
        ++i;
        if (i < n && (word[i] == '+' || word[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < n && isDigit(word[i])) ++i, ++expDigits;
        ok = expDigits > 0;
    }
    if (!ok || i != n) throw ScriptError("not a number: '" + word + "'");
    const double v = std::strtod(word.c_str(), nullptr);
    if (!std::isfinite(v)) throw ScriptError("number out of range: '" + word + "'");
    return v;
}

std::pair<std::string, std::string> splitKeyValue(const std::string& word) {
    const auto eq = word.find('=');
    if (eq == std::string::npos || eq == 0) throw ScriptError("expected KEY=VALUE: '" + word + "'");
    return {word.substr(0, eq), word.substr(eq + 1)};
}

}  // namespace sc::batch
