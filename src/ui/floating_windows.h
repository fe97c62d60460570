// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registry of floating panel windows (at most ten, never removed) and
// the keeping of their visibility and enabled state in step with the frame.
#include <array>
#include <string>

#include "platform/windows.h"

namespace sc {

struct ShellState;

inline constexpr int kMaxFloatingWindows = 10;
// The `other` of an Activate message forwarded between our own windows.
inline constexpr platform::WindowId kForwardedActivation = 0xffffffffu;

struct FloatingWindows {
    std::array<platform::WindowId, kMaxFloatingWindows> windows{};
    // Panels hidden because the program went inactive (shown again on return).
    std::array<bool, kMaxFloatingWindows> hiddenWhileInactive{};
    int count = 0;
};

// A small tool window with the given client size at (x, y) on the screen,
// owned by the frame's document area. Takes the next registry slot even when
// creation fails; the eleventh call is refused with a message.
platform::WindowId createFloatingWindow(FloatingWindows& floating, const ShellState& s, const std::string& caption,
                                        int x, int y, int clientWidth, int clientHeight, const std::string& className,
                                        platform::WindowProc proc);

// Activation of `window` (owned by `owner`) changed to `active`; `other` is
// the window on the other side. While the program is inactive the panels are
// hidden; they come back when it is active again.
void syncFloatingActivation(FloatingWindows& floating, platform::WindowId owner, platform::WindowId window, bool active,
                            platform::WindowId other);
// Enables or disables every floating window but `window` (a modal box that
// disables the frame disables the panels too).
void syncFloatingEnable(const FloatingWindows& floating, platform::WindowId window, bool enable);

}  // namespace sc
