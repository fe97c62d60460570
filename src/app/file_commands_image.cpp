// Import Image and Export Image.
#include "app/file_commands.h"
#include "app/import_image.h"
#include "app/shell_state.h"
#include "formats/bmp_writer.h"
#include "platform/dialogs.h"

namespace sc {

bool importImage() {
    if (!askSaveChanges()) return false;
    const std::optional<std::string> path = chooseFileWithFilter(importFilter(), kChooseOpen, shell().frameWindow);
    if (!path) return false;
    if (!importPictureFile(*path)) {
        platform::messageBox(platform::kNoWindow, "Error", kImageFailedText);
        return false;
    }
    return true;
}

void exportImage() {
    const std::optional<std::string> path = chooseFile("bmp", "Bitmap Image", kChooseSave, shell().frameWindow);
    if (!path) return;
    // The picture as last rendered; a failed write is not reported.
    const Surface& picture = shell().document.surface;
    if (picture.valid() && picture.bytesPerPixel() == 3) writeBmp(picture, *path);
}

}  // namespace sc
