// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/new_image_commands.h"

#include <cstdio>

#include "app/file_commands.h"
#include "app/layers.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "engine/renderer.h"
#include "engine/resample.h"
#include "platform/dialogs.h"
#include "shell/autosave_step.h"
#include "shell/canvas_view.h"
#include "shell/program.h"
#include "ui/new_image_dialog.h"

namespace sc {

bool checkDocumentSize(int width, int height) {
    if (width >= 1 && width <= kMaxDocumentSide && height >= 1 && height <= kMaxDocumentSide) return true;
    char text[160];
    std::snprintf(text, sizeof text, kSizeLimitText, kMaxDocumentSide, kMaxDocumentSide);
    platform::messageBox(platform::kNoWindow, "Warning", text, platform::Buttons::Ok, platform::Icon::Exclamation);
    return false;
}

void newCommand(Program& p) {
    ShellState& s = p.state;
    if (!askSaveChanges(s)) return;
    const NewImageSize size = runNewImageDialog(s, p.panels.floating, kNewImageDefaultSide, kNewImageDefaultSide);
    if (size.width == kNewImageCancelled || !checkDocumentSize(size.width, size.height)) return;
    // Made first, so a painting that cannot be made leaves the old one with
    // its undo copy and saved state. Then the old one is gone for good: Undo
    // keeps only the brush settings to swap, and the blank one counts as saved.
    if (!newImage(p, static_cast<std::uint32_t>(size.width), static_cast<std::uint32_t>(size.height))) return;
    takeUndoSnapshot(s.painting, s.tools, false);
    paintingReplaced(s.painting);
    s.painting.saved = true;
    noteDocumentFile(p, "");
}

void imageSizeCommand(Program& p) {
    ShellState& s = p.state;
    const NewImageSize size = runNewImageDialog(s, p.panels.floating, static_cast<int>(s.painting.document.width),
                                                static_cast<int>(s.painting.document.height));
    if (size.width == kNewImageCancelled || !checkDocumentSize(size.width, size.height)) return;
    takeUndoSnapshot(s.painting, s.tools, true);
    resamplePainting(s.painting, static_cast<std::uint32_t>(size.width), static_cast<std::uint32_t>(size.height));
    recreateCanvasWindow(p);
    if (s.painting.document.hasCells()) renderAll(s.painting.document);
    s.colourChanged = true;
}

}  // namespace sc
