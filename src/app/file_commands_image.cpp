// Import Image and Export Image.
#include "app/file_commands.h"
#include "app/import_image.h"
#include "app/shell_state.h"
#include "formats/bmp_writer.h"
#include "platform/dialogs.h"

namespace sc {

bool importImage(ShellState& s) {
    if (!askSaveChanges(s)) return false;
    const std::optional<std::string> path = chooseFileWithFilter(s, importFilter(), kChooseOpen);
    if (!path) return false;
    if (!importPictureFile(s, *path)) {
        platform::messageBox(platform::kNoWindow, "Error", kImageFailedText);
        return false;
    }
    return true;
}

void exportImage(ShellState& s) {
    const std::optional<std::string> path = chooseFile(s, "bmp", "Bitmap Image", kChooseSave);
    if (!path) return;
    // The picture as last rendered; a failed write is not reported.
    const Surface& picture = s.document.surface;
    if (picture.valid() && picture.bytesPerPixel() == 3) writeBmp(picture, *path);
}

}  // namespace sc
