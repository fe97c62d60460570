#pragma once
// The key handler shared by every window of the program: Ctrl+Z undoes, and
// the Space bar holds the Hand Tool in place of the current tool.
#include "platform/windows.h"

namespace sc {

void canvasKeyEvent(platform::Key key, bool pressed);

// A panel's window procedure as the program installs it: a key goes to the
// key handler, then every message to the panel's own procedure.
template <void (*panelProc)(const platform::Message&)>
void withProgramKeys(const platform::Message& m) {
    if (m.kind == platform::MessageKind::KeyDown || m.kind == platform::MessageKind::KeyUp) {
        canvasKeyEvent(m.key, m.kind == platform::MessageKind::KeyDown);
    }
    panelProc(m);
}

}  // namespace sc
