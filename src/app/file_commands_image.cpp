// New, Image Size, Import Image and Export Image.
#include <cstdio>

#include "app/canvas_view.h"
#include "app/file_commands.h"
#include "app/import_image.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "engine/renderer.h"
#include "engine/resample.h"
#include "formats/bmp_writer.h"
#include "ui/new_image_dialog.h"

namespace sc {

bool checkDocumentSize(int width, int height) {
    if (width >= 1 && width <= kMaxDocumentSide && height >= 1 && height <= kMaxDocumentSide) return true;
    char text[160];
    std::snprintf(text, sizeof text, kSizeLimitText, kMaxDocumentSide, kMaxDocumentSide);
    platform::messageBox(platform::kNoWindow, "Warning", text, platform::Buttons::Ok, platform::Icon::Exclamation);
    return false;
}

void newCommand() {
    if (!askSaveChanges()) return;
    const NewImageSize size = runNewImageDialog(kNewImageDefaultSide, kNewImageDefaultSide);
    if (size.width == kNewImageCancelled || !checkDocumentSize(size.width, size.height)) return;
    // Made first, so a painting that cannot be made leaves the old one with
    // its undo copy and saved state. Then the old one is gone for good: Undo
    // keeps only the brush settings to swap, and the blank one counts as saved.
    if (!newImage(static_cast<std::uint32_t>(size.width), static_cast<std::uint32_t>(size.height))) return;
    takeUndoSnapshot(false);
    shell().saved = true;
}

void imageSizeCommand() {
    ShellState& s = shell();
    const NewImageSize size =
        runNewImageDialog(static_cast<int>(s.document.width), static_cast<int>(s.document.height));
    if (size.width == kNewImageCancelled || !checkDocumentSize(size.width, size.height)) return;
    takeUndoSnapshot(true);
    resample(s.document, static_cast<std::uint32_t>(size.width), static_cast<std::uint32_t>(size.height));
    recreateCanvasWindow();
    if (s.document.hasCells()) renderAll(s.document);
    s.colourChanged = true;
}

void importImage() {
    if (!askSaveChanges()) return;
    const std::optional<std::string> path = chooseFileWithFilter(importFilter(), kChooseOpen, shell().frameWindow);
    if (!path) return;
    if (!importPictureFile(*path)) {
        platform::messageBox(platform::kNoWindow, "Error", kImageFailedText);
        return;
    }
    recreateCanvasWindow();
}

void exportImage() {
    const std::optional<std::string> path = chooseFile("bmp", "Bitmap Image", kChooseSave, shell().frameWindow);
    if (!path) return;
    // The picture as last rendered; a failed write is not reported.
    const Surface& picture = shell().document.surface;
    if (picture.valid() && picture.bytesPerPixel() == 3) writeBmp(picture, *path);
}

}  // namespace sc
