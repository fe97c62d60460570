// The headless desktop: windows exist only as records, nothing is shown,
// the clock is virtual and the single-instance lock lives in this process.
#include "platform/platform_headless_state.h"
#include "platform/platform_shared.h"

namespace sc::platform {
namespace backend {

bool windowCreated(detail::WindowRecord& w) {
    std::string& fail = headless::state().failClass;
    if (!fail.empty() && fail == w.className) {
        fail.clear();
        return false;
    }
    return true;
}

void windowDestroyed(WindowId id) { headless::state().changed.erase(id); }
void windowMoved(const detail::WindowRecord&) {}
void windowShown(const detail::WindowRecord&) {}
void windowEnabled(const detail::WindowRecord&) {}
void windowMinimised(const detail::WindowRecord&) {}
void windowRaised(const detail::WindowRecord&) {}
void captionChanged(const detail::WindowRecord&) {}
void pictureChanged(const detail::WindowRecord& w, const Rect& rect) {
    Rect& part = headless::state().changed[w.id];
    part = detail::unite(part, rect);
}
void menuChanged(const detail::WindowRecord&) {}
void checksChanged(const detail::WindowRecord&) {}
void statusChanged(const detail::WindowRecord&) {}
void pumpEvents() {
    auto& timed = headless::state().timed;
    for (std::size_t i = 0; i < timed.size();) {
        if (timed[i].first > headless::state().now) {
            ++i;
            continue;
        }
        std::function<void()> action = std::move(timed[i].second);
        timed.erase(timed.begin() + static_cast<std::ptrdiff_t>(i));
        action();
    }
}
Rect desktopArea() { return headless::state().desktop; }
Point cursor() { return headless::state().cursor; }

}  // namespace backend

InstanceRole acquireSingleInstance(const std::string&) {
    headless::HeadlessState& s = headless::state();
    if (s.otherInstance) return InstanceRole::Second;
    s.holding = true;
    return InstanceRole::First;
}

void setHandOverWindow(WindowId window) { headless::state().handOverWindow = window; }

bool notifyFirstInstance(const std::string&) {
    headless::HeadlessState& s = headless::state();
    ++s.notifications;
    // The "first instance" is this process when it holds the lock.
    if (!s.holding || !windowExists(s.handOverWindow)) return s.otherInstance && s.otherAnswers;
    Message m;
    m.kind = MessageKind::HandOver;
    m.window = s.handOverWindow;
    postMessage(m);
    return true;
}

void releaseSingleInstance() { headless::state().holding = false; }

std::string runtimeFilePath(const std::string& fileName) {
    const std::string& dir = headless::state().runtimeDirectory;
    return dir.empty() ? fileName : dir + "/" + fileName;
}

long double clockSeconds() { return headless::state().now; }
std::uint32_t tickMilliseconds() { return static_cast<std::uint32_t>(headless::state().now * 1000.0L); }
void sleepMilliseconds(int milliseconds) {
    if (milliseconds > 0) headless::state().now += milliseconds / 1000.0L;
}

void endPass(long double deadline, bool mayBlock, long double wakeAt) {
    headless::HeadlessState& s = headless::state();
    s.lastWakeAt = wakeAt;
    if (s.now < deadline) s.now = deadline;
    ++s.passes;
    s.lastMayBlock = mayBlock;
    s.lastPeriod = s.now - s.lastPassEnd;
    s.lastPassEnd = s.now;
}

namespace headless {

void atTime(long double seconds, std::function<void()> action) {
    state().timed.emplace_back(seconds, std::move(action));
}

void setOtherInstanceRunning(bool running, bool answers) {
    state().otherInstance = running;
    state().otherAnswers = answers;
}
int notificationsSent() { return state().notifications; }
void setRuntimeDirectory(const std::string& directory) { state().runtimeDirectory = directory; }

Rect takeChangedPart(WindowId window) {
    const auto it = state().changed.find(window);
    if (it == state().changed.end()) return {};
    const Rect part = it->second;
    state().changed.erase(it);
    return part;
}
long double now() { return state().now; }
int passesEnded() { return state().passes; }
bool lastPassMayBlock() { return state().lastMayBlock; }
long double lastPassWakeAt() { return state().lastWakeAt; }
long double lastPassPeriod() { return state().lastPeriod; }

}  // namespace headless
}  // namespace sc::platform

namespace sc::platform {

bool initialise(int&, char**) { return true; }
void flushDisplay() {}
void shutdown() {}

}  // namespace sc::platform
