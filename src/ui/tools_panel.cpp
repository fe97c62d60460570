// SPDX-License-Identifier: GPL-3.0-or-later
// The tools panel: two columns of tool buttons under three headings. A press
// on a tool button picks that tool at once (the buttons are toggles, which
// fire on the press).
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "app/assets.h"
#include "app/shell_state.h"
#include "platform/windows.h"
#include "tools/tool_state.h"
#include "tools/tool_table.h"
#include "ui/floating_windows.h"
#include "ui/panel_layout.h"
#include "ui/panel_messages.h"
#include "ui/panel_picture.h"
#include "ui/panels.h"
#include "ui/tooltip.h"

namespace sc {
namespace {

constexpr int kEffectsHeading = 19;
constexpr int kToolsHeading = 20;
constexpr int kBrushesHeading = 21;
constexpr int kLeftColumn = 2;
constexpr int kRightColumn = 34;

// Rows of the panel, top to bottom: a heading or a pair of tool buttons,
// each showing its tool row's button picture and name.
struct PanelRow {
    int heading;  // -1 for a button row
    std::int32_t left;
    std::int32_t right;
};

constexpr std::int32_t kNone = -1;

constexpr std::array<PanelRow, 11> kRows{{
    {kBrushesHeading, kNone, kNone},
    {-1, kToolPaintBrush, kToolTubePaint},
    {-1, kToolSprayPaint, kToolGelBrush},
    {-1, kToolKnife, kToolFinger},
    {-1, kToolSponge, kToolEraser},
    {kToolsHeading, kNone, kNone},
    {-1, kToolHand, kToolEyeDropper},
    {kEffectsHeading, kNone, kNone},
    {-1, kToolBrighten, kToolDarken},
    {-1, kToolShine, kToolMatte},
    {-1, kToolRaise, kToolLower},
}};

const Surface& headingPicture(const ToolsPanel& p, int heading) {
    if (heading == kBrushesHeading) return p.brushes;
    if (heading == kToolsHeading) return p.tools;
    return p.effects;
}

// The top of every row: headings follow the button row above them with a
// two-pixel gap, except "brushes" at the very top.
std::array<int, kRows.size()> rowTops(int hb, int ht, int he, int hr) {
    return {2,
            hb + 2,
            hb + hr + 2,
            hb + 2 * hr + 2,
            hb + 3 * hr + 2,
            hb + 4 * hr + 4,
            hb + 4 * hr + ht + 4,
            hb + 5 * hr + ht + 6,
            hb + 5 * hr + ht + he + 6,
            hb + 6 * hr + ht + he + 6,
            hb + 7 * hr + ht + he + 6};
}

void addToolButton(ToolsPanel& p, std::int32_t tool, int x, int y, platform::WindowId window) {
    const auto id = static_cast<std::size_t>(tool);
    p.table.add(tool, x, y, &p.normal[id], &p.normal[id], &p.down[id], kToggleButton);
    addTooltip(toolRow(tool).name, window, x, y, x + 32, y + 28);
}

}  // namespace

void createToolsPanel(ShellState& s, Panels& panels, platform::WindowProc proc) {
    ToolsPanel& p = panels.tools;
    p.table = SkinButtonTable{};
    loadColourAsset(s, p.brushes, "brushes");
    loadColourAsset(s, p.tools, "tools");
    loadColourAsset(s, p.effects, "effects");
    for (const PanelRow& row : kRows) {
        for (const std::int32_t tool : {row.left, row.right}) {
            if (tool == kNone) continue;
            const std::string name = toolRow(tool).button;
            loadColourAsset(s, p.normal[static_cast<std::size_t>(tool)], name + "0");
            loadColourAsset(s, p.down[static_cast<std::size_t>(tool)], name + "1");
        }
    }
    loadColourAsset(s, p.fill0, "fill0");
    loadColourAsset(s, p.fill1, "fill1");

    const int hb = static_cast<int>(p.brushes.height());
    const int ht = static_cast<int>(p.tools.height());
    const int he = static_cast<int>(p.effects.height());
    const int hr = static_cast<int>(p.normal[0].height());
    const platform::WindowId window = createFloatingWindow(
        panels.floating, s, " Tools", layout::kToolsPanelX, layout::kToolsPanelY, layout::kToolsPanelWidth,
        3 * hb + layout::kToolsPanelButtonsHeight, "ToolsWindowClass", std::move(proc));
    s.windows.toolsPanel = window;

    const auto tops = rowTops(hb, ht, he, hr);
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const PanelRow& row = kRows[i];
        const int y = tops[i];
        if (row.heading >= 0) {
            const Surface* picture = &headingPicture(p, row.heading);
            p.table.add(row.heading, kLeftColumn, y, picture, picture, picture, kStaticButton);
            continue;
        }
        addToolButton(p, row.left, kLeftColumn, y, window);
        addToolButton(p, row.right, kRightColumn, y, window);
    }
    p.table[kToolPaintBrush].state = kButtonDown;
    loadColourAsset(s, p.view, "toolsview");
}

void toolsPanelProc(ShellState& s, Panels& panels, const platform::Message& m) {
    if (!panelCommonMessage(s, panels.floating, m, kToolsPointer, PanelButtons::ToolsPanel)) return;
    ToolsPanel& p = panels.tools;
    if (m.kind == platform::MessageKind::Paint) {
        p.table.drawOnto(p.view);
        paintPanel(m.window, p.view);
    }
    PointerState& me = s.pointers[kToolsPointer];
    const int picked = p.table.hitTest(me.x, me.y, me.leftDown);
    if (picked == -1) return;
    s.tools.live.tool = picked;
    me.leftDown = false;
    s.previewDirty = true;
    s.pressArmed = false;
    s.pointers.release(kCanvasPointer);
    s.pointers.release(kPropertiesPointer);
    s.pointers.release(kColoursPointer);
    selectTool(s, panels);
}

}  // namespace sc
