#include "tools/tool_state.h"

namespace sc {

ToolState& toolState() {
    static ToolState state;
    return state;
}

}  // namespace sc
