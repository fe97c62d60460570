#pragma once
// A second start of the program hands its painting over to the running one:
// the path goes into "sc_sendfile_to_app.txt" in the current directory and a
// notice tells the first instance to read it.
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

// Writes the path as plain text without a line end. False when it failed.
bool writeHandOverFile(const std::string& path);
// At most 511 characters of the file's first line; empty when it cannot be read.
std::string readHandOverFile();

// The second instance's part: writes the file and notifies the first. With
// no first instance to answer, shows "Failed send 'OPEN' message to running
// instance!".
void handOverToFirstInstance(const std::string& path);

}  // namespace sc
