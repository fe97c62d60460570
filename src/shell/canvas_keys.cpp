#include "shell/canvas_keys.h"

#include "app/shell_state.h"
#include "app/undo.h"
#include "platform/windows.h"
#include "tools/tool_state.h"
#include "ui/panels.h"

namespace sc {
namespace {

using platform::Key;

std::uint8_t& held(CanvasViewState& v, Key key) { return v.keyState[static_cast<std::size_t>(key)]; }

}  // namespace

void canvasKeyEvent(Key key, bool pressed) {
    CanvasViewState& v = shell().view;
    held(v, key) = pressed ? 1 : 0;

    if (held(v, Key::Control) && held(v, Key::Z)) {
        undo();
        // Z must be pressed again (Control may stay down) for another Undo.
        held(v, Key::Z) = 0;
    }

    // Runs on every key event: while Space is held any key re-selects the hand.
    BrushSettings& live = toolState().live;
    if (held(v, Key::Space)) {
        if (!v.temporaryHand) {
            v.savedTool = static_cast<std::uint8_t>(live.tool);
            v.temporaryHand = true;
        }
        live.tool = kToolHand;
        selectTool();
    } else {
        if (v.temporaryHand) {
            live.tool = v.savedTool;
            selectTool();
        }
        v.temporaryHand = false;
    }
}

}  // namespace sc
