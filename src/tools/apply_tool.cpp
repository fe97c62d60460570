// One application of the live tool: rebuild the mask if stale, map window
// pixels to cells on the document canvas, and run the tool's routine.
#include "engine/canvas.h"
#include "engine/numeric.h"
#include "tools/tool_routines.h"
#include "tools/tool_state.h"
#include "tools/tools.h"

namespace sc {

void applyTool(int x, int y, Canvas& canvas) {
    ToolState& ts = toolState();
    if (!ts.mask.built) buildMask();
    const bool document = canvas.kind == kDocumentCanvasKind;
    if (document) {
        x = truncToInt(x / static_cast<double>(ts.zoom));
        y = truncToInt(y / static_cast<double>(ts.zoom));
    }
    const BrushSettings s = ts.stroke;
    const bool writesCells = ts.live.tool != kToolEyeDropper && ts.live.tool != kToolHand;
    if (document && writesCells && ts.beforeDocumentWrite) {
        // Every tool changes cells inside its brush square at most (Fill its
        // 3 x 3 neighbourhood); one cell more on each side leaves room.
        const std::int64_t r = std::int64_t{clampInt(s.size, 1, kMaxBrushSize)} + 1;
        ts.beforeDocumentWrite(ts.documentWriteContext, x - r, y - r, x + r, y + r);
    }
    switch (ts.live.tool) {
        case kToolTubePaint: tubePaint(canvas, x, y, s); break;
        case kToolPaintBrush: paintBrush(canvas, x, y, s); break;
        case kToolEraser: eraser(canvas, x, y, s); break;
        case kToolSprayPaint: sprayPaint(canvas, x, y, s); break;
        case kToolSponge: sponge(canvas, x, y, s); break;
        case kToolFill: fillTool(canvas, x, y, s); break;
        case kToolGelBrush: gelBrush(canvas, x, y, s); break;
        case kToolBrighten: brightenTool(canvas, x, y, s); break;
        case kToolDarken: darkenTool(canvas, x, y, s); break;
        case kToolShine: shineTool(canvas, x, y, s); break;
        case kToolMatte: matteTool(canvas, x, y, s); break;
        case kToolRaise: raiseTool(canvas, x, y, s); break;
        case kToolLower: lowerTool(canvas, x, y, s); break;
        case kToolKnife: knife(canvas, x, y, s); break;
        case kToolFinger: finger(canvas, x, y, s); break;
        // The Eye Dropper and the Hand Tool work on the document canvas only.
        case kToolEyeDropper:
            if (document) eyeDropper(canvas, x, y);
            break;
        case kToolHand:
            if (document && ts.handToolMove) ts.handToolMove();
            break;
        default: break;  // 3, 4 and ids above 18 do nothing
    }
}

}  // namespace sc
