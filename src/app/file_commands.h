// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The File menu's painting commands: the common open/save chooser, Save,
// Open, the "Save Changes?" question, Import Image and Export Image. The
// commands that replace the painting leave the canvas window to the caller,
// which makes it again for the painting's size.
#include <optional>
#include <string>
#include <vector>

#include "platform/windows.h"

namespace sc {

struct ShellState;

inline constexpr const char* kSaveChangesCaption = "Save Changes?";
inline constexpr const char* kSaveChangesText = "Would you like to save your painting?";
inline constexpr const char* kExportFailedText = "Export failed!";
inline constexpr const char* kJpegQualityCaption = "JPEG Quality";
inline constexpr const char* kJpegQualityLabel = "Quality (1 to 100, higher keeps more detail):";

// Kinds of the chooser: 0 and 2 open an existing file, 1 saves.
enum FileChooserKind : int { kChooseOpen = 0, kChooseSave = 1, kChooseOpenOther = 2 };

// One entry of a chooser's filter: a description and its patterns separated
// by ';' (as "*.jpg;*.bmp").
struct FileFilterEntry {
    std::string description;
    std::string patterns;
};

// The filter of Import Image.
const std::vector<FileFilterEntry>& importFilter();
// The filter of Export Image: BMP first, then PNG, TIFF and JPEG.
const std::vector<FileFilterEntry>& exportFilter();

// The common file chooser, owned by the frame. One entry titled
// `description` listing the files ending in a dot and the first three
// letters of `extension`; a typed name without an extension gets it. A save
// asks before replacing a file; an open takes only existing files. Every
// chooser starts at the last chosen path (ShellState::lastChosenPath).
// Nothing when cancelled.
std::optional<std::string> chooseFile(ShellState& s, const std::string& extension, const std::string& description,
                                      int kind);
// The same chooser with a complete filter; a typed name without an extension
// gets `defaultExtension` (none when empty).
std::optional<std::string> chooseFileWithFilter(ShellState& s, const std::vector<FileFilterEntry>& filter, int kind,
                                                const std::string& defaultExtension = std::string());

// File, Save: chooses a path, renders in high quality and writes the
// painting. The path written, only when the painting was written; the
// painting then counts as saved. A cancelled chooser changes nothing; a failed
// write shows "File Save failed!" and leaves the painting unsaved.
[[nodiscard]] std::optional<std::string> saveCommand(ShellState& s);
// Save once the chooser has given the path. True when the painting was written;
// the painting then belongs to the file.
[[nodiscard]] bool saveCommandTo(ShellState& s, const std::string& path);
// File, Open. The path of the painting opened; nothing when none was.
[[nodiscard]] std::optional<std::string> openCommand(ShellState& s);
// Asks "Would you like to save your painting?" while the painting is
// unsaved. True when the caller may discard the painting: it was saved, the
// user answered No, or answered Yes and the save happened. False on Cancel,
// and on Yes followed by a cancelled chooser or a failed write.
[[nodiscard]] bool askSaveChanges(ShellState& s);

// File, Import Image (true when a picture became the painting) and File,
// Export Image: the rendered picture in the format of the chosen name's
// extension (BMP unless it names PNG, TIFF or JPEG; a name typed without one
// gets .bmp); a JPEG asks its quality first (kJpegQualityCaption), offering
// the last one chosen. A cancelled question or a failed write writes nothing
// and reports nothing.
[[nodiscard]] bool importImage(ShellState& s);
void exportImage(ShellState& s);

}  // namespace sc
