#include "app/filter_command.h"

#include "app/shell_state.h"
#include "app/undo.h"
#include "filters/filter_table.h"

namespace sc {

bool runFilter(std::int32_t menuId) {
    const FilterInfo* filter = findFilter(menuId);
    if (filter == nullptr) return false;
    takeUndoSnapshot(true);
    filter->run(shell().document);
    return true;
}

}  // namespace sc
