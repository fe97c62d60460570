// SPDX-License-Identifier: GPL-3.0-or-later
// Import Image and Export Image.
#include "app/file_commands.h"
#include "app/import_image.h"
#include "app/shell_state.h"
#include "formats/picture_export.h"
#include "platform/dialogs.h"

namespace sc {

bool importImage(ShellState& s) {
    if (!askSaveChanges(s)) return false;
    const std::optional<std::string> path = chooseFileWithFilter(s, importFilter(), kChooseOpen);
    if (!path) return false;
    if (!importPictureFile(s.painting, s.tools, *path, s.pictureFailureShown)) {
        platform::messageBox(platform::kNoWindow, "Error", kImageFailedText);
        return false;
    }
    return true;
}

void exportImage(ShellState& s) {
    const std::optional<std::string> path = chooseFileWithFilter(s, exportFilter(), kChooseSave, "bmp");
    if (!path) return;
    if (exportFormatOf(*path) == PictureFormat::kJpeg) {
        const std::optional<int> quality = platform::askNumber(s.frameWindow, kJpegQualityCaption, kJpegQualityLabel,
                                                               s.jpegQuality, kMinJpegQuality, kMaxJpegQuality);
        if (!quality) return;
        s.jpegQuality = *quality;
    }
    // The picture as last rendered. A write that fails (a folder that
    // cannot be written, a full disk) leaves no file and must not pass for
    // an export.
    const Surface& picture = s.painting.document.surface;
    const bool written =
        picture.valid() && picture.bytesPerPixel() == 3 && exportPicture(picture, *path, s.jpegQuality);
    if (!written) {
        platform::messageBox(platform::kNoWindow, "Error", kExportFailedText, platform::Buttons::Ok,
                             platform::Icon::Error);
    }
}

}  // namespace sc
