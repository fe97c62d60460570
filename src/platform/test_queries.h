// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a test reads back from the seam (and the implementations use among
// themselves): the program itself never asks, it keeps its own state.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/windows.h"

namespace sc {
class Surface;
}

namespace sc::platform {

WindowId findWindow(const std::string& className, const std::string& caption);
Point windowPosition(WindowId window);
bool isWindowEnabled(WindowId window);
bool isWindowMinimised(WindowId window);
// Whether part of the window is out of date: made invalid and not yet drawn
// by its Paint message.
bool hasOutOfDatePart(WindowId window);
std::string caption(WindowId window);
// Windows whose parent or owner is this one, in creation order.
std::vector<WindowId> childrenOf(WindowId window);

// Copies the source rectangle (sx, sy, sw, sh) of the surface to the window
// rectangle (dx, dy, dw, dh) of a window that keeps its own picture, as
// showSurface shows one.
void stretchBlit(WindowId window, const Surface& surface, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                 int dh);
// The window's picture at (x, y) as red | green << 8 | blue << 16; 0 outside.
std::uint32_t windowPixel(WindowId window, int x, int y);
// The window's picture in the rectangle, as the desktop draws it: 0xffRRGGBB
// values, top row first, `stride` values from one row to the next; pixels
// outside the window are 0.
void windowPixels(WindowId window, const Rect& rect, std::uint32_t* out, std::size_t stride);

// The frame's menu check marks and enabled items as shown, and a part of its
// status bar.
bool menuChecked(WindowId frame, int command);
bool menuItemEnabled(WindowId frame, int command);
std::string statusText(WindowId frame, int part);

}  // namespace sc::platform
