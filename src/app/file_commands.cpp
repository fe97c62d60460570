// SPDX-License-Identifier: GPL-3.0-or-later
// Save, Open and the "Save Changes?" question.
#include "app/file_commands.h"

#include "app/painting_io.h"
#include "app/shell_state.h"
#include "engine/renderer.h"
#include "platform/dialogs.h"

namespace sc {
namespace {

constexpr const char* kPaintingExtension = "pai";
constexpr const char* kPaintingDescription = "Smudgecraft file";

}  // namespace

std::optional<std::string> saveCommand(ShellState& s) {
    std::optional<std::string> path = chooseFile(s, kPaintingExtension, kPaintingDescription, kChooseSave);
    if (!path || !saveCommandTo(s, *path)) return std::nullopt;
    return path;
}

bool saveCommandTo(ShellState& s, const std::string& path) {
    // The file keeps the picture as High Quality renders it; the view's own
    // setting comes back afterwards without a new render.
    const bool highQuality = s.painting.document.highQuality;
    s.painting.document.highQuality = true;
    if (s.painting.document.hasCells()) renderAll(s.painting.document);
    const bool written = savePainting(s.painting, path);
    if (!written) platform::messageBox(platform::kNoWindow, "Error", kFileSaveFailedText);
    s.painting.document.highQuality = highQuality;
    // Only a painting that reached its file counts as saved: a failed write
    // must not let New, Open or closing discard it without asking. Whichever
    // command saved it (Save, or a Yes to "Save Changes?" before Open, New,
    // Import or closing), the painting now belongs to that file.
    if (written) {
        s.painting.saved = true;
        s.painting.fileName = paintingFilePath(path);
    }
    return written;
}

std::optional<std::string> openCommand(ShellState& s) {
    if (!askSaveChanges(s)) return std::nullopt;
    std::optional<std::string> path = chooseFile(s, kPaintingExtension, kPaintingDescription, kChooseOpen);
    if (!path) return std::nullopt;
    if (!loadPainting(s.painting, s.tools, *path, nullptr, s.frameWindow)) {
        platform::messageBox(platform::kNoWindow, "Error", kFileLoadFailedText);
        return std::nullopt;
    }
    // The painting just opened is the start of its history: Undo keeps only
    // the brush settings to swap.
    s.painting.undoValid = false;
    if (s.painting.document.hasCells()) renderAll(s.painting.document);
    s.painting.saved = true;
    return path;
}

bool askSaveChanges(ShellState& s) {
    if (s.painting.saved) return true;
    const platform::Answer a = platform::messageBox(s.frameWindow, kSaveChangesCaption, kSaveChangesText,
                                                    platform::Buttons::YesNoCancel, platform::Icon::Exclamation);
    switch (a) {
        // A Yes whose save did not happen keeps the painting.
        case platform::Answer::Yes: return saveCommand(s).has_value();
        case platform::Answer::No: return true;
        default: return false;
    }
}

}  // namespace sc
