// SPDX-License-Identifier: GPL-3.0-or-later
#include "script_runner.h"

#include <cstdio>

#include "batch_command.h"

namespace sc::batch {

std::vector<std::string> splitScriptLine(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> words;
    std::string word;
    for (char c : line) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    if (!words.empty() && words.front()[0] == '#') words.clear();
    return words;
}

namespace {

void runOneLine(Session& session, const std::vector<std::string>& words) {
    const BatchCommand* command = findBatchCommand(words.front());
    if (!command) throw ScriptError("unknown command '" + words.front() + "'");
    const Words args(words.begin() + 1, words.end());
    const int count = static_cast<int>(args.size());
    if (count < command->minWords || (command->maxWords >= 0 && count > command->maxWords)) {
        throw ScriptError("wrong number of words for '" + words.front() + "'");
    }
    command->run(session, args);
}

// Runs one line; returns the status to stop with, or kOk to go on.
RunStatus runNumberedLine(Session& session, const std::string& line, long number) {
    const std::vector<std::string> words = splitScriptLine(line);
    if (words.empty()) return RunStatus::kOk;
    try {
        runOneLine(session, words);
    } catch (const ScriptError& e) {
        std::fprintf(stderr, "smudgecraft-batch: line %ld: %s\n", number, e.what());
        return RunStatus::kBadScript;
    } catch (const OperationFailed& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return RunStatus::kFailed;
    }
    return RunStatus::kOk;
}

}  // namespace

RunStatus runScript(Session& session, std::istream& in) {
    std::string line;
    long number = 0;
    while (std::getline(in, line)) {
        const RunStatus status = runNumberedLine(session, line, ++number);
        if (status != RunStatus::kOk) return status;
    }
    return RunStatus::kOk;
}

RunStatus runLines(Session& session, const std::vector<std::string>& lines) {
    long number = 0;
    for (const std::string& line : lines) {
        const RunStatus status = runNumberedLine(session, line, ++number);
        if (status != RunStatus::kOk) return status;
    }
    return RunStatus::kOk;
}

}  // namespace sc::batch
