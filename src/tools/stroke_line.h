#pragma once
// Unbroken strokes: the tool applied at evenly spaced points along the
// segment the pointer travelled in one pass, rather than once at its end.
// The desktop's Smooth Strokes and the batch tool's apply-line share it.
#include <cstdint>
#include <vector>

namespace sc {

class Canvas;

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

// Applies the live tool (applyTool) at the spaced points from (x0, y0),
// excluded, to (x1, y1), each point one whole application. The spacing is
// pointSpacing of the stroke size; on the document canvas the positions are
// window pixels and the spacing is scaled by the zoom.
void applyToolAlong(int x0, int y0, int x1, int y1, Canvas& canvas);

}  // namespace sc
