// SPDX-License-Identifier: GPL-3.0-or-later
// Fill and Eye Dropper: the two tools that do not use the brush mask.
#include <cstdlib>
#include <memory>

#include "engine/canvas.h"
#include "tools/grain_sampling.h"
#include "tools/tool_frame.h"
#include "tools/tool_routines.h"
#include "tools/tool_state.h"

namespace sc {
namespace {

void* zeroedBytes(std::size_t count) { return std::calloc(count, 1); }

MarkPlaneAllocator g_markPlaneAllocator = &zeroedBytes;

struct FreeBytes {
    void operator()(std::uint8_t* p) const { std::free(p); }
};

}  // namespace

MarkPlaneAllocator setMarkPlaneAllocator(MarkPlaneAllocator allocator) {
    MarkPlaneAllocator previous = g_markPlaneAllocator;
    g_markPlaneAllocator = allocator ? allocator : &zeroedBytes;
    return previous;
}

ToolOutcome fillTool(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    ToolOutcome outcome;
    outcome.pressEnded = true;
    if (!canvas.hasCells() || !frame::insideGrid(canvas, x, y)) return outcome;
    const std::size_t width = canvas.width;
    const std::size_t height = canvas.height;
    std::unique_ptr<std::uint8_t[], FreeBytes> marks(static_cast<std::uint8_t*>(g_markPlaneAllocator(width * height)));
    if (!marks) {
        outcome.outOfMemory = true;
    } else {
        // The region: the clicked cell and its neighbours on the grid. A cell
        // on the first or last column has no neighbour beyond it; the flat
        // plane's next index there belongs to another row and is not marked.
        const std::size_t cx = static_cast<std::size_t>(x);
        const std::size_t cy = static_cast<std::size_t>(y);
        auto mark = [&](std::size_t mx, std::size_t my) { marks[my * width + mx] = 1; };
        mark(cx, cy);
        if (cx > 0) mark(cx - 1, cy);
        if (cx + 1 < width) mark(cx + 1, cy);
        if (cy > 0) mark(cx, cy - 1);
        if (cy + 1 < height) mark(cx, cy + 1);

        // Only the clicked cell's 3 x 3 neighbourhood can hold marks, so the
        // scan (columns outer, rows inner) stays inside it.
        const Surface& style = styleImage(tools, s.paintStyle);
        const std::size_t x0 = cx > 0 ? cx - 1 : 0, x1 = cx + 2 < width ? cx + 2 : width;
        const std::size_t y0 = cy > 0 ? cy - 1 : 0, y1 = cy + 2 < height ? cy + 2 : height;
        for (std::size_t fx = x0; fx < x1; ++fx) {
            for (std::size_t fy = y0; fy < y1; ++fy) {
                if (marks[fy * width + fx] == 0) continue;
                PaintCell& c = canvas.at(static_cast<std::uint32_t>(fx), static_cast<std::uint32_t>(fy));
                c.red = s.red;
                c.green = s.green;
                c.blue = s.blue;
                c.grain = sampleGrainImage(style, static_cast<std::uint32_t>(fx), static_cast<std::uint32_t>(fy));
                c.height = s.thickness;
            }
        }
    }
    marks.reset();
    canvas.invalidate();
    return outcome;
}

ToolOutcome eyeDropper(ToolState& tools, Canvas& canvas, int x, int y) {
    // The picture as last rendered: shaded colour plus grain, not the stored
    // colour. Outside the surface it reads 0, so black is picked.
    const std::uint32_t p = canvas.surface.getPixel(x, y);
    tools.live.red = redOf(p);
    tools.live.green = greenOf(p);
    tools.live.blue = blueOf(p);
    ToolOutcome outcome;
    outcome.pickedColour = true;
    return outcome;
}

}  // namespace sc
