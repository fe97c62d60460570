// SPDX-License-Identifier: GPL-3.0-or-later
// Script commands on the painting's layers. Layers count from 1 at the
// bottom (the background); a number that names no layer stops the script.
#include <string>

#include "app/import_image.h"
#include "app/layers.h"
#include "batch_command.h"
#include "batch_session.h"

namespace sc::batch {
namespace {

std::size_t layerNumber(const Session& session, const std::string& word) {
    const std::int64_t count = static_cast<std::int64_t>(layerCount(session.painting));
    return static_cast<std::size_t>(parseIntegerInRange(word, 1, count) - 1);
}

void check(LayerError e) {
    if (e != LayerError::kNone) throw OperationFailed(layerErrorText(e));
}

void runAdd(Session& session, const Words& w) {
    check(addLayer(session.painting, session.tools, w.empty() ? std::string() : w[0]));
}

void runSelect(Session& session, const Words& w) { check(selectLayer(session.painting, layerNumber(session, w[0]))); }

void runVisible(Session& session, const Words& w) {
    const std::size_t n = layerNumber(session, w[0]);
    const bool visible = parseIntegerInRange(w[1], 0, 1) != 0;
    check(setLayerVisible(session.painting, session.tools, n, visible));
}

void runOpacity(Session& session, const Words& w) {
    const std::size_t n = layerNumber(session, w[0]);
    const double opacity = parseFloat(w[1]);
    if (opacity < 0.0 || opacity > 1.0) throw ScriptError("opacity must lie in 0..1: " + w[1]);
    check(setLayerOpacity(session.painting, session.tools, n, static_cast<float>(opacity)));
}

void runMove(Session& session, const Words& w) {
    const std::size_t n = layerNumber(session, w[0]);
    const std::size_t to = layerNumber(session, w[1]);
    check(moveLayer(session.painting, session.tools, n, to));
}

void runDuplicate(Session& session, const Words& w) {
    check(duplicateLayer(session.painting, session.tools, layerNumber(session, w[0])));
}

void runMergeDown(Session& session, const Words& w) {
    const std::size_t n = layerNumber(session, w[0]);
    if (n == 0) throw ScriptError("layer 1 has no layer below it");
    check(mergeLayerDown(session.painting, session.tools, n));
}

void runDelete(Session& session, const Words& w) {
    check(deleteLayer(session.painting, session.tools, layerNumber(session, w[0])));
}

void runImportLayer(Session& session, const Words& w) {
    bool read = false;
    check(importAsLayer(session.painting, session.tools, w[0], session.pictureFailureShown, read));
    if (!read) throw OperationFailed(kImageFailedText);
}

const BatchCommandRegistration kAdd{{"layer-add", 0, 1, &runAdd}};
const BatchCommandRegistration kSelect{{"layer-select", 1, 1, &runSelect}};
const BatchCommandRegistration kVisible{{"layer-visible", 2, 2, &runVisible}};
const BatchCommandRegistration kOpacity{{"layer-opacity", 2, 2, &runOpacity}};
const BatchCommandRegistration kMove{{"layer-move", 2, 2, &runMove}};
const BatchCommandRegistration kDuplicate{{"layer-duplicate", 1, 1, &runDuplicate}};
const BatchCommandRegistration kMergeDown{{"layer-merge-down", 1, 1, &runMergeDown}};
const BatchCommandRegistration kDelete{{"layer-delete", 1, 1, &runDelete}};
const BatchCommandRegistration kImportLayer{{"import-layer", 1, 1, &runImportLayer}};

}  // namespace
}  // namespace sc::batch
