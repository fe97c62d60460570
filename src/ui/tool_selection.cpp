// SPDX-License-Identifier: GPL-3.0-or-later
// Picking a tool brings the rest of the program into line with it: the tool
// buttons, which brush sliders and style pages apply, the brush properties
// caption and the status hint.
#include "app/shell_state.h"
#include "platform/windows.h"
#include "tools/tool_state.h"
#include "tools/tool_table.h"
#include "ui/panel_controls.h"
#include "ui/panel_picture.h"
#include "ui/panels.h"
#include "ui/status_line.h"

namespace sc {

void syncToolButtons(ToolsPanel& tools, int tool) {
    SkinButtonTable& table = tools.table;
    for (int i = 0; i < kToolIdCount; ++i) table[i].state = kButtonNormal;
    if (tool >= 0 && tool < kToolIdCount) table[tool].state = kButtonDown;
}

void selectTool(ShellState& s, Panels& p) {
    syncToolButtons(p.tools, s.tools.live.tool);
    const ToolRow& look = toolRow(s.tools.live.tool);
    if (look.caption) {
        s.statusHint = look.hint;
        for (std::size_t i = 0; i < look.sliders.size(); ++i) p.properties.sliders[i].enabled = look.sliders[i] ? 1 : 0;
        s.paintPageApplies = look.paintPage;
        repaintStylesPanel(s);
        s.texturePageApplies = look.texturePage;
        repaintStylesPanel(s);
        platform::setCaption(s.windows.propertiesPanel, look.caption);
        showBrushProperties(s, p.properties);
    }
    repaintPanel(s.windows.toolsPanel);
    updateStatusLine(s);
}

}  // namespace sc
