#include "app/filter_command.h"

#include "app/shell_state.h"
#include "app/undo.h"
#include "filters/filter_table.h"

namespace sc {

bool runFilter(ShellState& s, std::int32_t menuId) {
    const FilterInfo* filter = findFilter(menuId);
    if (filter == nullptr) return false;
    takeUndoSnapshot(s, true);
    filter->run(s.document);
    return true;
}

}  // namespace sc
