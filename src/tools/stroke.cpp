// SPDX-License-Identifier: GPL-3.0-or-later
// The stroke lifecycle: begin, move (with the fades and the pulse) and end.
#include <cmath>

#include "engine/canvas.h"
#include "engine/numeric.h"
#include "tools/tool_state.h"
#include "tools/tool_table.h"
#include "tools/tools.h"

namespace sc {

namespace {

// The pen's pressure, after the dynamics, on the document canvas only (the
// brush preview and the thumbnails paint as a mouse). A size it changed, or
// one it changed before, needs the mask rebuilt.
void applyPenPressure(ToolState& ts, const Canvas& canvas) {
    if (canvas.kind != kDocumentCanvasKind) return;
    const std::int32_t size = ts.stroke.size;
    applyPressure(ts.stroke, ts.pressure, ts.pen);
    const bool sized = ts.stroke.size != size;
    if (sized || ts.pressureSized) ts.mask.built = false;
    ts.pressureSized = sized;
}

}  // namespace

void strokeBegin(ToolState& ts, Canvas& canvas) {
    ts.stroke = ts.live;
    applyPenPressure(ts, canvas);
    ts.mask.built = false;
    canvas.strokeLength = -1.0f;
}

void strokeEnd(ToolState& ts, Canvas& canvas) {
    canvas.strokeLength = -1.0f;
    ts.mask.built = false;
}

void strokeMove(ToolState& ts, Canvas& canvas, int dx, int dy) {
    StrokeDynamics& dyn = ts.dynamics;

    const float sum = static_cast<float>(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
    const float d = std::sqrt(sum);

    // The first move of a stroke only starts the length; later moves add a
    // tenth of the pointer travel.
    if (canvas.strokeLength == -1.0f) {
        canvas.strokeLength = 0.0f;
    } else {
        canvas.strokeLength = static_cast<float>(canvas.strokeLength + static_cast<double>(0.1f) * d);
    }
    const double length = canvas.strokeLength;

    // Mid-stroke changes of colour, size and the like take effect at once.
    ts.stroke = ts.live;

    if (dyn.fadeStrength) {
        if (dyn.fadeStrengthLength < 1.0f) dyn.fadeStrengthLength = 1.0f;
        double f = 1.0 - length / dyn.fadeStrengthLength;
        if (f < 0.0) f = 0.0;
        ts.stroke.strength = static_cast<float>(ts.stroke.strength * f);
    }
    if (dyn.fadeSize) {
        if (dyn.fadeSizeLength < 1.0f) dyn.fadeSizeLength = 1.0f;
        double g = 1.0 - length / dyn.fadeSizeLength;
        if (g < 0.0) g = 0.0;
        const std::int32_t size = truncToInt(ts.live.size * g);
        ts.stroke.size = size < 1 ? 1 : size;
    }
    if (dyn.pulse) {
        if (dyn.pulseAmount < 1.0f) dyn.pulseAmount = 1.0f;
        if (dyn.pulsePeriod < 1.0f) dyn.pulsePeriod = 1.0f;
        const float t = static_cast<float>((length - dyn.pulsePhase) * static_cast<double>(4.4f) / dyn.pulsePeriod);
        const double depth = dyn.pulseAmount * static_cast<double>(0.01f) * std::fabs(std::cos(static_cast<double>(t)));
        ts.stroke.size = clampInt(truncToInt((1.0 - depth) * ts.stroke.size), 1, kMaxBrushSize);
    }

    applyPenPressure(ts, canvas);

    // A report without movement (the main loop repeats the last move while the
    // pointer rests) pauses every tool but those that work at rest.
    if (d == 0.0f && !toolRow(ts.live.tool).worksAtRest) ts.stroke.strength = 0.0f;

    if (dyn.fadeStrength || dyn.fadeSize || dyn.pulse || d == 0.0f) ts.mask.built = false;
}

}  // namespace sc
