// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tool_table.h"

#include "tools/tool_routines.h"

namespace sc {
namespace {

template <auto Routine>
ToolOutcome rendering(ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    ToolOutcome outcome;
    outcome.rendered = Routine(tools, canvas, x, y, s);
    return outcome;
}

template <auto Routine>
ToolOutcome whole(ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s) {
    return Routine(tools, canvas, x, y, s);
}

ToolOutcome pickColour(ToolState& tools, Canvas& canvas, int x, int y, BrushSettings) {
    return eyeDropper(tools, canvas, x, y);
}

ToolOutcome moveHand(ToolState&, Canvas&, int, int, BrushSettings) {
    ToolOutcome outcome;
    outcome.handMove = true;
    return outcome;
}

constexpr std::array<bool, kBrushSliderCount> kAllSliders{true, true, true, true};
constexpr std::array<bool, kBrushSliderCount> kSizeStrength{true, true, false, false};

// A row states what differs from these defaults: no routine, no button, a
// press that takes a snapshot, three preview applications, no sliders and
// neither style page.
constexpr ToolRow kNoTool{.id = -1};

constexpr std::array<ToolRow, kToolIdCount> kTools{{
    {.id = kToolTubePaint,
     .routine = &rendering<tubePaint>,
     .name = "Tube Paint",
     .button = "brush",
     .caption = " Brush Properties: Tube Paint",
     .hint = " Click on the canvas to draw with the paint tube",
     .sliders = kAllSliders,
     .paintPage = true,
     .texturePage = true},
    {.id = kToolPaintBrush,
     .routine = &rendering<paintBrush>,
     .name = "Paint Brush",
     .button = "pbrush",
     .caption = " Brush Properties: Paint Brush",
     .hint = " Click on the canvas to draw with the paint brush",
     .sliders = kAllSliders,
     .paintPage = true,
     .texturePage = true},
    {.id = kToolEraser,
     .routine = &rendering<eraser>,
     .name = "Eraser",
     .button = "erase",
     .worksOnPaint = true,
     .caption = " Brush Properties: Eraser",
     .hint = " Click on the canvas to erase a section of your painting",
     .sliders = kSizeStrength},
    {.id = 3},
    {.id = 4},
    {.id = kToolSprayPaint,
     .routine = &rendering<sprayPaint>,
     .name = "Spray Paint",
     .button = "spray",
     .worksAtRest = true,
     .caption = " Brush Properties: Spray Paint",
     .hint = " Click on the canvas to draw with spray paint",
     .sliders = {true, true, false, true}},
    {.id = kToolSponge,
     .routine = &rendering<sponge>,
     .name = "Sponge",
     .button = "sponge",
     .worksOnPaint = true,
     .previewApplications = 5,
     .caption = " Brush Properties: Sponge",
     .hint = " Click on the canvas to sponge paint off your painting",
     .sliders = kSizeStrength},
    {.id = kToolFill,
     .routine = &whole<fillTool>,
     .name = "Fill",
     .caption = " Brush Properties: Fill",
     .hint = " Click on the canvas to fill a section of your painting",
     .sliders = {false, false, false, true},
     .paintPage = true,
     .texturePage = true},
    {.id = kToolEyeDropper,
     .routine = &pickColour,
     .name = "Eye Dropper",
     .button = "dropper",
     .documentOnly = true,
     .takesSnapshot = false,
     .caption = " Brush Properties: Eye Dropper",
     .hint = " Click on the canvas to get the color of a pixel"},
    {.id = kToolGelBrush,
     .routine = &rendering<gelBrush>,
     .name = "Gel Brush",
     .button = "water",
     .worksOnPaint = true,
     .previewApplications = 9,
     .caption = " Brush Properties: Gel Brush",
     .hint = " Click on the canvas to squirt liquid on your painting!",
     .sliders = kAllSliders,
     .texturePage = true},
    {.id = kToolBrighten,
     .routine = &rendering<brightenTool>,
     .name = "Brighten",
     .button = "sun",
     .worksOnPaint = true,
     .caption = " Brush Properties: Brighten",
     .hint = " Click on the canvas to brighten your painting!",
     .sliders = kSizeStrength},
    {.id = kToolDarken,
     .routine = &rendering<darkenTool>,
     .name = "Darken",
     .button = "moon",
     .worksOnPaint = true,
     .caption = " Brush Properties: Darken",
     .hint = " Click on the canvas to darken your painting!",
     .sliders = kSizeStrength},
    {.id = kToolHand,
     .routine = &moveHand,
     .name = "Hand Tool",
     .button = "hand",
     .documentOnly = true,
     .takesSnapshot = false,
     .caption = " Brush Properties: Hand Tool",
     .hint = " Click on the canvas to drag the window around"},
    {.id = kToolShine,
     .routine = &rendering<shineTool>,
     .name = "Shine",
     .button = "shine",
     .worksOnPaint = true,
     .caption = " Brush Properties: Shine",
     .hint = " Click on the canvas to make your painting shiny!",
     .sliders = kSizeStrength},
    {.id = kToolMatte,
     .routine = &rendering<matteTool>,
     .name = "Matte",
     .button = "unshine",
     .worksOnPaint = true,
     .caption = " Brush Properties: Matte",
     .hint = " Click on the canvas to make your painting matte!",
     .sliders = kSizeStrength},
    {.id = kToolRaise,
     .routine = &rendering<raiseTool>,
     .name = "Raise",
     .button = "raise",
     .worksOnPaint = true,
     .caption = " Brush Properties: Raise",
     .hint = " Click on the canvas to raise a section of your painting!",
     .sliders = kSizeStrength},
    {.id = kToolLower,
     .routine = &rendering<lowerTool>,
     .name = "Lower",
     .button = "lower",
     .worksOnPaint = true,
     .caption = " Brush Properties: Lower",
     .hint = " Click on the canvas to lower a section of your painting!",
     .sliders = kSizeStrength},
    {.id = kToolKnife,
     .routine = &rendering<knife>,
     .name = "Knife",
     .button = "knife",
     .worksAtRest = true,
     .previewApplications = 6,
     .caption = " Brush Properties: Knife",
     .hint = " Click on the canvas to paint with the knife!",
     .sliders = kAllSliders,
     .paintPage = true,
     .texturePage = true},
    {.id = kToolFinger,
     .routine = &rendering<finger>,
     .name = "Finger",
     .button = "finger",
     .worksOnPaint = true,
     .caption = " Brush Properties: Finger",
     .hint = " Click on the canvas to move paint with your Finger!",
     .sliders = kSizeStrength,
     .texturePage = true},
}};

constexpr bool rowsInIdOrder() {
    for (std::size_t i = 0; i < kTools.size(); ++i)
        if (kTools[i].id != static_cast<std::int32_t>(i)) return false;
    return true;
}
static_assert(rowsInIdOrder(), "the row of a tool is at its id");

}  // namespace

const ToolRow& toolRow(std::int32_t id) {
    if (id < 0 || id >= kToolIdCount || kTools[static_cast<std::size_t>(id)].routine == nullptr) return kNoTool;
    return kTools[static_cast<std::size_t>(id)];
}

}  // namespace sc
