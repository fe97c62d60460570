// SPDX-License-Identifier: GPL-3.0-or-later
#include "filters/filter_table.h"

#include <array>

#include "filters/colour_filters.h"
#include "filters/paint_texture_filters.h"

namespace sc {

namespace {

// A filter that reads nothing but the canvas, in the table's form.
template <void (*Filter)(Canvas&)>
void canvasOnly(Canvas& canvas, const ToolState&) {
    Filter(canvas);
}

constexpr std::array<FilterInfo, 17> kFilters{{
    {"invertColours", kFilterInvertColours, &canvasOnly<&invertColours>},
    {"desaturate", kFilterDesaturate, &canvasOnly<&desaturate>},
    {"solarize", kFilterSolarize, &canvasOnly<&solarize>},
    {"night", kFilterNight, &canvasOnly<&night>},
    {"aqua", kFilterAqua, &canvasOnly<&aqua>},
    {"invertPaint", kFilterInvertPaint, &canvasOnly<&invertPaint>},
    {"fillPaint", kFilterFillPaint, &fillPaint},
    {"invertRelief", kFilterInvertRelief, &canvasOnly<&invertRelief>},
    {"fillRelief", kFilterFillRelief, &fillRelief},
    {"inflate", kFilterInflate, &canvasOnly<&inflate>},
    {"deflate", kFilterDeflate, &canvasOnly<&deflate>},
    {"outline", kFilterOutline, &canvasOnly<&outline>},
    {"enhance", kFilterEnhance, &canvasOnly<&enhance>},
    {"sicken", kFilterSicken, &canvasOnly<&sicken>},
    {"defenestrate", kFilterDefenestrate, &canvasOnly<&defenestrate>},
    {"clearCanvas", kFilterClearCanvas, &clearCanvas},
    {"flatten", kFilterFlatten, &canvasOnly<&flatten>},
}};

}  // namespace

std::span<const FilterInfo> filterTable() { return kFilters; }

const FilterInfo* findFilter(std::string_view name) {
    for (const FilterInfo& f : kFilters)
        if (name == f.name) return &f;
    return nullptr;
}

const FilterInfo* findFilter(std::int32_t menuId) {
    for (const FilterInfo& f : kFilters)
        if (menuId == f.id) return &f;
    return nullptr;
}

bool isFilterName(const std::string& name) { return findFilter(std::string_view(name)) != nullptr; }

}  // namespace sc
