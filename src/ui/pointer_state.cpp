#include "ui/pointer_state.h"

#include "app/canvas_keys.h"
#include "app/shell_state.h"
#include "ui/floating_windows.h"

namespace sc {

PointerState& pointer(PointerIndex which) { return shell().pointers[which]; }

void releasePointer(PointerIndex which) {
    PointerState& p = pointer(which);
    p.leftDown = false;
    p.rightDown = false;
}

void releaseAllPointers() {
    for (std::size_t i = 0; i < kPointerCount; ++i) releasePointer(static_cast<PointerIndex>(i));
}

void releaseOtherPointers(PointerIndex own) {
    for (std::size_t i = 0; i < kPointerCount; ++i) {
        if (i != own) releasePointer(static_cast<PointerIndex>(i));
    }
}

bool anyPointerDown() {
    for (const PointerState& p : shell().pointers) {
        if (p.leftDown || p.rightDown) return true;
    }
    return false;
}

bool panelCommonMessage(const platform::Message& m, PointerIndex own, PanelButtons buttons) {
    using platform::MessageKind;
    ShellState& s = shell();
    PointerState& me = pointer(own);
    switch (m.kind) {
        case MessageKind::KeyDown:
        case MessageKind::KeyUp: canvasKeyEvent(m.key, m.kind == MessageKind::KeyDown); break;
        case MessageKind::Activate:
            syncFloatingActivation(platform::parentOf(m.window), m.window, m.flag, m.other);
            return false;
        case MessageKind::MouseMove:
            releaseOtherPointers(own);
            // Positions arrive as the unsigned 16-bit words of the desktop's message.
            me.x = m.x & 0xffff;
            me.y = m.y & 0xffff;
            if (!s.leaveTracking && platform::trackMouseLeave(m.window)) s.leaveTracking = true;
            break;
        case MessageKind::MouseLeave:
            s.leaveTracking = false;
            releaseAllPointers();
            break;
        case MessageKind::LeftDown:
            releaseOtherPointers(own);
            if (buttons == PanelButtons::Common) s.pressArmed = true;
            me.leftDown = true;
            break;
        case MessageKind::LeftUp:
            releaseOtherPointers(own);
            if (buttons == PanelButtons::Common) {
                s.pressArmed = false;
            } else {
                s.previewDirty = true;
            }
            me.leftDown = false;
            break;
        default: break;
    }
    return true;
}

}  // namespace sc
