#include "shell/canvas_keys.h"

#include "app/shell_state.h"
#include "app/undo.h"
#include "tools/tool_state.h"
#include "ui/panels.h"

namespace sc {
namespace {

constexpr int kControlKey = 17;
constexpr int kSpaceKey = 32;
constexpr int kZKey = 90;

}  // namespace

void canvasKeyEvent(int key, bool pressed) {
    if (key < 0 || key > 255) return;
    CanvasViewState& v = shell().view;
    v.keyState[static_cast<std::size_t>(key)] = pressed ? 1 : 0;

    if (v.keyState[kControlKey] && v.keyState[kZKey]) {
        undo();
        // Z must be pressed again (Control may stay down) for another Undo.
        v.keyState[kZKey] = 0;
    }

    // Runs on every key event: while Space is held any key re-selects the hand.
    BrushSettings& live = toolState().live;
    if (v.keyState[kSpaceKey]) {
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
