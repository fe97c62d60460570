// SPDX-License-Identifier: GPL-3.0-or-later
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

bool loadImageFile(ShellState& s, Surface& surface, const std::string& path) {
    return loadPictureFile(surface, path, s.pictureFailureShown);
}

bool loadPictureFile(Surface& surface, const std::string& path, bool& failureShown) {
    if (readPictureFile(path, surface) == PictureLoadResult::kOk) return true;
    if (!failureShown) {
        failureShown = true;
        platform::messageBox(platform::kNoWindow, "Error", kAnImageFailedText);
    }
    return false;
}

bool importPictureFile(Painting& p, const ToolState& tools, const std::string& path, bool& failureShown) {
    Surface picture;
    Canvas fresh;
    if (!loadPictureFile(picture, path, failureShown) || !fresh.allocate(picture.width(), picture.height()))
        return false;
    for (std::uint32_t y = 0; y < picture.height(); ++y) {
        const std::uint8_t* p = picture.pixelAddress(0, y);
        PaintCell* cell = &fresh.at(0, y);
        for (std::uint32_t x = 0; x < picture.width(); ++x, p += 3, ++cell) {
            const SplitPixel split = splitPixel(p[2], p[1], p[0]);
            cell->red = split.red;
            cell->green = split.green;
            cell->blue = split.blue;
            cell->grain = split.grain;
            cell->shine = 255;
            cell->height = 1.0f;
        }
    }
    picture.release();
    p.document.swapCells(fresh);
    takeUndoSnapshot(p, tools, false);
    paintingReplaced(p);
    p.document.invalidate();
    return true;
}

}  // namespace sc
