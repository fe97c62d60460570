// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tool routines applyTool dispatches to. Each takes the tools' record
// (mask, grain images and offsets, random generator), the canvas, the cell
// position of the brush centre and a copy of the stroke settings, changes the
// cells under the brush and re-renders the touched square, which it returns
// (Fill invalidates the whole canvas instead). Each checks its position
// itself; a position it does not paint at renders and returns nothing.
#include <cstddef>

#include "tools/brush_settings.h"
#include "tools/tool_outcome.h"

namespace sc {

class Canvas;
struct ToolState;

// Paint-laying tools.
CellRect tubePaint(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);
CellRect paintBrush(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);
CellRect sprayPaint(ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);
CellRect gelBrush(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);
CellRect eraser(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);
CellRect sponge(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);

// Relief and finish tools.
CellRect raiseTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);
CellRect lowerTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);
CellRect shineTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);
CellRect matteTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);
CellRect brightenTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);
CellRect darkenTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);

// Knife and finger.
CellRect knife(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);
CellRect finger(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);

// Fill: the clicked cell and its grid neighbours, then the press ends.
ToolOutcome fillTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);

// How Fill gets its mark plane: count zeroed bytes released with std::free,
// or null when memory runs out (std::calloc by default). Tests swap it to
// reach the out-of-memory path. Returns the allocator it replaces.
using MarkPlaneAllocator = void* (*)(std::size_t count);
MarkPlaneAllocator setMarkPlaneAllocator(MarkPlaneAllocator allocator);

// Eye Dropper: the rendered pixel under (x, y) becomes the live colour.
ToolOutcome eyeDropper(ToolState& tools, Canvas& canvas, int x, int y);

}  // namespace sc
