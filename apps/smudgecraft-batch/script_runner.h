// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs script lines one after another; reports the first bad or failed line.
#include <istream>
#include <string>
#include <vector>

namespace sc::batch {

struct Session;

enum class RunStatus { kOk = 0, kFailed = 1, kBadScript = 2 };

// Splits a line into words at blanks and tabs; a trailing carriage return is
// dropped. Empty lines and comments give no words.
std::vector<std::string> splitScriptLine(std::string line);

// Runs every line of the stream on the session; messages go to standard error.
RunStatus runScript(Session& session, std::istream& in);
RunStatus runLines(Session& session, const std::vector<std::string>& lines);

}  // namespace sc::batch
