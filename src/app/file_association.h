#pragma once
// Makes the desktop open ".pai" files with this program, the freedesktop
// way: a shared-mime-info type and a desktop entry in the user's data
// directory ($XDG_DATA_HOME, else ~/.local/share). Each file is written only
// when it is missing or different; a failure shows its message.
#include <string>

namespace sc {

inline constexpr const char* kPaintingMimeType = "application/x-smudgecraft";

// name "Smudgecraft", the program's path, the extension ".pai", and the
// directory the program must run in (its data lives there).
bool registerFileType(const std::string& name, const std::string& programPath, const std::string& extension,
                      const std::string& workingDirectory);

// The user's data directory; empty when neither variable says where it is.
std::string userDataDirectory();
// The texts written, for a given program path and working directory.
std::string mimeTypeXml(const std::string& name, const std::string& extension);
std::string desktopEntry(const std::string& name, const std::string& programPath, const std::string& workingDirectory);

}  // namespace sc
