// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filters that act on colour: the Colors submenu and Enhance, Sicken and
// Defenestrate. Each moves every cell of the canvas toward its target and
// invalidates the canvas; the caller takes the undo snapshot first.

namespace sc {

class Canvas;

void invertColours(Canvas& canvas);
void desaturate(Canvas& canvas);
// Stretches each cell's colour so its largest channel is 255, at half strength.
void solarize(Canvas& canvas);
// Rescales each cell's colour so its largest channel equals its grain.
void night(Canvas& canvas);
void aqua(Canvas& canvas);
// Stretches colours and grain by the canvas-wide maxima (divides by the
// maximum, not by the range); a maximum of 0 gives 0.
void enhance(Canvas& canvas);
// Bakes the rendered picture into the colour, without grain or relief.
void sicken(Canvas& canvas);
// Shuffles the fields: red := height (low byte of its integer part),
// blue := red, height := blue, and green and grain trade places.
void defenestrate(Canvas& canvas);

}  // namespace sc
