// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view's six zooms, chosen from the View menu or stepped through with
// Ctrl++ / Ctrl+- and Control with the mouse wheel. A step keeps the cell
// under the pointer where it was in the document area.
#include "platform/windows.h"

namespace sc {

struct Program;

inline constexpr float kZoomSteps[] = {0.25f, 0.5f, 1.0f, 2.0f, 3.0f, 4.0f};

// The View menu's zoom: the canvas window made again at its usual place.
void setZoom(Program& p, float zoom);
// `steps` places up (positive) or down the six zooms from the present one,
// stopping at the ends. The canvas-window point `anchor` (it may lie outside
// the window) shows the same cell before and after, as near as the new zoom
// allows: the new canvas window is moved so. Nothing at an end.
void stepZoom(Program& p, int steps, platform::Point anchor);
// Ctrl++ / Ctrl+-: anchored at the pointer while it is over the canvas
// window, otherwise at the window's centre.
void stepZoomByKey(Program& p, int steps);
// A ZoomWheel message of the canvas window or of the document area.
void zoomByWheel(Program& p, const platform::Message& m);

}  // namespace sc
