// SPDX-License-Identifier: GPL-3.0-or-later
// Copies of Surfaces into a window's picture, plain and stretched, surfaces
// shown by windows that keep no picture, and reading a window's picture back.
// The stretch itself is platform_shared_stretch.cpp.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/surface.h"
#include "platform/platform_shared.h"

namespace sc::platform {

void stretchBlit(WindowId window, const Surface& surface, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                 int dh) {
    detail::WindowRecord* w = detail::findRecord(window);
    if (!w || w->pixels.empty() || !surface.valid() || sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    const Rect to{dx, dy, dx + dw, dy + dh};
    const Rect target = detail::clipToClient(*w, to);
    if (target.empty()) return;
    std::uint32_t* out = w->pixels.data() + static_cast<std::size_t>(target.top) * w->width + target.left;
    detail::stretchPixels(surface, {sx, sy, sx + sw, sy + sh}, to, target, out, static_cast<std::size_t>(w->width),
                          detail::Uncovered::Keep);
    backend::pictureChanged(*w, target);
}

void blit(WindowId window, const Surface& surface, int x, int y) {
    const int w = static_cast<int>(surface.width());
    const int h = static_cast<int>(surface.height());
    stretchBlit(window, surface, 0, 0, w, h, x, y, w, h);
}

void showSurface(WindowId window, const Surface& surface, const Rect& from, const Rect& to, const Rect& changed) {
    detail::WindowRecord* w = detail::findRecord(window);
    if (!w || !w->showsSurface) return;
    w->shown = &surface;
    w->shownFrom = from;
    w->shownTo = to;
    const Rect part = detail::clipToClient(*w, changed);
    if (!part.empty()) backend::pictureChanged(*w, part);
}

void windowPixels(WindowId window, const Rect& rect, std::uint32_t* out, std::size_t stride) {
    if (rect.empty()) return;
    const detail::WindowRecord* w = detail::findRecord(window);
    const Rect inside = w ? detail::clipToClient(*w, rect) : Rect{};
    const bool picture = w && (w->showsSurface || !w->pixels.empty());
    if (!picture || inside.left != rect.left || inside.top != rect.top || inside.right != rect.right ||
        inside.bottom != rect.bottom) {
        const std::size_t width = static_cast<std::size_t>(rect.width());
        for (int y = rect.top; y < rect.bottom; ++y) std::fill_n(out + (y - rect.top) * stride, width, 0u);
    }
    if (!picture || inside.empty()) return;
    std::uint32_t* first = out + static_cast<std::size_t>(inside.top - rect.top) * stride + (inside.left - rect.left);
    if (w->showsSurface) {
        if (w->shown) {
            detail::stretchPixels(*w->shown, w->shownFrom, w->shownTo, inside, first, stride, detail::Uncovered::White);
        } else {
            for (int y = inside.top; y < inside.bottom; ++y)
                std::fill_n(first + (y - inside.top) * stride, inside.width(), 0xffffffffu);
        }
        return;
    }
    for (int y = inside.top; y < inside.bottom; ++y) {
        const std::uint32_t* from = w->pixels.data() + static_cast<std::size_t>(y) * w->width + inside.left;
        std::memcpy(first + (y - inside.top) * stride, from, static_cast<std::size_t>(inside.width()) * 4);
    }
}

std::uint32_t windowPixel(WindowId window, int x, int y) {
    std::uint32_t p = 0;
    windowPixels(window, {x, y, x + 1, y + 1}, &p, 1);
    return ((p >> 16) & 0xffu) | (p & 0xff00u) | ((p & 0xffu) << 16);
}

}  // namespace sc::platform
