// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every whole-canvas filter by name and by the menu id that runs it.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace sc {

class Canvas;
struct ToolState;

// The menu ids of the Filters menu and of Image, Flatten.
enum FilterId : std::int32_t {
    kFilterDeflate = 1300,
    kFilterInvertColours = 1305,
    kFilterInvertRelief = 1310,
    kFilterDesaturate = 1315,
    kFilterSolarize = 1320,
    kFilterDefenestrate = 1325,
    kFilterNight = 1330,
    kFilterAqua = 1335,
    kFilterSicken = 1340,
    kFilterInvertPaint = 1500,
    kFilterClearCanvas = 1800,
    kFilterFlatten = 1810,
    kFilterOutline = 1815,
    kFilterInflate = 1820,
    kFilterEnhance = 1830,
    kFilterFillPaint = 1840,
    kFilterFillRelief = 1845,
};

struct FilterInfo {
    const char* name;  // the operation's name, as scripts spell it
    FilterId id;
    // Runs the filter; Fill Paint, Fill Relief and Clear read the tools'
    // record (the live brush, the grain images, the texture offset).
    void (*run)(Canvas& canvas, const ToolState& tools);
};

// All seventeen, Colors submenu first, in menu order.
std::span<const FilterInfo> filterTable();
// Null for an unknown name (names are case-sensitive) or id.
const FilterInfo* findFilter(std::string_view name);
const FilterInfo* findFilter(std::int32_t menuId);
bool isFilterName(const std::string& name);

}  // namespace sc
