#pragma once
// The tool routines applyTool dispatches to. Each takes the canvas, the cell
// position of the brush centre and a copy of the stroke settings, changes the
// cells under the brush and re-renders the touched square (Fill invalidates
// the whole canvas instead). Each checks its position itself.
#include <cstddef>

#include "tools/brush_settings.h"

namespace sc {

class Canvas;

// Paint-laying tools.
void tubePaint(Canvas& canvas, int x, int y, BrushSettings s);
void paintBrush(Canvas& canvas, int x, int y, BrushSettings s);
void sprayPaint(Canvas& canvas, int x, int y, BrushSettings s);
void gelBrush(Canvas& canvas, int x, int y, BrushSettings s);
void eraser(Canvas& canvas, int x, int y, BrushSettings s);
void sponge(Canvas& canvas, int x, int y, BrushSettings s);

// Relief and finish tools.
void raiseTool(Canvas& canvas, int x, int y, BrushSettings s);
void lowerTool(Canvas& canvas, int x, int y, BrushSettings s);
void shineTool(Canvas& canvas, int x, int y, BrushSettings s);
void matteTool(Canvas& canvas, int x, int y, BrushSettings s);
void brightenTool(Canvas& canvas, int x, int y, BrushSettings s);
void darkenTool(Canvas& canvas, int x, int y, BrushSettings s);

// Knife and finger.
void knife(Canvas& canvas, int x, int y, BrushSettings s);
void finger(Canvas& canvas, int x, int y, BrushSettings s);

// Fill: the clicked cell and its grid neighbours, then the press ends.
void fillTool(Canvas& canvas, int x, int y, BrushSettings s);

// How Fill gets its mark plane: count zeroed bytes released with std::free,
// or null when memory runs out (std::calloc by default). Tests swap it to
// reach the out-of-memory path. Returns the allocator it replaces.
using MarkPlaneAllocator = void* (*)(std::size_t count);
MarkPlaneAllocator setMarkPlaneAllocator(MarkPlaneAllocator allocator);

// Eye Dropper: the rendered pixel under (x, y) becomes the live colour.
void eyeDropper(Canvas& canvas, int x, int y);

}  // namespace sc
