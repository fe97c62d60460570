// SPDX-License-Identifier: GPL-3.0-or-later
// Script commands for the pointer as the desktop's canvas window sees it: a
// press and pointer moves (tools/pointer_stroke.h, the canvas window's own
// path), the pressure of the following pointer reports, and the tool applied
// along a segment as Smooth Strokes does.
#include <cstdint>
#include <string>

#include "batch_command.h"
#include "app/layers.h"
#include "app/pointer_state.h"
#include "batch_session.h"
#include "engine/canvas.h"
#include "tools/pointer_stroke.h"
#include "tools/stroke_line.h"
#include "tools/tool_state.h"
#include "tools/tools.h"

namespace sc::batch {
namespace {

// Positions of apply-line: far beyond the largest canvas window (20000
// cells at zoom 4), small enough that a line's points stay few.
constexpr std::int64_t kLineReach = 100000;

void runPressure(Session& session, const Words& w) {
    const double p = parseFloat(w[0]);
    if (p < 0.0 || p > 1.0) throw ScriptError("pressure must lie in 0..1: '" + w[0] + "'");
    session.tools.pressure = static_cast<float>(p);
}

void runApplyLine(Session& session, const Words& w) {
    int v[4];
    for (int i = 0; i < 4; ++i) v[i] = static_cast<int>(parseIntegerInRange(w[i], -kLineReach, kLineReach));
    Session& s = session;
    ToolState& ts = s.tools;
    for (const LinePoint& p : strokeLinePoints(v[0], v[1], v[2], v[3], ts.stroke.size, s.zoom)) {
        applyToolToPainting(s.painting, ts, toolCellAt(s.painting.document, p.x, s.zoom),
                            toolCellAt(s.painting.document, p.y, s.zoom));
    }
}

// A press at window pixel (X, Y). The position only has to be a window
// position; the moves that follow are relative and `apply` places the tool.
// As on the desktop, a press while the button is already down (no `end`
// since the last press) keeps the grain offsets.
void runPress(Session& session, const Words& w) {
    parseIntegerInRange(w[0], INT32_MIN, INT32_MAX);
    parseIntegerInRange(w[1], INT32_MIN, INT32_MAX);
    const bool fresh = !session.pointerDown;
    session.pointerDown = true;
    strokePress(session.tools, session.painting.document, fresh, session.tools.pressure);
}

// A pointer move by (DX, DY), the previous position minus the new one, as
// `move` takes it.
void runPointerMove(Session& session, const Words& w) {
    const auto dx = static_cast<int>(parseIntegerInRange(w[0], INT32_MIN, INT32_MAX));
    const auto dy = static_cast<int>(parseIntegerInRange(w[1], INT32_MIN, INT32_MAX));
    strokePointerMove(session.tools, session.painting.document, dx, dy, session.tools.pressure);
}

const BatchCommandRegistration kPress{{"press", 2, 2, &runPress}};
const BatchCommandRegistration kPointerMove{{"pointer-move", 2, 2, &runPointerMove}};
const BatchCommandRegistration kPressure{{"pressure", 1, 1, &runPressure}};
const BatchCommandRegistration kApplyLine{{"apply-line", 4, 4, &runApplyLine}};

}  // namespace
}  // namespace sc::batch
