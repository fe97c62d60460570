// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a whole-canvas filter on the document as a menu command: one undo step.
#include <cstdint>

namespace sc {

struct Painting;
struct ToolState;

// Takes the undo snapshot with the canvas, then runs the filter of this menu
// id (see filters/filter_table.h) on the document canvas, which it leaves
// invalidated. False, with nothing done, for an id that is not a filter.
bool runFilter(Painting& p, ToolState& tools, std::int32_t menuId);

}  // namespace sc
