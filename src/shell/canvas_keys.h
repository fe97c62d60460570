#pragma once
// The key handler shared by every window of the program: Ctrl+Z undoes, and
// the Space bar holds the Hand Tool in place of the current tool.
#include "platform/platform.h"

namespace sc {

// key: virtual-key code (17 Control, 32 Space, 90 Z); codes outside 0..255
// are ignored.
void canvasKeyEvent(int key, bool pressed);

// A panel's window procedure as the program installs it: a key goes to the
// key handler, then every message to the panel's own procedure.
template <platform::WindowProc panelProc>
void withProgramKeys(const platform::Message& m) {
    if (m.kind == platform::MessageKind::KeyDown || m.kind == platform::MessageKind::KeyUp) {
        canvasKeyEvent(m.key, m.kind == platform::MessageKind::KeyDown);
    }
    panelProc(m);
}

}  // namespace sc
