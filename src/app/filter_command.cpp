// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/filter_command.h"

#include "app/painting.h"
#include "app/undo.h"
#include "filters/filter_table.h"
#include "tools/tool_state.h"

namespace sc {

bool runFilter(Painting& p, ToolState& tools, std::int32_t menuId) {
    const FilterInfo* filter = findFilter(menuId);
    if (filter == nullptr) return false;
    takeUndoSnapshot(p, tools, true);
    filter->run(p.document, tools);
    return true;
}

}  // namespace sc
