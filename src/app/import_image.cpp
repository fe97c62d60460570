#include "app/import_image.h"

#include "app/shell_state.h"
#include "app/undo.h"
#include "engine/canvas.h"
#include "engine/surface.h"
#include "filters/split_pixel.h"
#include "formats/picture_file.h"
#include "platform/dialogs.h"
#include "platform/windows.h"

namespace sc {
namespace {

bool g_failureShown = false;

}  // namespace

bool loadImageFile(Surface& surface, const std::string& path) {
    if (readPictureFile(path, surface) == PictureLoadResult::kOk) return true;
    if (!g_failureShown) {
        g_failureShown = true;
        platform::messageBox(platform::kNoWindow, "Error", kAnImageFailedText);
    }
    return false;
}

void resetImageFailureMessage() { g_failureShown = false; }

bool importPictureFile(const std::string& path) {
    Surface picture;
    Canvas fresh;
    if (!loadImageFile(picture, path) || !fresh.allocate(picture.width(), picture.height())) return false;
    for (std::uint32_t y = 0; y < picture.height(); ++y) {
        const std::uint8_t* p = picture.pixelAddress(0, y);
        PaintCell* cell = &fresh.at(0, y);
        for (std::uint32_t x = 0; x < picture.width(); ++x, p += 3, ++cell) {
            const SplitPixel s = splitPixel(p[2], p[1], p[0]);
            cell->red = s.red;
            cell->green = s.green;
            cell->blue = s.blue;
            cell->grain = s.grain;
            cell->shine = 255;
            cell->height = 1.0f;
        }
    }
    picture.release();
    shell().document.swapCells(fresh);
    takeUndoSnapshot(false);
    shell().document.invalidate();
    return true;
}

}  // namespace sc
