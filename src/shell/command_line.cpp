// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace sc {
namespace {

// The options every program on this desktop toolkit accepts, with one word
// after them, and the ones that stand alone.
constexpr std::array<std::string_view, 14> kDesktopOptionsWithValue = {
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin",       "-display", "-style",       "-stylesheet",
    "-geometry", "-qwindowgeometry",    "-title",         "-qwindowtitle", "-icon",    "-qwindowicon", "-session"};
constexpr std::array<std::string_view, 5> kDesktopFlags = {"-reverse", "-nograb", "-dograb", "-sync", "-widgetcount"};

template <std::size_t N>
bool among(const std::array<std::string_view, N>& list, const std::string& word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

}  // namespace

const char kHelpText[] = "usage: smudgecraft [--help | --version] [PAINTING]\n"
                         "Paints with thick, wet paint on a lit canvas. Opens PAINTING (a .pai file) when given;\n"
                         "when Smudgecraft is already running, the painting opens there instead.\n"
                         "\n"
                         "  --help      this text\n"
                         "  --version   the program's version and licence\n"
                         "\n"
                         "The brush and stroke lists and the view settings are kept in $XDG_DATA_HOME/smudgecraft\n"
                         "(normally ~/.local/share/smudgecraft), with the autosaved copy of an unsaved painting;\n"
                         "SMUDGECRAFT_AUTOSAVE_SECONDS sets its interval. The picture cache is kept in\n"
                         "$XDG_CACHE_HOME/smudgecraft (normally ~/.cache/smudgecraft). See smudgecraft(1).\n"
                         "\n"
                         "Smudgecraft is free software under the GNU General Public License, version 3 or later.\n";

CommandLine readCommandLine(const std::vector<std::string>& args) {
    CommandLine result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--") break;
        if (word.size() < 2 || word[0] != '-') continue;
        if (word == "--help" || word == "-h") return {CommandLineAction::Help, {}};
        if (word == "--version") return {CommandLineAction::Version, {}};
        if (among(kDesktopOptionsWithValue, word) && i + 1 < args.size()) {
            ++i;
            continue;
        }
        if (among(kDesktopFlags, word)) continue;
        if (result.action == CommandLineAction::Run) result = {CommandLineAction::BadUsage, word};
    }
    return result;
}

}  // namespace sc
