// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/user_option_commands.h"

#include <algorithm>

#include "app/shell_state.h"
#include "app/user_options.h"
#include "platform/dialogs.h"
#include "shell/frame_window.h"
#include "tools/tool_state.h"

namespace sc {

void toggleSmoothStrokes(ShellState& s) {
    s.options.smoothStrokes = !s.options.smoothStrokes;
    checkMenuItem(s, kCmdSmoothStrokes, s.options.smoothStrokes);
    saveOptions(s);
}

void penCommand(ShellState& s) {
    const platform::PenChoice shown{static_cast<int>(s.options.pressureTarget), s.options.pressureCurve};
    const auto chosen = platform::penDialog(s.frameWindow, shown, kMinPressureCurve, kMaxPressureCurve);
    if (!chosen) return;
    s.options.pressureTarget = static_cast<PressureTarget>(std::clamp(chosen->target, 0, 3));
    // A curve outside the range (or NaN) keeps the one in use.
    if (chosen->curve >= kMinPressureCurve && chosen->curve <= kMaxPressureCurve) {
        s.options.pressureCurve = chosen->curve;
    }
    s.tools.pen = {s.options.pressureTarget, s.options.pressureCurve};
    saveOptions(s);
}

}  // namespace sc
