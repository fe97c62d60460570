// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tooltip.h"

#include "platform/dialogs.h"
#include "platform/furniture.h"

namespace sc {

void addTooltip(const std::string& text, platform::WindowId parent, int left, int top, int right, int bottom) {
    if (!platform::addTooltip(parent, {left, top, right, bottom}, text)) {
        platform::messageBox(platform::kNoWindow, "Error", "Tooltip could not be created!");
    }
}

}  // namespace sc
