// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a pointer does to a stroke, as the canvas window sees it and the batch
// tool replays it: a press starts the stroke from fresh grain offsets, and
// every pointer move lets the offsets drift before the stroke moves. Both hand
// the pointer's pressure to the stroke. The desktop's canvas window and the
// batch tool's `press` and `pointer-move` call these, so a recorded desktop
// stroke replays exactly.
namespace sc {

class Canvas;
struct ToolState;

// A press of the button. `fresh`: the button was not down already; the grain
// offsets then start anew at random (texture x, y, then style x, y, each 0 to
// 255 from the program's generator). Then the pressure of the press and
// strokeBegin.
void strokePress(ToolState& tools, Canvas& canvas, bool fresh, float pressure);

// A move of the pointer by (dx, dy) window pixels, the previous position
// minus the new one as strokeMove takes it: each grain offset drifts against
// the move by its square (sign kept) times a random fraction, then the
// pressure of the report and strokeMove.
void strokePointerMove(ToolState& tools, Canvas& canvas, int dx, int dy, float pressure);

}  // namespace sc
