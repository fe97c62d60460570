// SPDX-License-Identifier: GPL-3.0-or-later
// Script commands that drive the painting tools, so any stroke can be
// replayed headless: brush settings, stroke dynamics, grain offsets, zoom
// and the stroke itself (begin, move, apply, end).
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>

#include "app/layers.h"
#include "app/pointer_state.h"
#include "batch_command.h"
#include "batch_session.h"
#include "engine/canvas.h"
#include "tools/tool_state.h"
#include "tools/tools.h"

namespace sc::batch {
namespace {

// A float field: any finite decimal that a single-precision value can hold.
float parseFloatField(const std::string& word) {
    const double v = parseFloat(word);
    if (std::fabs(v) > FLT_MAX) throw ScriptError("number out of range: '" + word + "'");
    return static_cast<float>(v);
}

std::uint8_t parseByte(const std::string& word, std::int64_t hi = 255) {
    return static_cast<std::uint8_t>(parseIntegerInRange(word, 0, hi));
}

std::int32_t parseInt32(const std::string& word) {
    return static_cast<std::int32_t>(parseIntegerInRange(word, INT32_MIN, INT32_MAX));
}

void runSettings(Session& session, const Words& words) {
    ToolState& ts = session.tools;
    // The whole line is checked before anything changes.
    BrushSettings s = ts.live;
    for (const std::string& word : words) {
        const auto [key, value] = splitKeyValue(word);
        if (key == "red") s.red = parseByte(value);
        else if (key == "green") s.green = parseByte(value);
        else if (key == "blue") s.blue = parseByte(value);
        else if (key == "paintStyle") s.paintStyle = parseByte(value, kStyleCount - 1);
        else if (key == "thickness") s.thickness = parseFloatField(value);
        else if (key == "tool") s.tool = parseInt32(value);
        else if (key == "size") s.size = static_cast<std::int32_t>(parseIntegerInRange(value, 1, kMaxBrushSize));
        else if (key == "strength") s.strength = parseFloatField(value);
        else if (key == "shine") s.shine = parseByte(value);
        else if (key == "texture") s.texture = parseByte(value, kTextureCount - 1);
        else if (key == "hardness") s.hardness = parseByte(value);
        else throw ScriptError("unknown field '" + key + "'");
    }
    // As the panels do: a new size or hardness makes the mask stale.
    if (s.size != ts.live.size || s.hardness != ts.live.hardness) ts.mask.built = false;
    ts.live = s;
}

void runDynamics(Session& session, const Words& words) {
    ToolState& ts = session.tools;
    StrokeDynamics d = ts.dynamics;
    for (const std::string& word : words) {
        const auto [key, value] = splitKeyValue(word);
        if (key == "fadeStrength") d.fadeStrength = parseByte(value, 1);
        else if (key == "fadeSize") d.fadeSize = parseByte(value, 1);
        else if (key == "pulse") d.pulse = parseByte(value, 1);
        else if (key == "fadeStrengthLength") d.fadeStrengthLength = parseFloatField(value);
        else if (key == "fadeSizeLength") d.fadeSizeLength = parseFloatField(value);
        else if (key == "pulseAmount") d.pulseAmount = parseFloatField(value);
        else if (key == "pulsePhase") d.pulsePhase = parseFloatField(value);
        else if (key == "pulsePeriod") d.pulsePeriod = parseFloatField(value);
        else throw ScriptError("unknown field '" + key + "'");
    }
    ts.dynamics = d;
}

void runOffsets(Session& session, const Words& w) {
    const float sx = parseFloatField(w[0]), sy = parseFloatField(w[1]);
    const float tx = parseFloatField(w[2]), ty = parseFloatField(w[3]);
    ToolState& ts = session.tools;
    ts.styleOffset = {sx, sy};
    ts.textureOffset = {tx, ty};
}

void runZoom(Session& session, const Words& w) {
    const double z = parseFloat(w[0]);
    for (const double allowed : {0.25, 0.5, 1.0, 2.0, 3.0, 4.0}) {
        if (z == allowed) {
            session.zoom = static_cast<float>(z);
            return;
        }
    }
    throw ScriptError("zoom must be one of 0.25 0.5 1 2 3 4: '" + w[0] + "'");
}

void runBegin(Session& session, const Words&) { strokeBegin(session.tools, session.painting.document); }
// The end of a stroke is also the release of a `press`.
void runEnd(Session& session, const Words&) {
    strokeEnd(session.tools, session.painting.document);
    session.pointerDown = false;
}

void runMove(Session& session, const Words& w) {
    const std::int32_t dx = parseInt32(w[0]), dy = parseInt32(w[1]);
    strokeMove(session.tools, session.painting.document, dx, dy);
}

void runApply(Session& session, const Words& w) {
    const std::int32_t x = parseInt32(w[0]), y = parseInt32(w[1]);
    Session& s = session;
    applyToolToPainting(s.painting, s.tools, toolCellAt(s.painting.document, x, s.zoom),
                        toolCellAt(s.painting.document, y, s.zoom));
}

const BatchCommandRegistration kSettings{{"settings", 1, -1, &runSettings}};
const BatchCommandRegistration kDynamics{{"dynamics", 1, -1, &runDynamics}};
const BatchCommandRegistration kOffsets{{"offsets", 4, 4, &runOffsets}};
const BatchCommandRegistration kZoom{{"zoom", 1, 1, &runZoom}};
const BatchCommandRegistration kBegin{{"begin", 0, 0, &runBegin}};
const BatchCommandRegistration kEnd{{"end", 0, 0, &runEnd}};
const BatchCommandRegistration kMove{{"move", 2, 2, &runMove}};
const BatchCommandRegistration kApply{{"apply", 2, 2, &runApply}};

}  // namespace
}  // namespace sc::batch
