// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seam: drawing a window's picture. A window keeps its picture until a
// part of it is out of date; the program then draws that part again from its
// own surfaces.
#include "platform/windows.h"

namespace sc {
class Surface;
}

namespace sc::platform {

void invalidateRect(WindowId window, const Rect& rect);
void invalidateWindow(WindowId window);
// Sends a Paint message now if part of the window is out of date.
void updateWindow(WindowId window);
// The out-of-date part (bounding rectangle) of the window, which then counts
// as up to date. Empty when nothing was out of date.
Rect beginPaint(WindowId window);

// Copies the whole surface to the window with its top-left at (x, y), clipped.
void blit(WindowId window, const Surface& surface, int x, int y);
// For a window made with showsSurface: it shows the `from` rectangle of the
// surface stretched onto its `to` rectangle (enlarging repeats pixels;
// shrinking combines the source pixels that land on one window pixel by a
// bitwise AND), and white elsewhere (all white before the first call); the
// `changed` part of the window is drawn again. Nothing is copied: the
// desktop reads the surface when it draws, so the surface must outlive the
// window; pixels whose source lies outside it (a surface made smaller
// meanwhile) show white.
void showSurface(WindowId window, const Surface& surface, const Rect& from, const Rect& to, const Rect& changed);

}  // namespace sc::platform
