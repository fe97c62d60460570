// One application of the live tool: rebuild the mask if stale and run the
// tool's routine.
#include "engine/canvas.h"
#include "tools/tool_routines.h"
#include "tools/tool_state.h"
#include "tools/tools.h"

namespace sc {
namespace {

ToolOutcome rendered(CellRect cells) {
    ToolOutcome outcome;
    outcome.rendered = cells;
    return outcome;
}

}  // namespace

ToolOutcome applyTool(int x, int y, Canvas& canvas) {
    ToolState& ts = toolState();
    if (!ts.mask.built) buildMask();
    const bool document = canvas.kind == kDocumentCanvasKind;
    const BrushSettings s = ts.stroke;
    switch (ts.live.tool) {
        case kToolTubePaint: return rendered(tubePaint(canvas, x, y, s));
        case kToolPaintBrush: return rendered(paintBrush(canvas, x, y, s));
        case kToolEraser: return rendered(eraser(canvas, x, y, s));
        case kToolSprayPaint: return rendered(sprayPaint(canvas, x, y, s));
        case kToolSponge: return rendered(sponge(canvas, x, y, s));
        case kToolFill: return fillTool(canvas, x, y, s);
        case kToolGelBrush: return rendered(gelBrush(canvas, x, y, s));
        case kToolBrighten: return rendered(brightenTool(canvas, x, y, s));
        case kToolDarken: return rendered(darkenTool(canvas, x, y, s));
        case kToolShine: return rendered(shineTool(canvas, x, y, s));
        case kToolMatte: return rendered(matteTool(canvas, x, y, s));
        case kToolRaise: return rendered(raiseTool(canvas, x, y, s));
        case kToolLower: return rendered(lowerTool(canvas, x, y, s));
        case kToolKnife: return rendered(knife(canvas, x, y, s));
        case kToolFinger: return rendered(finger(canvas, x, y, s));
        // The Eye Dropper and the Hand Tool work on the document canvas only.
        case kToolEyeDropper: return document ? eyeDropper(canvas, x, y) : ToolOutcome{};
        case kToolHand: {
            ToolOutcome outcome;
            outcome.handMove = document;
            return outcome;
        }
        default: return {};  // 3, 4 and ids above 18 do nothing
    }
}

}  // namespace sc
