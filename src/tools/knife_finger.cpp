// SPDX-License-Identifier: GPL-3.0-or-later
// The Knife scrapes the relief toward flat while laying colour like the Paint
// Brush; the Finger drags paint inward from cells farther out. Both do
// nothing when the centre lies outside the grid.
#include "engine/canvas.h"
#include "engine/vector_path.h"
#include "engine/vector_target.h"
#include "tools/finger_kernel.h"
#include "tools/grain_sampling.h"
#include "tools/laying.h"
#include "tools/tool_frame.h"
#include "tools/tool_routines.h"
#include "tools/tool_state.h"

namespace sc {

CellRect knife(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    if (!canvas.hasCells() || !frame::insideGrid(canvas, x, y)) return {};
    const int r = frame::brushRadius(s);
    const GrainSampler style(styleImage(tools, s.paintStyle), tools.styleOffset.x, tools.styleOffset.y);
    const GrainSampler texture(textureImage(tools, s.texture), tools.textureOffset.x, tools.textureOffset.y);
    // Shaves the old relief by half of the factor toward 0, then lays a fresh layer.
    laySquare(tools.mask, canvas, x, y, r, layingRule(LayingTool::kKnife, s, 0.0), style, texture, tools.rowLaid);
    return frame::renderSquare(canvas, x, y, r);
}

CellRect finger(const ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    if (!canvas.hasCells() || !frame::insideGrid(canvas, x, y)) return {};
    const int r = frame::brushRadius(s);
    const GrainSampler texture(textureImage(tools, s.texture), tools.textureOffset.x, tools.textureOffset.y);
    switch (vectorPath()) {
#if SC_VECTOR_TARGETS
        case VectorPath::kAvx512: smear::overSquareAvx512(tools.mask, canvas, x, y, r, s, texture); break;
        case VectorPath::kAvx2: smear::overSquareAvx2(tools.mask, canvas, x, y, r, s, texture); break;
#endif
        default: smear::overSquareByByte(tools.mask, canvas, x, y, r, s, texture); break;  // VectorPath::kScalar
    }
    return frame::renderSquare(canvas, x, y, r);
}

}  // namespace sc
