// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_loop.h"

#include <algorithm>

#include "app/message_script.h"
#include "app/pass_stats.h"
#include "app/shell_state.h"
#include "engine/renderer.h"
#include "platform/desktop.h"
#include "platform/drawing.h"
#include "shell/autosave_step.h"
#include "shell/canvas_view.h"
#include "shell/frame_clock.h"
#include "shell/frame_window.h"
#include "shell/history_commands.h"
#include "shell/layer_commands.h"
#include "shell/program.h"
#include "ui/panel_layout.h"
#include "ui/panels.h"

namespace sc {
namespace {

using platform::Message;
using platform::MessageKind;

// The one piece of work of each pass, the first that applies: while the left
// button is held over the canvas, the tool at the canvas pointer and what it
// changed shown at once; while it is held over the colours or the
// brush-properties panel, that panel following its sliders; otherwise the
// slider capture is let go.
void perPassWork(Program& p) {
    ShellState& s = p.state;
    if (s.pointers[kCanvasPointer].leftDown) {
        paintAtPointer(p);
    } else if (s.pointers[kColoursPointer].leftDown) {
        if (coloursFrameUpdate(s, p.panels)) applyColourSliders(s, p.panels);
    } else if (s.pointers[kPropertiesPointer].leftDown) {
        propertiesFrameUpdate(s, p.panels);
    } else if (s.pointers[kLayersPointer].leftDown) {
        layersFrameUpdate(s, p.panels);
    } else {
        p.panels.sliders.captured = 0;
    }
}

}  // namespace

void followFlags(Program& p) {
    ShellState& s = p.state;
    if (s.colourChanged) {
        platform::invalidateWindow(s.windows.canvas);
        platform::updateWindow(s.windows.canvas);
        s.previewDirty = true;
        syncColourPanel(s, p.panels);
        repaintStylesPanel(s);
        selectTool(s, p.panels);
        s.colourChanged = false;
    }
    if (s.previewDirty) {
        renderBrushPreview(s, p.panels);
        s.previewDirty = false;
        platform::invalidateRect(s.windows.propertiesPanel, layout::kPropertiesUpperPart);
        platform::updateWindow(s.windows.propertiesPanel);
    }
    syncHistoryMenu(s);
    followLayers(p);
    syncFrameTitle(p);
}

namespace {

// Nothing to do until the desktop has something for us: no button held in
// any of our windows and nothing waiting to be drawn or followed up.
bool idle(const Program& p) {
    const ShellState& s = p.state;
    return !s.quitRequested && !s.pointers.anyDown() &&
           (!s.painting.document.hasCells() || s.painting.document.rendered) && !s.colourChanged && !s.previewDirty &&
           !messageScriptRunning(p.script) && !autosaveBusy(p.autosave);
}

}  // namespace

void mainLoopPass(Program& p) {
    FrameClock clock;
    clock.start();
    ShellState& s = p.state;

    postScriptedMessage(p.script, s);
    Message m;
    const bool fresh = platform::peekMessage(m);
    if (fresh) p.lastMessage = m;

    // Before the render: a copy under way starts again after a whole-canvas change.
    autosaveStep(p);
    if (s.painting.document.hasCells() && !s.painting.document.rendered) {
        renderAll(s.painting.document);
        platform::invalidateWindow(s.windows.canvas);
    }
    perPassWork(p);

    // A message is acted on once; only a pointer move is delivered again
    // while nothing new arrives, as a move of length 0, so that a resting
    // pointer pauses the tools that scale with strength (Spray Paint and the
    // Knife go on). Commands, keys, presses and drops must never repeat.
    if (fresh || p.lastMessage.kind == MessageKind::MouseMove) platform::dispatchMessage(p.lastMessage);

    followFlags(p);
    recordPass(p.passStats, clock.startSeconds, s.pointers[kCanvasPointer].leftDown);
    platform::endPass(clock.startSeconds + kPassSeconds, idle(p), autosaveWakeTime(p));
}

void runMainLoop(Program& p) {
    while (!p.state.quitRequested) mainLoopPass(p);
}

}  // namespace sc
