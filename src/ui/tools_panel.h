#pragma once
// The tools panel's record: its button table and pictures.
#include <array>

#include "engine/surface.h"
#include "ui/skin_button.h"

namespace sc {

struct ToolsPanel {
    SkinButtonTable table;
    Surface brushes, tools, effects;  // the headings
    std::array<Surface, 19> normal;   // by tool id
    std::array<Surface, 19> down;
    Surface fill0, fill1;  // no button shows Fill; loaded for their cache files
    Surface view;          // background and back buffer
};

}  // namespace sc
