// SPDX-License-Identifier: GPL-3.0-or-later
#include "thumbnail.h"

#include <cstdio>
#include <memory>

#include "app/painting_io.h"
#include "batch_session.h"
#include "engine/renderer.h"
#include "formats/picture_export.h"
#include "picture_fit.h"

namespace sc::batch {

int makeThumbnail(const std::string& painting, const std::string& picture, std::uint32_t side) {
    const auto session = std::make_unique<Session>();
    startSession(*session);
    // Paths are taken as they are (blanks included): no script line in between.
    if (!loadPainting(session->painting, session->tools, painting)) {
        std::fprintf(stderr, "%s\n", kFileLoadFailedText);
        return 1;
    }
    Canvas& doc = session->painting.document;
    doc.highQuality = true;
    doc.lighting = true;
    // An empty painting has no picture, as for Export.
    if (doc.hasCells()) renderAll(doc);
    if (!doc.hasCells() || !writePictureFile(picture, fitPicture(doc.surface, side), PictureFormat::kPng)) {
        std::fprintf(stderr, "Export failed!\n");
        return 1;
    }
    return 0;
}

}  // namespace sc::batch
