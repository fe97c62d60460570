// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Unbroken strokes: the tool applied at evenly spaced points along the
// segment the pointer travelled in one pass, rather than once at its end.
// The desktop's Smooth Strokes and the batch tool's apply-line share it.
#include <cstdint>
#include <vector>

namespace sc {

struct LinePoint {
    int x = 0;
    int y = 0;
};

// The largest step between two applications, in cells: max(1, size / 4).
int pointSpacing(int size);

// The points after (x0, y0) up to and including (x1, y1), in order, evenly
// spaced, none farther than `spacing` from the one before: n points for
// n = ceil(distance / spacing), point i at the start plus i/n of the way,
// rounded to the nearest whole position. One point, the end, when the
// distance is not above the spacing.
std::vector<LinePoint> spacedPoints(int x0, int y0, int x1, int y1, double spacing);

// The points at which a pointer that travelled from (x0, y0), excluded, to
// (x1, y1) in window pixels of a view at `zoom` applies the tool, each point
// one whole application: the spacing is pointSpacing of the stroke size,
// scaled by the zoom.
std::vector<LinePoint> strokeLinePoints(int x0, int y0, int x1, int y1, std::int32_t strokeSize, float zoom);

}  // namespace sc
