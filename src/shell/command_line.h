// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop program's command line, read before it connects to the desktop:
// --help and --version are answered at once, an option the program does not
// know is bad usage, and what remains is the painting to open. The desktop's
// own options (-platform NAME, -display NAME, -style NAME, -reverse and the
// like) are left for the desktop to take.
#include <string>
#include <vector>

namespace sc {

enum class CommandLineAction { Run, Help, Version, BadUsage };

struct CommandLine {
    CommandLineAction action = CommandLineAction::Run;
    std::string badOption;  // with BadUsage: the word that was not understood
};

// `args` are the words after the program's name. "--" ends the options: the
// words after it are the painting even when they start with '-'.
CommandLine readCommandLine(const std::vector<std::string>& args);

inline constexpr const char* kUsageLine = "usage: smudgecraft [--help | --version] [PAINTING]";

// What --help prints (--version prints versionText("smudgecraft")).
extern const char kHelpText[];

}  // namespace sc
