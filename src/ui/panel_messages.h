// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The common mouse bookkeeping of the panel window procedures. The program's
// keys reach a panel's window before its procedure (the shell sees to it).
#include "app/pointer_state.h"
#include "platform/windows.h"

namespace sc {

struct FloatingWindows;
struct ShellState;

// How a panel treats the left button: the common way (it also arms and
// disarms the press), or as the tools panel does (the press flag alone).
enum class PanelButtons { Common, ToolsPanel };

// The bookkeeping every panel does before its own work: pointer messages
// update the records and the leave tracking, activation keeps the floating
// windows in step. Returns false for Activate, after which the panel does
// nothing more.
bool panelCommonMessage(ShellState& s, FloatingWindows& floating, const platform::Message& m, PointerIndex own,
                        PanelButtons buttons = PanelButtons::Common);

}  // namespace sc
