// SPDX-License-Identifier: GPL-3.0-or-later
// Script commands that move paintings and pictures in and out, and undo:
// open, save, import, assets, snapshot and undo.
#include <filesystem>
#include <system_error>

#include "app/assets.h"
#include "app/import_image.h"
#include "app/painting_io.h"
#include "app/undo.h"
#include "batch_command.h"
#include "batch_session.h"

namespace sc::batch {
namespace {

void runOpen(Session& session, const Words& w) {
    std::uint32_t version = 0;
    if (!loadPainting(session.painting, session.tools, w[0], &version)) throw OperationFailed(kFileLoadFailedText);
    session.lastOpenedVersion = version;
}

void runSave(Session& session, const Words& w) {
    if (!savePainting(session.painting, w[0])) throw OperationFailed(kFileSaveFailedText);
}

void runImport(Session& session, const Words& w) {
    if (!importPictureFile(session.painting, session.tools, w[0], session.pictureFailureShown))
        throw OperationFailed(kImageFailedText);
}

// The style and texture images as start-up loads them, with DIR standing for
// the current directory; the cache folder is made when missing.
void runAssets(Session& session, const Words& w) {
    std::string base = w[0];
    if (base.back() != '/') base += '/';
    std::error_code ignored;
    std::filesystem::create_directories(base + "data", ignored);
    loadStyleAndTextureImagesFrom(session.tools, session.pictureFailureShown, base, base + "data/");
}

void runSnapshot(Session& session, const Words&) { takeUndoSnapshot(session.painting, session.tools, true); }
void runUndo(Session& session, const Words&) { undo(session.painting, session.tools); }

const BatchCommandRegistration kOpen{{"open", 1, 1, &runOpen}};
const BatchCommandRegistration kSave{{"save", 1, 1, &runSave}};
const BatchCommandRegistration kImport{{"import", 1, 1, &runImport}};
const BatchCommandRegistration kAssets{{"assets", 1, 1, &runAssets}};
const BatchCommandRegistration kSnapshot{{"snapshot", 0, 0, &runSnapshot}};
const BatchCommandRegistration kUndo{{"undo", 0, 0, &runUndo}};

}  // namespace
}  // namespace sc::batch
