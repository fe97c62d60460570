// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the rest of the program uses of the painting tools: the stroke
// lifecycle and the one-application dispatcher, each handed the tools' record
// it works on. The brush preview and the
// preset thumbnails drive these on their own small off-screen canvases.
#include "tools/brush_mask.h"
#include "tools/brush_settings.h"
#include "tools/tool_outcome.h"
#include "tools/tool_state.h"

namespace sc {

class Canvas;

// Largest brush size in cells; the mask is 2 * kMaxBrushSize cells square.
inline constexpr int kMaxBrushSize = kMaskSide / 2;

// Starts a stroke: stroke settings := live settings, the mask is marked
// stale and the canvas's strokeLength becomes -1.
void strokeBegin(ToolState& tools, Canvas& canvas);

// The pointer moved by (dx, dy) window pixels: lengthens the stroke, refreshes
// the stroke settings from the live ones and applies the stroke dynamics.
// A move of length 0 stops every tool but Spray Paint and the Knife.
void strokeMove(ToolState& tools, Canvas& canvas, int dx, int dy);

// Ends the stroke: strokeLength := -1 and the mask is marked stale.
void strokeEnd(ToolState& tools, Canvas& canvas);

// One application of the live tool at cell (x, y), with a copy of the stroke
// settings. The Eye Dropper and the Hand Tool act on the document canvas
// (kind 9) only. Returns what the application changed.
ToolOutcome applyTool(ToolState& tools, int x, int y, Canvas& canvas);

}  // namespace sc
