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

bool saveCommand(ShellState& s) {
    const std::optional<std::string> path = chooseFile(s, kPaintingExtension, kPaintingDescription, kChooseSave);
    return path && saveCommandTo(s, *path);
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
    // must not let New, Open or closing discard it without asking.
    if (written) {
        s.painting.saved = true;
        s.painting.fileName = path;
    }
    return written;
}

bool openCommand(ShellState& s) {
    if (!askSaveChanges(s)) return false;
    const std::optional<std::string> path = chooseFile(s, kPaintingExtension, kPaintingDescription, kChooseOpen);
    if (!path) return false;
    if (!loadPainting(s.painting, s.tools, *path, nullptr, s.frameWindow)) {
        platform::messageBox(platform::kNoWindow, "Error", kFileLoadFailedText);
        return false;
    }
    // The painting just opened is the start of its history: Undo keeps only
    // the brush settings to swap.
    s.painting.undoValid = false;
    if (s.painting.document.hasCells()) renderAll(s.painting.document);
    s.painting.saved = true;
    return true;
}

bool askSaveChanges(ShellState& s) {
    if (s.painting.saved) return true;
    const platform::Answer a = platform::messageBox(s.frameWindow, kSaveChangesCaption, kSaveChangesText,
                                                    platform::Buttons::YesNoCancel, platform::Icon::Exclamation);
    switch (a) {
        // A Yes whose save did not happen keeps the painting.
        case platform::Answer::Yes: return saveCommand(s);
        case platform::Answer::No: return true;
        default: return false;
    }
}

}  // namespace sc
