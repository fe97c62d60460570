// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/user_options.h"

#include "app/shell_state.h"
#include "formats/options_file.h"
#include "platform/dialogs.h"
#include "tools/tool_state.h"

namespace sc {

void loadOptions(ShellState& s) {
    readOptionsFile(s.paths.userFile(kOptionsFileName), s.options);
    s.tools.pen = {s.options.pressureTarget, s.options.pressureCurve};
    s.painting.history.setBudget(s.options.historyBudgetBytes);
}

bool saveOptions(const ShellState& s) {
    if (writeOptionsFile(s.paths.userFile(kOptionsFileName), s.options)) return true;
    platform::messageBox(s.frameWindow, "Error", "The options could not be saved.", platform::Buttons::Ok,
                         platform::Icon::Error);
    return false;
}

}  // namespace sc
