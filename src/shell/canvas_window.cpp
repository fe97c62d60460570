// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas window's procedure: painting, pointer moves and presses (handed
// to the stroke through tools/pointer_stroke.h), releases and the leave
// notice. Painting itself happens in the main loop, never in these handlers.
#include "app/shell_state.h"
#include "app/undo.h"
#include "platform/drawing.h"
#include "shell/canvas_keys.h"
#include "shell/canvas_view.h"
#include "shell/program.h"
#include "shell/zoom_steps.h"
#include "tools/pointer_stroke.h"
#include "tools/tool_table.h"
#include "tools/tools.h"

namespace sc {
namespace {

using platform::Message;
using platform::MessageKind;

void onPaint(Program& p, platform::WindowId window) {
    const platform::Rect r = platform::beginPaint(window);
    if (r.empty()) return;
    const float zoom = p.state.view.zoom;
    paintView(p, cellAt(r.left, zoom), cellAt(r.top, zoom), cellAt(r.right, zoom), cellAt(r.bottom, zoom));
}

void onMove(ShellState& s, const Message& m) {
    const int x = m.x & 0xffff;
    const int y = m.y & 0xffff;
    PointerState& canvas = s.pointers[kCanvasPointer];
    strokePointerMove(s.tools, s.painting.document, canvas.x - x, canvas.y - y, m.pressure);
    canvas.x = x;
    canvas.y = y;
    if (!s.leaveTracking && platform::trackMouseLeave(m.window)) s.leaveTracking = true;
    s.view.pointerOverCanvas = true;
}

void onLeftDown(ShellState& s, const Message& m) {
    PointerState& canvas = s.pointers[kCanvasPointer];
    const bool fresh = !canvas.leftDown;
    s.view.lastCursor = platform::cursorPosition();
    if (toolRow(s.tools.live.tool).takesSnapshot) takeStrokeSnapshot(s.painting, s.tools);
    s.pressArmed = true;
    canvas.leftDown = true;
    s.view.appliedInStroke = false;
    strokePress(s.tools, s.painting.document, fresh, m.pressure);
}

}  // namespace

void canvasWindowProc(Program& p, const Message& m) {
    ShellState& s = p.state;
    switch (m.kind) {
        case MessageKind::KeyDown:
        case MessageKind::KeyUp: canvasKeyEvent(p, m.key, m.kind == MessageKind::KeyDown); break;
        case MessageKind::Paint: onPaint(p, m.window); break;
        case MessageKind::MouseMove: onMove(s, m); break;
        case MessageKind::MouseLeave:
            s.leaveTracking = false;
            s.view.pointerOverCanvas = false;
            s.pointers.releaseAll();
            strokeEnd(s.tools, s.painting.document);
            break;
        case MessageKind::LeftDown: onLeftDown(s, m); break;
        case MessageKind::LeftUp:
            strokeEnd(s.tools, s.painting.document);
            s.pressArmed = false;
            s.pointers[kCanvasPointer].leftDown = false;
            break;
        case MessageKind::RightDown: s.pointers[kCanvasPointer].rightDown = true; break;
        case MessageKind::RightUp: s.pointers[kCanvasPointer].rightDown = false; break;
        case MessageKind::ZoomWheel: zoomByWheel(p, m); break;
        case MessageKind::Destroy:
            if (s.windows.canvas == m.window) s.windows.canvas = platform::kNoWindow;
            break;
        default: break;
    }
}

}  // namespace sc
