// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/history_commands.h"

#include "app/shell_state.h"
#include "app/undo.h"
#include "platform/drawing.h"
#include "platform/furniture.h"
#include "shell/canvas_view.h"
#include "shell/frame_window.h"
#include "shell/program.h"

namespace sc {
namespace {

void showEnabled(ShellState& s, std::size_t item, int command, bool enabled) {
    if (s.historyItemsEnabled[item] == enabled) return;
    s.historyItemsEnabled[item] = enabled;
    platform::setMenuEnabled(s.frameWindow, command, enabled);
}

}  // namespace

void historyStepCommand(Program& p, bool backward) {
    ShellState& s = p.state;
    const StepResult result = backward ? stepBackward(s.painting, s.tools) : stepForward(s.painting, s.tools);
    if (result == StepResult::kResized) {
        recreateCanvasWindow(p);
    } else if (result == StepResult::kChanged) {
        platform::invalidateWindow(s.windows.canvas);
        platform::updateWindow(s.windows.canvas);
    }
    syncHistoryMenu(s);
}

void syncHistoryMenu(ShellState& s) {
    if (s.frameWindow == platform::kNoWindow) return;
    showEnabled(s, 0, kCmdStepBackward, s.painting.history.backwardStep() != nullptr);
    showEnabled(s, 1, kCmdStepForward, s.painting.history.forwardStep() != nullptr);
}

}  // namespace sc
