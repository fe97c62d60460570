// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tip over a rectangle of a panel (client pixels, right and bottom exclusive).
#include <string>

#include "platform/windows.h"

namespace sc {

void addTooltip(const std::string& text, platform::WindowId parent, int left, int top, int right, int bottom);

}  // namespace sc
