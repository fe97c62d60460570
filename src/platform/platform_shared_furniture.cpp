// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's menu check marks and enabled items, and its status bar, as
// kept in the shared window table; the desktop mirrors them.
#include "platform/platform_shared.h"

namespace sc::platform {
namespace {

void collectCommands(const std::vector<MenuItem>& items, detail::WindowRecord& w) {
    for (const MenuItem& item : items) {
        if (item.command != 0) w.itemEnabled[item.command] = item.enabled;
        collectCommands(item.items, w);
    }
}

}  // namespace

void setMenuBar(WindowId frame, const std::vector<MenuItem>& menus) {
    detail::WindowRecord* w = detail::findRecord(frame);
    if (!w) return;
    w->menus = menus;
    w->itemEnabled.clear();
    collectCommands(menus, *w);
    backend::menuChanged(*w);
}

void setMenuCheck(WindowId frame, int command, bool checked) {
    detail::WindowRecord* w = detail::findRecord(frame);
    if (!w) return;
    w->checks[command] = checked;
    backend::checksChanged(*w);
}

void setMenuEnabled(WindowId frame, int command, bool enabled) {
    detail::WindowRecord* w = detail::findRecord(frame);
    if (!w) return;
    w->itemEnabled[command] = enabled;
    backend::checksChanged(*w);
}

bool menuChecked(WindowId frame, int command) {
    const detail::WindowRecord* w = detail::findRecord(frame);
    if (!w) return false;
    auto it = w->checks.find(command);
    return it != w->checks.end() && it->second;
}

bool menuItemEnabled(WindowId frame, int command) {
    const detail::WindowRecord* w = detail::findRecord(frame);
    if (!w) return false;
    auto it = w->itemEnabled.find(command);
    return it != w->itemEnabled.end() && it->second;
}

bool createStatusBar(WindowId frame, const std::vector<int>& rightEdges) {
    detail::WindowRecord* w = detail::findRecord(frame);
    if (!w || w->kind != WindowKind::Frame) return false;
    w->hasStatusBar = true;
    w->statusEdges = rightEdges;
    w->statusTexts.assign(rightEdges.size(), std::string());
    backend::statusChanged(*w);
    return true;
}

bool hasStatusBar(WindowId frame) {
    const detail::WindowRecord* w = detail::findRecord(frame);
    return w && w->hasStatusBar;
}

void setStatusText(WindowId frame, int part, const std::string& text) {
    detail::WindowRecord* w = detail::findRecord(frame);
    if (!w || !w->hasStatusBar || part < 0 || part >= static_cast<int>(w->statusTexts.size())) return;
    if (w->statusTexts[static_cast<std::size_t>(part)] == text) return;
    w->statusTexts[static_cast<std::size_t>(part)] = text;
    backend::statusChanged(*w);
}

std::string statusText(WindowId frame, int part) {
    const detail::WindowRecord* w = detail::findRecord(frame);
    if (!w || part < 0 || part >= static_cast<int>(w->statusTexts.size())) return {};
    return w->statusTexts[static_cast<std::size_t>(part)];
}

}  // namespace sc::platform
