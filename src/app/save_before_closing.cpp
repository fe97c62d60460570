#include "app/save_before_closing.h"

#include "app/painting_io.h"
#include "app/shell_state.h"
#include "engine/renderer.h"

namespace sc {

void saveBeforeClosing() {
    ShellState& s = shell();
    platform::FileChoice choice;
    choice.title = "Save";
    choice.filter = "Smudgecraft file (*.pai)";
    choice.defaultExtension = "pai";
    const std::optional<std::string> path = platform::chooseSaveFile(s.frameWindow, choice);
    if (!path) return;
    const bool highQuality = s.document.highQuality;
    s.document.highQuality = true;
    if (s.document.hasCells()) renderAll(s.document);
    if (!savePainting(*path)) platform::messageBox(platform::kNoWindow, "Error", kFileSaveFailedText);
    s.document.highQuality = highQuality;
    s.saved = true;
}

}  // namespace sc
