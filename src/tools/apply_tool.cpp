// One application of the live tool: rebuild the mask if stale and run the
// routine of the tool's row.
#include "engine/canvas.h"
#include "tools/tool_state.h"
#include "tools/tool_table.h"
#include "tools/tools.h"

namespace sc {

ToolOutcome applyTool(ToolState& ts, int x, int y, Canvas& canvas) {
    if (!ts.mask.built) buildMask(ts);
    const ToolRow& tool = toolRow(ts.live.tool);
    if (tool.routine == nullptr) return {};
    if (tool.documentOnly && canvas.kind != kDocumentCanvasKind) return {};
    return tool.routine(ts, canvas, x, y, ts.stroke);
}

}  // namespace sc
