// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch_session.h"

#include "app/undo.h"
#include "engine/canvas.h"
#include "tools/tool_state.h"

namespace sc::batch {

void startSession(Session& session) {
    Painting& s = session.painting;
    ToolState& t = session.tools;
    t.random = ProgramRandom{};
    t.live = BrushSettings{};
    t.stroke = t.live;
    t.dynamics = StrokeDynamics{};
    t.styleOffset = {};
    t.textureOffset = {};
    t.mask.built = false;
    // A mouse, and the options' defaults for the pen.
    t.pressure = 1.0f;
    t.pen = PenResponse{};
    t.pressureSized = false;

    session.zoom = 1.0f;
    s.document.kind = kDocumentCanvasKind;
    s.document.highQuality = true;
    s.document.lighting = true;
    s.document.allocate(600, 600);
    // As at the program's start: Undo swaps with the blank first canvas.
    takeUndoSnapshot(s, t, true);
    s.history.clear();
    session.writeHook.install(s, t);
    s.saved = true;
}

}  // namespace sc::batch
