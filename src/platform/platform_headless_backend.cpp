// SPDX-License-Identifier: GPL-3.0-or-later
// The headless desktop: windows exist only as records, nothing is shown,
// the clock is virtual and the single-instance lock lives in this process.
#include "platform/platform_headless_state.h"
#include "platform/platform_shared.h"

namespace sc::platform {
namespace backend {

bool windowCreated(detail::WindowRecord& w) {
    std::string& fail = headless::state().windows.failClass;
    if (!fail.empty() && fail == w.className) {
        fail.clear();
        return false;
    }
    return true;
}

void windowDestroyed(WindowId id) { headless::state().windows.changed.erase(id); }
void windowMoved(const detail::WindowRecord&) {}
void windowShown(const detail::WindowRecord&) {}
void windowEnabled(const detail::WindowRecord&) {}
void windowMinimised(const detail::WindowRecord&) {}
void windowRaised(const detail::WindowRecord&) {}
void captionChanged(const detail::WindowRecord&) {}
void pictureChanged(const detail::WindowRecord& w, const Rect& rect) {
    Rect& part = headless::state().windows.changed[w.id];
    part = detail::unite(part, rect);
}
void menuChanged(const detail::WindowRecord&) {}
void checksChanged(const detail::WindowRecord&) {}
void statusChanged(const detail::WindowRecord&) {}
void pumpEvents() {
    auto& timed = headless::state().clock.timed;
    for (std::size_t i = 0; i < timed.size();) {
        if (timed[i].first > headless::state().clock.now) {
            ++i;
            continue;
        }
        std::function<void()> action = std::move(timed[i].second);
        timed.erase(timed.begin() + static_cast<std::ptrdiff_t>(i));
        action();
    }
}
Rect desktopArea() { return headless::state().windows.desktop; }
Point cursor() { return headless::state().windows.cursor; }

}  // namespace backend

InstanceRole acquireSingleInstance(const std::string&) {
    headless::HeadlessState& s = headless::state();
    if (s.desktop.otherInstance) return InstanceRole::Second;
    s.desktop.holding = true;
    return InstanceRole::First;
}

void setHandOverWindow(WindowId window) { headless::state().desktop.handOverWindow = window; }

bool notifyFirstInstance(const std::string&) {
    headless::HeadlessState& s = headless::state();
    ++s.desktop.notifications;
    // The "first instance" is this process when it holds the lock.
    if (!s.desktop.holding || !windowExists(s.desktop.handOverWindow))
        return s.desktop.otherInstance && s.desktop.otherAnswers;
    Message m;
    m.kind = MessageKind::HandOver;
    m.window = s.desktop.handOverWindow;
    postMessage(m);
    return true;
}

void releaseSingleInstance() { headless::state().desktop.holding = false; }

std::string runtimeFilePath(const std::string& fileName) {
    const std::string& dir = headless::state().desktop.runtimeDirectory;
    return dir.empty() ? fileName : dir + "/" + fileName;
}

long double clockSeconds() { return headless::state().clock.now; }
std::uint32_t tickMilliseconds() { return static_cast<std::uint32_t>(headless::state().clock.now * 1000.0L); }
void sleepMilliseconds(int milliseconds) {
    if (milliseconds > 0) headless::state().clock.now += milliseconds / 1000.0L;
}

void endPass(long double deadline, bool mayBlock, long double wakeAt) {
    headless::HeadlessState& s = headless::state();
    s.clock.lastWakeAt = wakeAt;
    if (s.clock.now < deadline) s.clock.now = deadline;
    ++s.clock.passes;
    s.clock.lastMayBlock = mayBlock;
    s.clock.lastPeriod = s.clock.now - s.clock.lastPassEnd;
    s.clock.lastPassEnd = s.clock.now;
}

namespace headless {

void atTime(long double seconds, std::function<void()> action) {
    state().clock.timed.emplace_back(seconds, std::move(action));
}

void setOtherInstanceRunning(bool running, bool answers) {
    state().desktop.otherInstance = running;
    state().desktop.otherAnswers = answers;
}
int notificationsSent() { return state().desktop.notifications; }
void setRuntimeDirectory(const std::string& directory) { state().desktop.runtimeDirectory = directory; }

Rect takeChangedPart(WindowId window) {
    const auto it = state().windows.changed.find(window);
    if (it == state().windows.changed.end()) return {};
    const Rect part = it->second;
    state().windows.changed.erase(it);
    return part;
}
long double now() { return state().clock.now; }
int passesEnded() { return state().clock.passes; }
bool lastPassMayBlock() { return state().clock.lastMayBlock; }
long double lastPassWakeAt() { return state().clock.lastWakeAt; }
long double lastPassPeriod() { return state().clock.lastPeriod; }

}  // namespace headless
}  // namespace sc::platform

namespace sc::platform {

bool initialise(int&, char**) { return true; }
void flushDisplay() {}
void shutdown() {}

}  // namespace sc::platform
