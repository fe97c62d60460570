// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tools panel's record: its button table and pictures.
#include <array>

#include "engine/surface.h"
#include "tools/tool_table.h"
#include "ui/skin_button.h"

namespace sc {

struct ToolsPanel {
    SkinButtonTable table;
    Surface brushes, tools, effects;           // the headings
    std::array<Surface, kToolIdCount> normal;  // by tool id
    std::array<Surface, kToolIdCount> down;
    Surface fill0, fill1;  // no button shows Fill; loaded for their cache files
    Surface view;          // background and back buffer
};

}  // namespace sc
