// The canvas window's procedure: painting, the texture-offset drift and the
// stroke motion of pointer moves, presses, releases and the leave notice.
// Painting itself happens in the main loop, never in these handlers.
#include "app/shell_state.h"
#include "app/undo.h"
#include "platform/drawing.h"
#include "shell/canvas_keys.h"
#include "shell/canvas_view.h"
#include "shell/program.h"
#include "tools/tool_table.h"
#include "shell/zoom_steps.h"
#include "tools/tools.h"

namespace sc {
namespace {

using platform::Message;
using platform::MessageKind;

// The square of the movement, keeping its sign: d x |d|.
std::int64_t signedSquare(std::int64_t d) { return d < 0 ? -(d * d) : d * d; }

void onPaint(Program& p, platform::WindowId window) {
    const platform::Rect r = platform::beginPaint(window);
    if (r.empty()) return;
    const float zoom = p.state.view.zoom;
    paintView(p, cellAt(r.left, zoom), cellAt(r.top, zoom), cellAt(r.right, zoom), cellAt(r.bottom, zoom));
}

void onMove(ShellState& s, const Message& m) {
    ToolState& t = s.tools;
    const int x = m.x & 0xffff;
    const int y = m.y & 0xffff;

    const float k = static_cast<float>(t.random.next() % 100) * 0.001f;
    const long double j = static_cast<long double>(t.random.next() % 100) * static_cast<long double>(0.0016666667f);
    const std::int64_t dx = signedSquare(static_cast<std::int64_t>(s.view.previousPointer.x) - x);
    const std::int64_t dy = signedSquare(static_cast<std::int64_t>(s.view.previousPointer.y) - y);
    t.styleOffset.x = static_cast<float>(t.styleOffset.x - static_cast<double>(dx) * k);
    t.styleOffset.y = static_cast<float>(t.styleOffset.y - static_cast<double>(dy) * k);
    t.textureOffset.x = static_cast<float>(t.textureOffset.x - static_cast<long double>(dx) * j);
    t.textureOffset.y = static_cast<float>(t.textureOffset.y - static_cast<long double>(dy) * j);

    PointerState& canvas = s.pointers[kCanvasPointer];
    t.pressure = m.pressure;
    strokeMove(s.tools, s.painting.document, canvas.x - x, canvas.y - y);
    canvas.x = x;
    canvas.y = y;
    if (!s.leaveTracking && platform::trackMouseLeave(m.window)) s.leaveTracking = true;
    s.view.previousPointer = {x, y};
    s.view.pointerOverCanvas = true;
}

void onLeftDown(ShellState& s, const Message& m) {
    ToolState& t = s.tools;
    PointerState& canvas = s.pointers[kCanvasPointer];
    if (!canvas.leftDown) {
        t.textureOffset.x = static_cast<float>(t.random.next() % 256);
        t.textureOffset.y = static_cast<float>(t.random.next() % 256);
        t.styleOffset.x = static_cast<float>(t.random.next() % 256);
        t.styleOffset.y = static_cast<float>(t.random.next() % 256);
    }
    s.view.lastCursor = platform::cursorPosition();
    if (toolRow(t.live.tool).takesSnapshot) takeStrokeSnapshot(s.painting, s.tools);
    s.pressArmed = true;
    canvas.leftDown = true;
    s.view.appliedInStroke = false;
    t.pressure = m.pressure;
    strokeBegin(s.tools, s.painting.document);
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
