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
constexpr std::array<bool, kBrushSliderCount> kNoSliders{false, false, false, false};

constexpr ToolRow kNoTool{-1, nullptr, nullptr, nullptr, false, false, true, false, 3, nullptr, nullptr, kNoSliders,
                          false, false};

// clang-format off
constexpr std::array<ToolRow, kToolIdCount> kTools{{
    {kToolTubePaint, &rendering<tubePaint>, "Tube Paint", "brush", false, false, true, false, 3,
     " Brush Properties: Tube Paint", " Click on the canvas to draw with the paint tube", kAllSliders, true, true},
    {kToolPaintBrush, &rendering<paintBrush>, "Paint Brush", "pbrush", false, false, true, false, 3,
     " Brush Properties: Paint Brush", " Click on the canvas to draw with the paint brush", kAllSliders, true, true},
    {kToolEraser, &rendering<eraser>, "Eraser", "erase", false, false, true, true, 3,
     " Brush Properties: Eraser", " Click on the canvas to erase a section of your painting", kSizeStrength, false, false},
    {3, nullptr, nullptr, nullptr, false, false, true, false, 3, nullptr, nullptr, kNoSliders, false, false},
    {4, nullptr, nullptr, nullptr, false, false, true, false, 3, nullptr, nullptr, kNoSliders, false, false},
    {kToolSprayPaint, &rendering<sprayPaint>, "Spray Paint", "spray", true, false, true, false, 3,
     " Brush Properties: Spray Paint", " Click on the canvas to draw with spray paint", {true, true, false, true}, false, false},
    {kToolSponge, &rendering<sponge>, "Sponge", "sponge", false, false, true, true, 5,
     " Brush Properties: Sponge", " Click on the canvas to sponge paint off your painting", kSizeStrength, false, false},
    {kToolFill, &whole<fillTool>, "Fill", nullptr, false, false, true, false, 3,
     " Brush Properties: Fill", " Click on the canvas to fill a section of your painting", {false, false, false, true}, true, true},
    {kToolEyeDropper, &pickColour, "Eye Dropper", "dropper", false, true, false, false, 3,
     " Brush Properties: Eye Dropper", " Click on the canvas to get the color of a pixel", kNoSliders, false, false},
    {kToolGelBrush, &rendering<gelBrush>, "Gel Brush", "water", false, false, true, true, 9,
     " Brush Properties: Gel Brush", " Click on the canvas to squirt liquid on your painting!", kAllSliders, false, true},
    {kToolBrighten, &rendering<brightenTool>, "Brighten", "sun", false, false, true, true, 3,
     " Brush Properties: Brighten", " Click on the canvas to brighten your painting!", kSizeStrength, false, false},
    {kToolDarken, &rendering<darkenTool>, "Darken", "moon", false, false, true, true, 3,
     " Brush Properties: Darken", " Click on the canvas to darken your painting!", kSizeStrength, false, false},
    {kToolHand, &moveHand, "Hand Tool", "hand", false, true, false, false, 3,
     " Brush Properties: Hand Tool", " Click on the canvas to drag the window around", kNoSliders, false, false},
    {kToolShine, &rendering<shineTool>, "Shine", "shine", false, false, true, true, 3,
     " Brush Properties: Shine", " Click on the canvas to make your painting shiny!", kSizeStrength, false, false},
    {kToolMatte, &rendering<matteTool>, "Matte", "unshine", false, false, true, true, 3,
     " Brush Properties: Matte", " Click on the canvas to make your painting matte!", kSizeStrength, false, false},
    {kToolRaise, &rendering<raiseTool>, "Raise", "raise", false, false, true, true, 3,
     " Brush Properties: Raise", " Click on the canvas to raise a section of your painting!", kSizeStrength, false, false},
    {kToolLower, &rendering<lowerTool>, "Lower", "lower", false, false, true, true, 3,
     " Brush Properties: Lower", " Click on the canvas to lower a section of your painting!", kSizeStrength, false, false},
    {kToolKnife, &rendering<knife>, "Knife", "knife", true, false, true, false, 6,
     " Brush Properties: Knife", " Click on the canvas to paint with the knife!", kAllSliders, true, true},
    {kToolFinger, &rendering<finger>, "Finger", "finger", false, false, true, true, 3,
     " Brush Properties: Finger", " Click on the canvas to move paint with your Finger!", kSizeStrength, false, true},
}};
// clang-format on

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
