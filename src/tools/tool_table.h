// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What each tool is and does, one row per ToolId: the routine that applies
// it, its name and button picture in the tools panel, how the press and the
// stroke treat it, how the brush preview shows it, and what the panels show
// while it is the live tool. Dispatch, the tools panel, the brush properties
// panel and the preview all read these rows.
#include <array>
#include <cstddef>
#include <cstdint>

#include "tools/brush_settings.h"
#include "tools/tool_outcome.h"

namespace sc {

class Canvas;
struct ToolState;

// One application at cell (x, y) with a copy of the stroke settings, reading
// (and for some tools changing) the tools' record.
using ToolRoutine = ToolOutcome (*)(ToolState& tools, Canvas& canvas, int x, int y, BrushSettings s);

// The brush sliders of the properties panel: size, strength, thickness, shine.
inline constexpr std::size_t kBrushSliderCount = 4;

struct ToolRow {
    std::int32_t id = -1;
    ToolRoutine routine = nullptr;                  // null: an id without a tool, which does nothing
    const char* name = nullptr;                     // the tools panel's tooltip
    const char* button = nullptr;                   // "<button>0" normal and "<button>1" down; null: no button
    bool worksAtRest = false;                       // goes on while the pointer rests (moves of length 0)
    bool documentOnly = false;                      // acts on the document canvas only
    bool takesSnapshot = true;                      // a press on the canvas takes an undo snapshot first
    bool worksOnPaint = false;                      // the brush preview gets a painted ground to show it on
    int previewApplications = 3;                    // applications the brush preview shows
    const char* caption = nullptr;                  // the brush properties panel's caption
    const char* hint = nullptr;                     // the status line's hint
    std::array<bool, kBrushSliderCount> sliders{};  // the brush sliders it uses
    bool paintPage = false;                         // the styles panel's paint page applies
    bool texturePage = false;                       // the styles panel's texture page applies
};

// Ids 0 to 18; 3 and 4 have no tool.
inline constexpr std::int32_t kToolIdCount = 19;

// The row of an id; an id without a tool (3, 4, any outside 0..18) gets the
// row of no tool.
const ToolRow& toolRow(std::int32_t id);

}  // namespace sc
