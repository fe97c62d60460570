// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A panel's look: its back buffer, copied to the window on Paint.
#include "engine/surface.h"
#include "platform/drawing.h"
#include "platform/windows.h"

namespace sc {

// Copies the back buffer to the window's out-of-date part (the whole buffer
// is copied; the window clips it).
inline void paintPanel(platform::WindowId window, const Surface& backBuffer) {
    const platform::Rect r = platform::beginPaint(window);
    if (!r.empty() && backBuffer.valid()) platform::blit(window, backBuffer, 0, 0);
}

inline void repaintPanel(platform::WindowId window) {
    platform::invalidateWindow(window);
    platform::updateWindow(window);
}

}  // namespace sc
