// SPDX-License-Identifier: GPL-3.0-or-later
// One application of the live tool: rebuild the mask if stale and run the
// routine of the tool's row.
#include <cstdint>

#include "engine/canvas.h"
#include "engine/numeric.h"
#include "tools/tool_state.h"
#include "tools/tool_table.h"
#include "tools/tools.h"

namespace sc {

ToolOutcome applyTool(ToolState& ts, int x, int y, Canvas& canvas) {
    if (!ts.mask.built) buildMask(ts);
    const ToolRow& tool = toolRow(ts.live.tool);
    if (tool.routine == nullptr) return {};
    const bool document = canvas.kind == kDocumentCanvasKind;
    if (tool.documentOnly && !document) return {};
    // The tools that take a snapshot are those that write cells.
    if (document && tool.takesSnapshot && ts.beforeDocumentWrite) {
        // Every tool changes cells inside its brush square at most (Fill its
        // 3 x 3 neighbourhood); one cell more on each side leaves room.
        const std::int64_t r = std::int64_t{clampInt(ts.stroke.size, 1, kMaxBrushSize)} + 1;
        ts.beforeDocumentWrite(ts.documentWriteContext, x - r, y - r, x + r, y + r);
    }
    return tool.routine(ts, canvas, x, y, ts.stroke);
}

}  // namespace sc
