// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A second start of the program hands its painting over to the running one:
// the absolute path goes into "sc_sendfile_to_app.txt" in the user's private
// runtime directory, and a notice tells the first instance to read it. The
// first instance takes the file (reads and removes it), so every hand-over
// is acted on once and an old one is never read again.
#include <cstddef>
#include <optional>
#include <string>

namespace sc {

inline constexpr const char* kHandOverFileName = "sc_sendfile_to_app.txt";
inline constexpr const char* kInstanceName = "SMUDGECRAFTMUTEX";
// Paths are kept to 511 characters (a 512-byte buffer with its terminator).
inline constexpr std::size_t kHandOverPathMax = 511;

// The path of the command-line text (without the program name): nothing for
// 3 characters or fewer; otherwise the text with every double quote dropped,
// ending at the second quote, at most 511 characters.
std::optional<std::string> commandLinePath(const std::string& commandText);

// Where the hand-over file is; empty without a private runtime directory.
std::string handOverFilePath();
// Writes the path as plain text without a line end, in place of any earlier
// hand-over (which is gone even when this write fails). False when it failed.
bool writeHandOverFile(const std::string& path);
// At most 511 characters of the file's first line; empty when it cannot be read.
std::string readHandOverFile();
// The first instance's part: reads the file and removes it. A path that is
// not absolute does not say which file it means and comes back empty.
std::string takeHandOverFile();

// The second instance's part: writes the file with the path made absolute
// against this start's directory and notifies the first. A path whose
// absolute form is longer than 511 characters is not handed over (cut short
// it would name another file): "The file you selected could not be opened!".
// With no first instance to answer, shows "Failed send 'OPEN' message to
// running instance!".
void handOverToFirstInstance(const std::string& path);

}  // namespace sc
