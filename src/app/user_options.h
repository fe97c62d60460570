// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's options file ("options.txt" in the user's data folder): read
// once at start-up into ShellState::options (the pen's response goes to the
// tools, the history budget to the history), written whenever the user
// changes one of its settings.
namespace sc {

struct ShellState;

// Reads the file over the defaults (a missing or unreadable file keeps
// them) and hands the pen's response to the tools.
void loadOptions(ShellState& s);
// Writes every option. When the file cannot be written the user is told and
// the old file stays as it was; false then.
bool saveOptions(const ShellState& s);

}  // namespace sc
