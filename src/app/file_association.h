// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Makes the desktop open ".pai" files with this program, the freedesktop
// way: a shared-mime-info type and a desktop entry. An installation brings
// its own (written by the package, not by the program); a program run from
// a build tree writes them into the user's data directory ($XDG_DATA_HOME,
// else ~/.local/share), each file only when it is missing or different; a
// failure shows its message.
#include <string>

namespace sc {

inline constexpr const char* kPaintingMimeType = "application/x-smudgecraft";
// The names under which an installation keeps its association, relative to
// its share/ folder.
inline constexpr const char* kInstalledDesktopEntry = "applications/org.example.smudgecraft.desktop";
inline constexpr const char* kInstalledMimePackage = "mime/packages/smudgecraft.xml";

// name "Smudgecraft", the program's path, the extension ".pai", and the
// directory a start from the desktop runs it in (a build tree's run folder).
bool registerFileType(const std::string& name, const std::string& programPath, const std::string& extension,
                      const std::string& workingDirectory);

// Whether the installation whose shared folder (<prefix>/share/smudgecraft/)
// is given brings the desktop entry and the type of paintings.
bool associationInstalled(const std::string& sharedFolder);
// The texts written, for a given program path and working directory.
std::string mimeTypeXml(const std::string& name, const std::string& extension);
std::string desktopEntry(const std::string& name, const std::string& programPath, const std::string& workingDirectory);

}  // namespace sc
