// SPDX-License-Identifier: GPL-3.0-or-later
// The window table shared by both implementations: records, geometry,
// visibility, captions and the out-of-date parts of each window's picture.
#include <algorithm>

#include "platform/platform_shared.h"

namespace sc::platform {
namespace detail {

SharedState& shared() {
    static SharedState state;
    return state;
}

std::map<WindowId, WindowRecord>& windowTable() { return shared().windows; }

WindowRecord* findRecord(WindowId id) {
    auto& table = windowTable();
    auto it = table.find(id);
    return it == table.end() ? nullptr : &it->second;
}

bool keepsPicture(WindowKind kind) {
    return kind == WindowKind::Child || kind == WindowKind::Floating || kind == WindowKind::Splash;
}

Point screenOrigin(WindowId id) {
    Point p;
    for (const WindowRecord* w = findRecord(id); w;
         w = w->kind == WindowKind::Child || w->kind == WindowKind::DocumentArea ? findRecord(w->parent) : nullptr) {
        p.x += w->x;
        p.y += w->y;
    }
    return p;
}

namespace {

bool shownOnScreen(const WindowRecord& w) {
    for (const WindowRecord* r = &w; r;
         r = r->kind == WindowKind::Child || r->kind == WindowKind::DocumentArea ? findRecord(r->parent) : nullptr) {
        if (!r->visible || r->minimised) return false;
    }
    return true;
}

}  // namespace

WindowId windowAtScreen(Point p) {
    // Later windows lie above earlier ones; children are made after parents.
    auto& table = windowTable();
    for (auto it = table.rbegin(); it != table.rend(); ++it) {
        const WindowRecord& w = it->second;
        if (!shownOnScreen(w)) continue;
        const Point o = screenOrigin(w.id);
        if (p.x >= o.x && p.y >= o.y && p.x < o.x + w.width && p.y < o.y + w.height) return w.id;
    }
    return kNoWindow;
}

Rect clipToClient(const WindowRecord& w, Rect r) {
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, w.width);
    r.bottom = std::min(r.bottom, w.height);
    return r;
}

Rect unite(const Rect& a, const Rect& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

void setClientSize(WindowId id, int width, int height) {
    WindowRecord* w = findRecord(id);
    if (!w) return;
    w->width = std::max(width, 0);
    w->height = std::max(height, 0);
    if (!keepsPicture(w->kind)) return;
    if (!w->showsSurface) w->pixels.assign(static_cast<std::size_t>(w->width) * w->height, 0xffffffffu);
    w->invalid = {0, 0, w->width, w->height};
}

void enableOwnerForModal(WindowId owner, bool enable) {
    if (owner == kNoWindow || !findRecord(owner)) return;
    Message m;
    m.kind = MessageKind::Enable;
    m.window = owner;
    m.flag = enable;
    sendMessage(m);
}

}  // namespace detail

using detail::findRecord;
using detail::WindowRecord;

WindowId createWindow(const WindowSpec& windowSpec) {
    if (windowSpec.parent != kNoWindow && !findRecord(windowSpec.parent)) return kNoWindow;
    const bool needsParent = windowSpec.kind == WindowKind::Child || windowSpec.kind == WindowKind::DocumentArea;
    if (needsParent && windowSpec.parent == kNoWindow) return kNoWindow;
    WindowRecord w;
    w.id = detail::shared().nextId++;
    w.kind = windowSpec.kind;
    w.className = windowSpec.className;
    w.caption = windowSpec.caption;
    w.parent = windowSpec.parent;
    w.x = windowSpec.x;
    w.y = windowSpec.y;
    w.visible = windowSpec.visible;
    w.proc = windowSpec.proc;
    w.pointerShape = windowSpec.pointerShape;
    w.closeBox = windowSpec.closeBox;
    w.showsSurface = windowSpec.showsSurface && detail::keepsPicture(windowSpec.kind);
    w.width = std::max(windowSpec.width, 0);
    w.height = std::max(windowSpec.height, 0);
    if (windowSpec.kind == WindowKind::Frame || windowSpec.kind == WindowKind::DocumentArea) {
        // Both fill what they are given: the desktop, or the frame's client area.
        const Rect area = windowSpec.kind == WindowKind::Frame ? backend::desktopArea() : clientRect(windowSpec.parent);
        w.x = windowSpec.kind == WindowKind::Frame ? area.left : 0;
        w.y = windowSpec.kind == WindowKind::Frame ? area.top : 0;
        w.width = area.width();
        w.height = area.height();
    }
    auto& table = detail::windowTable();
    WindowRecord& stored = table.emplace(w.id, std::move(w)).first->second;
    detail::setClientSize(stored.id, stored.width, stored.height);
    if (!backend::windowCreated(stored)) {
        table.erase(stored.id);
        return kNoWindow;
    }
    return stored.id;
}

void destroyWindow(WindowId id) {
    if (!findRecord(id)) return;
    // Children and owned windows go first, as their owner's destruction ends them.
    for (WindowId child : childrenOf(id)) destroyWindow(child);
    Message m;
    m.kind = MessageKind::Destroy;
    m.window = id;
    sendMessage(m);
    if (!findRecord(id)) return;
    detail::windowTable().erase(id);
    backend::windowDestroyed(id);
}

bool windowExists(WindowId id) { return findRecord(id) != nullptr; }

WindowId findWindow(const std::string& className, const std::string& captionText) {
    for (auto& [id, w] : detail::windowTable()) {
        if (w.className == className && w.caption == captionText) return id;
    }
    return kNoWindow;
}

void moveWindow(WindowId id, int x, int y) {
    WindowRecord* w = findRecord(id);
    if (!w || (w->x == x && w->y == y)) return;
    w->x = x;
    w->y = y;
    backend::windowMoved(*w);
}

Point windowPosition(WindowId id) {
    const WindowRecord* w = findRecord(id);
    return w ? Point{w->x, w->y} : Point{};
}

Rect clientRect(WindowId id) {
    const WindowRecord* w = findRecord(id);
    return w ? Rect{0, 0, w->width, w->height} : Rect{};
}

void showWindow(WindowId id, bool show) {
    WindowRecord* w = findRecord(id);
    if (!w) return;
    if (show && w->minimised) w->minimised = false;
    if (w->visible == show) return;
    w->visible = show;
    backend::windowShown(*w);
}

bool isWindowVisible(WindowId id) {
    const WindowRecord* w = findRecord(id);
    return w && w->visible;
}

void enableWindow(WindowId id, bool enable) {
    WindowRecord* w = findRecord(id);
    if (!w || w->enabled == enable) return;
    w->enabled = enable;
    backend::windowEnabled(*w);
}

bool isWindowEnabled(WindowId id) {
    const WindowRecord* w = findRecord(id);
    return w && w->enabled;
}

bool isWindowMinimised(WindowId id) {
    const WindowRecord* w = findRecord(id);
    return w && w->minimised;
}

bool hasOutOfDatePart(WindowId id) {
    const WindowRecord* w = findRecord(id);
    return w && (!w->invalid.empty() || !w->painting.empty());
}

void minimiseWindow(WindowId id) {
    WindowRecord* w = findRecord(id);
    if (!w || w->minimised) return;
    w->minimised = true;
    backend::windowMinimised(*w);
}

void bringToFront(WindowId id) {
    WindowRecord* w = findRecord(id);
    if (!w) return;
    w->minimised = false;
    backend::windowRaised(*w);
}

void setCaption(WindowId id, const std::string& text) {
    WindowRecord* w = findRecord(id);
    if (!w || w->caption == text) return;
    w->caption = text;
    backend::captionChanged(*w);
}

std::string caption(WindowId id) {
    const WindowRecord* w = findRecord(id);
    return w ? w->caption : std::string();
}

WindowId parentOf(WindowId id) {
    const WindowRecord* w = findRecord(id);
    return w ? w->parent : kNoWindow;
}

std::vector<WindowId> childrenOf(WindowId id) {
    std::vector<WindowId> out;
    for (auto& [childId, w] : detail::windowTable()) {
        if (w.parent == id) out.push_back(childId);
    }
    return out;
}

Rect desktopClientArea() { return backend::desktopArea(); }
Point cursorPosition() { return backend::cursor(); }

bool trackMouseLeave(WindowId id) {
    WindowRecord* w = findRecord(id);
    if (!w) return false;
    w->leaveTracking = true;
    return true;
}

bool addTooltip(WindowId id, const Rect& rect, const std::string& text) {
    WindowRecord* w = findRecord(id);
    if (!w) return false;
    w->tooltips.push_back({rect, text});
    return true;
}

void acceptDroppedFiles(WindowId frame) {
    if (WindowRecord* w = findRecord(frame)) w->acceptsDrops = true;
}

}  // namespace sc::platform
