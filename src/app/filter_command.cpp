#include "app/filter_command.h"

#include "app/shell_state.h"
#include "app/undo.h"
#include "filters/filter_table.h"
#include "tools/tool_state.h"

namespace sc {

bool runFilter(ShellState& s, std::int32_t menuId) {
    const FilterInfo* filter = findFilter(menuId);
    if (filter == nullptr) return false;
    takeUndoSnapshot(s, true);
    filter->run(s.document, s.tools);
    return true;
}

}  // namespace sc
