// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/canvas_keys.h"

#include "app/shell_state.h"
#include "app/undo.h"
#include "platform/windows.h"
#include "shell/canvas_view.h"
#include "shell/menu_shortcuts.h"
#include "shell/program.h"
#include "shell/zoom_steps.h"
#include "tools/tool_state.h"
#include "ui/panels.h"

namespace sc {
namespace {

using platform::Key;

std::uint8_t& held(CanvasViewState& v, Key key) { return v.keyState[static_cast<std::size_t>(key)]; }

}  // namespace

void canvasKeyEvent(Program& p, Key key, bool pressed) {
    CanvasViewState& v = p.state.view;
    held(v, key) = pressed ? 1 : 0;

    // Ctrl+Z alone undoes; with Alt or Shift it is a menu shortcut (a step
    // through the history).
    if (held(v, Key::Control) && held(v, Key::Z) && !held(v, Key::Alt) && !held(v, Key::Shift)) {
        if (undo(p.state.painting, p.state.tools)) recreateCanvasWindow(p);
        p.state.colourChanged = true;
        // Z must be pressed again (Control may stay down) for another Undo.
        held(v, Key::Z) = 0;
    }
    runMenuShortcut(p);
    // Ctrl++ / Ctrl+- step the zoom; the key must be pressed again for another step.
    if (held(v, Key::Control) && (held(v, Key::Plus) || held(v, Key::Minus))) {
        const int steps = held(v, Key::Plus) ? 1 : -1;
        held(v, Key::Plus) = 0;
        held(v, Key::Minus) = 0;
        stepZoomByKey(p, steps);
    }

    // Runs on every key event: while Space is held any key re-selects the hand.
    BrushSettings& live = p.state.tools.live;
    if (held(v, Key::Space)) {
        if (!v.temporaryHand) {
            v.savedTool = static_cast<std::uint8_t>(live.tool);
            v.temporaryHand = true;
        }
        live.tool = kToolHand;
        selectTool(p.state, p.panels);
    } else {
        if (v.temporaryHand) {
            live.tool = v.savedTool;
            selectTool(p.state, p.panels);
        }
        v.temporaryHand = false;
    }
}

platform::WindowProc panelWindowProc(Program& p, PanelProc proc) {
    return [&p, proc](const platform::Message& m) {
        if (m.kind == platform::MessageKind::KeyDown || m.kind == platform::MessageKind::KeyUp) {
            canvasKeyEvent(p, m.key, m.kind == platform::MessageKind::KeyDown);
        }
        proc(p.state, p.panels, m);
    };
}

}  // namespace sc
