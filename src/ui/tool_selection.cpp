// Picking a tool brings the rest of the program into line with it: the tool
// buttons, which brush sliders and style pages apply, the brush properties
// caption and the status hint.
#include <array>

#include "app/shell_state.h"
#include "platform/windows.h"
#include "tools/tool_state.h"
#include "ui/panel_controls.h"
#include "ui/panel_picture.h"
#include "ui/panels.h"
#include "ui/status_line.h"

namespace sc {
namespace {

struct ToolLook {
    const char* caption;  // nullptr: an id without a tool
    const char* hint;
    std::array<bool, 4> sliders;  // size, strength, thickness, shine
    bool paintPage;
    bool texturePage;
};

constexpr int kToolIdCount = 19;

constexpr std::array<ToolLook, kToolIdCount> kLooks{{
    {" Brush Properties: Tube Paint", " Click on the canvas to draw with the paint tube", {1, 1, 1, 1}, 1, 1},
    {" Brush Properties: Paint Brush", " Click on the canvas to draw with the paint brush", {1, 1, 1, 1}, 1, 1},
    {" Brush Properties: Eraser", " Click on the canvas to erase a section of your painting", {1, 1, 0, 0}, 0, 0},
    {nullptr, nullptr, {0, 0, 0, 0}, 0, 0},
    {nullptr, nullptr, {0, 0, 0, 0}, 0, 0},
    {" Brush Properties: Spray Paint", " Click on the canvas to draw with spray paint", {1, 1, 0, 1}, 0, 0},
    {" Brush Properties: Sponge", " Click on the canvas to sponge paint off your painting", {1, 1, 0, 0}, 0, 0},
    {" Brush Properties: Fill", " Click on the canvas to fill a section of your painting", {0, 0, 0, 1}, 1, 1},
    {" Brush Properties: Eye Dropper", " Click on the canvas to get the color of a pixel", {0, 0, 0, 0}, 0, 0},
    {" Brush Properties: Gel Brush", " Click on the canvas to squirt liquid on your painting!", {1, 1, 1, 1}, 0, 1},
    {" Brush Properties: Brighten", " Click on the canvas to brighten your painting!", {1, 1, 0, 0}, 0, 0},
    {" Brush Properties: Darken", " Click on the canvas to darken your painting!", {1, 1, 0, 0}, 0, 0},
    {" Brush Properties: Hand Tool", " Click on the canvas to drag the window around", {0, 0, 0, 0}, 0, 0},
    {" Brush Properties: Shine", " Click on the canvas to make your painting shiny!", {1, 1, 0, 0}, 0, 0},
    {" Brush Properties: Matte", " Click on the canvas to make your painting matte!", {1, 1, 0, 0}, 0, 0},
    {" Brush Properties: Raise", " Click on the canvas to raise a section of your painting!", {1, 1, 0, 0}, 0, 0},
    {" Brush Properties: Lower", " Click on the canvas to lower a section of your painting!", {1, 1, 0, 0}, 0, 0},
    {" Brush Properties: Knife", " Click on the canvas to paint with the knife!", {1, 1, 1, 1}, 1, 1},
    {" Brush Properties: Finger", " Click on the canvas to move paint with your Finger!", {1, 1, 0, 0}, 0, 1},
}};

}  // namespace

void syncToolButtons(ToolsPanel& tools) {
    SkinButtonTable& table = tools.table;
    for (int i = 0; i <= 23; ++i) table[i].state = kButtonNormal;
    const int tool = toolState().live.tool;
    if (tool >= 0 && tool < kToolIdCount) table[tool].state = kButtonDown;
}

void selectTool(ShellState& s, Panels& p) {
    syncToolButtons(p.tools);
    const int tool = toolState().live.tool;
    if (tool >= 0 && tool < kToolIdCount && kLooks[static_cast<std::size_t>(tool)].caption) {
        const ToolLook& look = kLooks[static_cast<std::size_t>(tool)];
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
