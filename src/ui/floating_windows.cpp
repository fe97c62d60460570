#include "ui/floating_windows.h"

#include <array>
#include <vector>

#include "app/shell_state.h"
#include "platform/dialogs.h"

namespace sc {
namespace {

struct Registry {
    std::array<platform::WindowId, kMaxFloatingWindows> windows{};
    // Panels hidden because the program went inactive (shown again on return).
    std::array<bool, kMaxFloatingWindows> hiddenWhileInactive{};
    int count = 0;
};

Registry& registry() {
    static Registry r;
    return r;
}

}  // namespace

platform::WindowId createFloatingWindow(const std::string& caption, int x, int y, int clientWidth,
                                        int clientHeight, const std::string& className, platform::WindowProc proc) {
    Registry& r = registry();
    const platform::WindowId frame = shell().frameWindow;
    if (r.count >= kMaxFloatingWindows) {
        platform::messageBox(frame, "Error", "Too many floating windows!");
        return platform::kNoWindow;
    }
    platform::WindowSpec windowSpec;
    windowSpec.kind = platform::WindowKind::Floating;
    windowSpec.className = className;
    windowSpec.caption = caption;
    windowSpec.parent = shell().windows.documentArea;
    windowSpec.x = x;
    windowSpec.y = y;
    windowSpec.width = clientWidth;
    windowSpec.height = clientHeight;
    windowSpec.proc = proc;
    const platform::WindowId id = platform::createWindow(windowSpec);
    if (id == platform::kNoWindow) platform::messageBox(frame, "Error", "Failed To Create Floating Window");
    r.hiddenWhileInactive[static_cast<std::size_t>(r.count)] = false;
    r.windows[static_cast<std::size_t>(r.count++)] = id;
    return id;
}

void syncFloatingActivation(platform::WindowId owner, platform::WindowId, bool active, platform::WindowId other) {
    // A notice forwarded from one of our own windows changes nothing more.
    if (other == kForwardedActivation) return;
    Registry& r = registry();
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

void syncFloatingEnable(platform::WindowId window, bool enable) {
    Registry& r = registry();
    for (int i = 0; i < r.count; ++i) {
        const platform::WindowId w = r.windows[static_cast<std::size_t>(i)];
        if (w != window && w != platform::kNoWindow) platform::enableWindow(w, enable);
    }
}

int floatingWindowCount() { return registry().count; }

platform::WindowId floatingWindow(int slot) {
    Registry& r = registry();
    return slot >= 0 && slot < r.count ? r.windows[static_cast<std::size_t>(slot)] : platform::kNoWindow;
}

void resetFloatingWindows() { registry() = Registry{}; }

}  // namespace sc
