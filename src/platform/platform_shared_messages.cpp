// SPDX-License-Identifier: GPL-3.0-or-later
// The message queue shared by both implementations: posting, removing at
// most one message per call, dispatching, the Paint messages made from
// out-of-date window parts, and the handles of dropped files.
#include "platform/platform_shared.h"

#include <utility>

namespace sc::platform {
namespace {

// A Paint message for the first shown window with an out-of-date part. The
// part is moved to `painting`, so the same part is announced only once.
bool nextPaint(Message& out) {
    for (auto& [id, w] : detail::windowTable()) {
        if (w.invalid.empty() || !w.visible || w.minimised || !w.proc) continue;
        w.painting = detail::unite(w.painting, w.invalid);
        w.invalid = {};
        out = {};
        out.kind = MessageKind::Paint;
        out.window = id;
        out.serial = detail::shared().nextSerial++;
        return true;
    }
    return false;
}

}  // namespace

void postMessage(const Message& message) {
    detail::SharedState& s = detail::shared();
    s.queue.push_back(message);
    s.queue.back().serial = s.nextSerial++;
}

bool peekMessage(Message& out) {
    backend::pumpEvents();
    detail::SharedState& s = detail::shared();
    if (!s.queue.empty()) {
        out = s.queue.front();
        s.queue.pop_front();
        return true;
    }
    return nextPaint(out);
}

void dispatchMessage(const Message& message) {
    const detail::WindowRecord* w = detail::findRecord(message.window);
    if (!w || !w->proc) return;
    // A copy: the procedure may destroy its own window.
    const WindowProc proc = w->proc;
    proc(message);
}

void sendMessage(const Message& message) { dispatchMessage(message); }

void setBeforeModalHook(std::function<void()> hook) { detail::shared().beforeModal = std::move(hook); }

bool runModalLoop(WindowId window, int pauseMilliseconds, const std::function<bool()>& round) {
    detail::beforeModal();
    for (;;) {
        sleepMilliseconds(pauseMilliseconds);
        Message m;
        if (peekMessage(m)) dispatchMessage(m);
        if (!windowExists(window)) return false;
        if (!round()) return true;
    }
}

std::vector<std::string> takeDroppedFiles(std::uint32_t handle) {
    detail::SharedState& s = detail::shared();
    auto it = s.drops.find(handle);
    if (it == s.drops.end()) return {};
    std::vector<std::string> paths = std::move(it->second);
    s.drops.erase(it);
    return paths;
}

void invalidateRect(WindowId window, const Rect& rect) {
    detail::WindowRecord* w = detail::findRecord(window);
    if (!w || !detail::keepsPicture(w->kind)) return;
    const Rect clipped = detail::clipToClient(*w, rect);
    if (!clipped.empty()) w->invalid = detail::unite(w->invalid, clipped);
}

void invalidateWindow(WindowId window) { invalidateRect(window, clientRect(window)); }

void updateWindow(WindowId window) {
    detail::WindowRecord* w = detail::findRecord(window);
    if (!w || w->invalid.empty() || !w->visible) return;
    w->painting = detail::unite(w->painting, w->invalid);
    w->invalid = {};
    Message m;
    m.kind = MessageKind::Paint;
    m.window = window;
    sendMessage(m);
}

Rect beginPaint(WindowId window) {
    detail::WindowRecord* w = detail::findRecord(window);
    if (!w) return {};
    const Rect r = detail::unite(w->painting, w->invalid);
    w->painting = {};
    w->invalid = {};
    return r;
}

namespace detail {

bool messagePending() {
    if (!detail::shared().queue.empty()) return true;
    for (auto& [id, w] : windowTable()) {
        if (!w.invalid.empty() && w.visible && !w.minimised && w.proc) return true;
    }
    return false;
}

void queueDrop(WindowId window, const std::vector<std::string>& paths) {
    detail::SharedState& s = detail::shared();
    const std::uint32_t handle = s.nextDrop++;
    s.drops[handle] = paths;
    Message m;
    m.kind = MessageKind::DropFiles;
    m.window = window;
    m.handle = handle;
    postMessage(m);
}

void beforeModal() {
    SharedState& s = shared();
    if (!s.beforeModal || s.inBeforeModal) return;
    s.inBeforeModal = true;
    s.beforeModal();
    s.inBeforeModal = false;
}

void resetShared() {
    detail::SharedState& s = detail::shared();
    s.queue.clear();
    s.drops.clear();
    s.beforeModal = nullptr;
    auto& table = windowTable();
    while (!table.empty()) {
        const WindowId id = table.begin()->first;
        table.erase(table.begin());
        backend::windowDestroyed(id);
    }
}

}  // namespace detail
}  // namespace sc::platform
