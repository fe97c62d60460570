// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The canvas view: the one window that shows the painting at the view's zoom
// and turns pointer messages into the canvas pointer record the main loop
// paints from.
#include <cstdint>

#include "platform/windows.h"

namespace sc {

struct Program;

inline constexpr int kCanvasWindowX = 90;
inline constexpr int kCanvasWindowY = 10;

inline constexpr const char* kNewImageFailedText = "Not enough memory for a canvas of that size!";
inline constexpr const char* kFillOutOfMemoryText = "Out of memory for fill routine!";

// A new blank document of the given size at zoom 1; counts as saved. When its
// memory cannot be had, shows kNewImageFailedText and returns false with the
// old document, its window and its saved state untouched.
bool newImage(Program& p, std::uint32_t width, std::uint32_t height);
// Destroys and re-creates the canvas window for the document size and zoom,
// at (90, 10) in the document area.
void recreateCanvasWindow(Program& p);
// The cell column (or row) that window pixel v of the canvas window shows:
// trunc(v / zoom), the quotient in single precision.
int cellAt(int v, float zoom);
// Shows the cells [left, right) x [top, bottom) of the document surface in
// the canvas window, stretched by the zoom: that part of the window is drawn
// again from the surface.
void paintView(Program& p, int left, int top, int right, int bottom);
// Window procedure of the canvas window ("CanvasWindowClass").
void canvasWindowProc(Program& p, const platform::Message& m);
// While the left button is held over the canvas: the live tool applied at the
// canvas pointer's cell (when the press is armed) and what it changed shown
// at once: the cells it rendered, the Hand Tool's move, the Eye Dropper's
// colour, Fill's end of the press or its out-of-memory message. With Smooth
// Strokes on, the tool is applied at spaced points along the way from the
// point last applied.
void paintAtPointer(Program& p);

}  // namespace sc
