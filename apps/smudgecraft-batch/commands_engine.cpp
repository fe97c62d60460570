// SPDX-License-Identifier: GPL-3.0-or-later
// Script commands on the document canvas itself: size, render flags,
// rendering, resampling, raw saving and export.
#include "app/layers.h"
#include "app/undo.h"
#include "batch_command.h"
#include "batch_session.h"
#include "engine/canvas.h"
#include "engine/renderer.h"
#include "engine/resample.h"
#include "formats/picture_export.h"
#include "formats/painting_v1.h"

namespace sc::batch {
namespace {

constexpr std::int64_t kMaxSide = 20000;

void runNew(Session& session, const Words& w) {
    const auto width = static_cast<std::uint32_t>(parseIntegerInRange(w[0], 1, kMaxSide));
    const auto height = static_cast<std::uint32_t>(parseIntegerInRange(w[1], 1, kMaxSide));
    Canvas& doc = session.painting.document;
    // No undo snapshot here; the history still keeps the painting replaced.
    prepareWholeChange(session.painting);
    if (session.painting.layers.layered()) replaceLayers(session.painting, {}, 0);
    if (!doc.allocate(width, height)) throw OperationFailed("Not enough memory for a canvas of that size!");
    doc.kind = kDocumentCanvasKind;
}

void runQuality(Session& session, const Words& w) {
    const bool highQuality = parseIntegerInRange(w[0], 0, 1) != 0;
    const bool lighting = parseIntegerInRange(w[1], 0, 1) != 0;
    Canvas& doc = session.painting.document;
    doc.highQuality = highQuality;
    doc.lighting = lighting;
}

void runRender(Session& session, const Words&) { renderAll(session.painting.document); }

void runRenderRect(Session& session, const Words& w) {
    const auto coordinate = [](const std::string& word) {
        return static_cast<std::int32_t>(parseIntegerInRange(word, INT32_MIN, INT32_MAX));
    };
    const std::int32_t x0 = coordinate(w[0]), y0 = coordinate(w[1]);
    const std::int32_t x1 = coordinate(w[2]), y1 = coordinate(w[3]);
    renderRect(session.painting.document, x0, y0, x1, y1);
}

void runResample(Session& session, const Words& w) {
    const auto width = static_cast<std::uint32_t>(parseIntegerInRange(w[0], 1, kMaxSide));
    const auto height = static_cast<std::uint32_t>(parseIntegerInRange(w[1], 1, kMaxSide));
    prepareWholeChange(session.painting);
    if (!resamplePainting(session.painting, width, height)) {
        throw OperationFailed("Not enough memory to resize the canvas!");
    }
}

void runSaveRaw(Session& session, const Words& w) {
    if (!writeRawPainting(session.painting.document, w[0])) throw OperationFailed("File Save failed!");
}

// export FILE [QUALITY]: the format by the extension; a quality (1..100) only
// for a JPEG file.
void runExport(Session& session, const Words& w) {
    int quality = kDefaultJpegQuality;
    if (w.size() == 2) {
        if (exportFormatOf(w[0]) != PictureFormat::kJpeg) throw ScriptError("a quality is given only for a JPEG file");
        quality = static_cast<int>(parseIntegerInRange(w[1], kMinJpegQuality, kMaxJpegQuality));
    }
    if (!exportPicture(session.painting.document.surface, w[0], quality)) throw OperationFailed("Export failed!");
}

const BatchCommandRegistration kNew{{"new", 2, 2, &runNew}};
const BatchCommandRegistration kQuality{{"quality", 2, 2, &runQuality}};
const BatchCommandRegistration kRender{{"render", 0, 0, &runRender}};
const BatchCommandRegistration kRenderRect{{"render-rect", 4, 4, &runRenderRect}};
const BatchCommandRegistration kResample{{"resample", 2, 2, &runResample}};
const BatchCommandRegistration kSaveRaw{{"save-raw", 1, 1, &runSaveRaw}};
const BatchCommandRegistration kExport{{"export", 1, 2, &runExport}};

}  // namespace
}  // namespace sc::batch
