// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/floating_windows.h"

#include <utility>
#include <vector>

#include "app/shell_state.h"
#include "platform/dialogs.h"

namespace sc {

platform::WindowId createFloatingWindow(FloatingWindows& r, const ShellState& s, const std::string& caption, int x,
                                        int y, int clientWidth, int clientHeight, const std::string& className,
                                        platform::WindowProc proc) {
    const platform::WindowId frame = s.frameWindow;
    if (r.count >= kMaxFloatingWindows) {
        platform::messageBox(frame, "Error", "Too many floating windows!");
        return platform::kNoWindow;
    }
    platform::WindowSpec windowSpec;
    windowSpec.kind = platform::WindowKind::Floating;
    windowSpec.className = className;
    windowSpec.caption = caption;
    windowSpec.parent = s.windows.documentArea;
    windowSpec.x = x;
    windowSpec.y = y;
    windowSpec.width = clientWidth;
    windowSpec.height = clientHeight;
    windowSpec.proc = std::move(proc);
    const platform::WindowId id = platform::createWindow(windowSpec);
    if (id == platform::kNoWindow) platform::messageBox(frame, "Error", "Failed To Create Floating Window");
    r.hiddenWhileInactive[static_cast<std::size_t>(r.count)] = false;
    r.windows[static_cast<std::size_t>(r.count++)] = id;
    return id;
}

void syncFloatingActivation(FloatingWindows& r, platform::WindowId owner, platform::WindowId, bool active,
                            platform::WindowId other) {
    // A notice forwarded from one of our own windows changes nothing more.
    if (other == kForwardedActivation) return;
    std::vector<platform::WindowId> list(r.windows.begin(), r.windows.begin() + r.count);
    if (list.size() < kMaxFloatingWindows) list.push_back(owner);
    for (platform::WindowId w : list) {
        // Activation moving between our own windows: the program stays active.
        if (other != platform::kNoWindow && w == other) return;
    }
    // Another program gained or lost activation (the desktop draws the
    // captions): hide the panels while we are inactive and show again the
    // ones we hid when we come back. A panel the user closed stays closed.
    for (int i = 0; i < r.count; ++i) {
        const platform::WindowId w = r.windows[static_cast<std::size_t>(i)];
        if (w == platform::kNoWindow || w == owner) continue;
        bool& hidden = r.hiddenWhileInactive[static_cast<std::size_t>(i)];
        if (!active && platform::isWindowVisible(w)) {
            platform::showWindow(w, false);
            hidden = true;
        } else if (active && hidden) {
            platform::showWindow(w, true);
            hidden = false;
        }
    }
}

void syncFloatingEnable(const FloatingWindows& r, platform::WindowId window, bool enable) {
    for (int i = 0; i < r.count; ++i) {
        const platform::WindowId w = r.windows[static_cast<std::size_t>(i)];
        if (w != window && w != platform::kNoWindow) platform::enableWindow(w, enable);
    }
}

}  // namespace sc
