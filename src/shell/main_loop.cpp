#include "shell/main_loop.h"

#include "app/message_script.h"
#include "app/pass_stats.h"
#include "app/shell_state.h"
#include "engine/numeric.h"
#include "engine/renderer.h"
#include "platform/desktop.h"
#include "platform/drawing.h"
#include "shell/frame_clock.h"
#include "tools/tools.h"
#include "ui/panels.h"
#include "ui/slider.h"

namespace sc {
namespace {

using platform::Message;
using platform::MessageKind;

Message g_last;  // the last message removed; a pointer move is delivered again

// The one piece of work of each pass, the first that applies: while the left
// button is held over the canvas, the tool at the canvas pointer and the
// brush square shown at once; while it is held over the colours or the
// brush-properties panel, that panel following its sliders; otherwise the
// slider capture is let go.
void perPassWork() {
    ShellState& s = shell();
    const PointerState& canvas = pointer(kCanvasPointer);
    if (canvas.leftDown) {
        if (s.pressArmed) applyTool(canvas.x, canvas.y, s.document);
        const double r = static_cast<double>(toolState().live.size) * toolState().zoom;
        const platform::Rect square{truncToInt(canvas.x - r), truncToInt(canvas.y - r), truncToInt(canvas.x + r),
                                    truncToInt(canvas.y + r)};
        platform::invalidateRect(s.windows.canvas, square);
        platform::updateWindow(s.windows.canvas);
    } else if (pointer(kColoursPointer).leftDown) {
        if (coloursFrameUpdate()) applyColourSliders();
    } else if (pointer(kPropertiesPointer).leftDown) {
        propertiesFrameUpdate();
    } else {
        clearSliderCapture();
    }
}

void followFlags() {
    ShellState& s = shell();
    if (s.colourChanged) {
        platform::invalidateWindow(s.windows.canvas);
        platform::updateWindow(s.windows.canvas);
        s.previewDirty = true;
        syncColourPanel();
        repaintStylesPanel();
        selectTool();
        s.colourChanged = false;
    }
    if (s.previewDirty) {
        renderBrushPreview();
        s.previewDirty = false;
        platform::invalidateRect(s.windows.propertiesPanel, {0, 0, 280, 160});
        platform::updateWindow(s.windows.propertiesPanel);
    }
}

// Nothing to do until the desktop has something for us: no button held in
// any of our windows and nothing waiting to be drawn or followed up.
bool idle() {
    const ShellState& s = shell();
    return !s.quitRequested && !anyPointerDown() && (!s.document.hasCells() || s.document.rendered) &&
           !s.colourChanged && !s.previewDirty && !messageScriptRunning();
}

}  // namespace

void mainLoopPass() {
    FrameClock clock;
    clock.start();
    ShellState& s = shell();

    postScriptedMessage();
    Message m;
    const bool fresh = platform::peekMessage(m);
    if (fresh) g_last = m;

    if (s.document.hasCells() && !s.document.rendered) {
        renderAll(s.document);
        platform::invalidateWindow(s.windows.canvas);
    }
    perPassWork();

    // A message is acted on once; only a pointer move is delivered again
    // while nothing new arrives, as a move of length 0, so that a resting
    // pointer pauses the tools that scale with strength (Spray Paint and the
    // Knife go on). Commands, keys, presses and drops must never repeat.
    if (fresh || g_last.kind == MessageKind::MouseMove) platform::dispatchMessage(g_last);

    followFlags();
    recordPass(clock.startSeconds, pointer(kCanvasPointer).leftDown);
    platform::endPass(clock.startSeconds + kPassSeconds, idle());
}

void runMainLoop() {
    while (!shell().quitRequested) mainLoopPass();
}

void resetMainLoop() { g_last = Message{}; }

}  // namespace sc
