#include "filters/filter_table.h"

#include <array>

#include "filters/colour_filters.h"
#include "filters/paint_texture_filters.h"

namespace sc {

namespace {

constexpr std::array<FilterInfo, 17> kFilters{{
    {"invertColours", kFilterInvertColours, &invertColours},
    {"desaturate", kFilterDesaturate, &desaturate},
    {"solarize", kFilterSolarize, &solarize},
    {"night", kFilterNight, &night},
    {"aqua", kFilterAqua, &aqua},
    {"invertPaint", kFilterInvertPaint, &invertPaint},
    {"fillPaint", kFilterFillPaint, &fillPaint},
    {"invertRelief", kFilterInvertRelief, &invertRelief},
    {"fillRelief", kFilterFillRelief, &fillRelief},
    {"inflate", kFilterInflate, &inflate},
    {"deflate", kFilterDeflate, &deflate},
    {"outline", kFilterOutline, &outline},
    {"enhance", kFilterEnhance, &enhance},
    {"sicken", kFilterSicken, &sicken},
    {"defenestrate", kFilterDefenestrate, &defenestrate},
    {"clearCanvas", kFilterClearCanvas, &clearCanvas},
    {"flatten", kFilterFlatten, &flatten},
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
