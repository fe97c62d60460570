#include "batch_session.h"

#include "app/undo.h"
#include "engine/canvas.h"
#include "tools/tool_state.h"

namespace sc::batch {

void startSession(Session& session) {
    ShellState& s = session.state;
    ToolState& t = s.tools;
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

    s.view.zoom = 1.0f;
    s.document.kind = kDocumentCanvasKind;
    s.document.highQuality = true;
    s.document.lighting = true;
    s.document.allocate(600, 600);
    // As at the program's start: Undo swaps with the blank first canvas.
    takeUndoSnapshot(s, true);
    s.history.clear();
    s.writeHook.install(s);
    s.saved = true;
}

}  // namespace sc::batch
