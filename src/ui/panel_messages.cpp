// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel_messages.h"

#include "app/shell_state.h"
#include "platform/windows.h"
#include "ui/floating_windows.h"

namespace sc {

bool panelCommonMessage(ShellState& s, FloatingWindows& floating, const platform::Message& m, PointerIndex own,
                        PanelButtons buttons) {
    using platform::MessageKind;
    PointerState& me = s.pointers[own];
    switch (m.kind) {
        case MessageKind::Activate:
            syncFloatingActivation(floating, platform::parentOf(m.window), m.window, m.flag, m.other);
            return false;
        case MessageKind::MouseMove:
            s.pointers.releaseOthers(own);
            // Positions arrive as the unsigned 16-bit words of the desktop's message.
            me.x = m.x & 0xffff;
            me.y = m.y & 0xffff;
            if (!s.leaveTracking && platform::trackMouseLeave(m.window)) s.leaveTracking = true;
            break;
        case MessageKind::MouseLeave:
            s.leaveTracking = false;
            s.pointers.releaseAll();
            break;
        case MessageKind::LeftDown:
            s.pointers.releaseOthers(own);
            if (buttons == PanelButtons::Common) s.pressArmed = true;
            me.leftDown = true;
            break;
        case MessageKind::LeftUp:
            s.pointers.releaseOthers(own);
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
