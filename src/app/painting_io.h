// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving the document between the canvas and a painting file, with the
// program's messages and undo behaviour. The Save and Open commands (file
// dialogs, rendering, the saved flag) build on these.
#include <cstdint>
#include <string>

#include "platform/windows.h"

namespace sc {

struct Painting;
struct ToolState;

inline constexpr const char* kCannotOpenText = "The file you selected could not be opened!";
inline constexpr const char* kNotAPaintingText =
    "The file you selected is either corrupt \nor not a valid Smudgecraft file.";
inline constexpr const char* kLaterVersionText = "The file you selected requires a later version of Smudgecraft!";
inline constexpr const char* kFileLoadFailedText = "File Load failed!";
inline constexpr const char* kFileSaveFailedText = "File Save failed!";

// Writes the painting: a version 2 file of the document's cells, or a
// version 3 file of its layers when it has two or more. Shows nothing; false
// when the file could not be written (an old file at the path then stays).
[[nodiscard]] bool savePainting(const Painting& p, const std::string& path);

// The path kept as the painting's file (ShellState::paintingFile): absolute,
// since a later start, recovering the painting, may begin in another
// directory. Empty stays empty.
std::string paintingFilePath(const std::string& path);

// Replaces the document canvas by the painting in the file. A file that
// cannot be opened shows its message and changes nothing. Otherwise an undo
// snapshot of the present painting is taken first (so `saved` is false), and
// the document changes only when the whole file was read: a wrong magic, a
// damaged file or an unreadable version shows its message and leaves the
// document as it was. On success the document is invalidated. `version`
// receives the file's version when its header was read. `owner` owns the
// message about a file that is not a painting (the main frame window).
bool loadPainting(Painting& p, const ToolState& tools, const std::string& path, std::uint32_t* version = nullptr,
                  platform::WindowId owner = platform::kNoWindow);

// The same for an autosave (formats/autosave_files.h): a painting file as
// loadPainting reads it, or a raw layers file of every layer. A damaged one
// shows the "corrupt or not a valid" message and changes nothing.
bool loadAutosavedPainting(Painting& p, const ToolState& tools, const std::string& path,
                           platform::WindowId owner = platform::kNoWindow);

}  // namespace sc
