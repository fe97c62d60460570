#include "app/shell_state.h"

namespace sc {

ShellState& shell() {
    static ShellState state;
    return state;
}

}  // namespace sc
