// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/menu_shortcuts.h"

#include "app/shell_state.h"
#include "shell/program.h"

namespace sc {

std::string shortcutTextOf(int command) {
    for (const MenuShortcut& shortcut : kMenuShortcuts) {
        if (shortcut.command == command) return shortcut.text;
    }
    return std::string();
}

bool runMenuShortcut(Program& p) {
    auto& keys = p.state.view.keyState;
    const auto held = [&keys](platform::Key key) { return keys[static_cast<std::size_t>(key)] != 0; };
    if (!held(platform::Key::Control)) return false;
    for (const MenuShortcut& shortcut : kMenuShortcuts) {
        if (!held(shortcut.key) || held(platform::Key::Shift) != shortcut.shift ||
            held(platform::Key::Alt) != shortcut.alt) {
            continue;
        }
        keys[static_cast<std::size_t>(shortcut.key)] = 0;
        platform::Message m;
        m.kind = platform::MessageKind::Command;
        m.window = p.state.frameWindow;
        m.command = shortcut.command;
        platform::postMessage(m);
        return true;
    }
    return false;
}

}  // namespace sc
