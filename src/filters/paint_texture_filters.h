// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filters of the Paint and Texture submenus, Clear and Flatten. They act on
// the grain byte, on the relief, or on the whole cell, through the same frame
// and blend as the colour filters; the caller takes the undo snapshot first.
// Fill Paint, Fill Relief and Clear read the tools' record they are handed:
// the live brush, the grain images and the texture offset.

namespace sc {

class Canvas;
struct ToolState;

void invertPaint(Canvas& canvas);
// Grain from the style image of the live paintStyle, read through the texture offset.
void fillPaint(Canvas& canvas, const ToolState& tools);
void invertRelief(Canvas& canvas);
// Height from the texture image of the live texture (times 0.02), read through the texture offset.
void fillRelief(Canvas& canvas, const ToolState& tools);
void inflate(Canvas& canvas);
void deflate(Canvas& canvas);
// Raises each cell by its luminance times 0.04.
void outline(Canvas& canvas);
// Every cell in the live brush colour, flat, without grain or shine.
void clearCanvas(Canvas& canvas, const ToolState& tools);
// Bakes the rendered picture (as last rendered) into flat cells of colour plus grain.
void flatten(Canvas& canvas);

}  // namespace sc
