#include "tools/laying.h"

#include "engine/canvas.h"
#include "engine/vector_path.h"
#include "engine/vector_target.h"
#include "tools/grain_sampling.h"
#include "tools/laying_rules.h"
#include "tools/tool_frame.h"

namespace sc {

LayingRule layingRule(LayingTool tool, const BrushSettings& s, double centreHeight) {
    LayingRule rule{};
    rule.tool = tool;
    rule.red = s.red;
    rule.green = s.green;
    rule.blue = s.blue;
    rule.shine = s.shine;
    rule.strength = s.strength;
    rule.thickness = s.thickness;
    rule.textured = s.texture != 0;
    rule.centreHeight = centreHeight;
    return rule;
}

void layRow(const LayingRule& rule, const LayingRow& row) {
    switch (vectorPath()) {
#if SC_VECTOR_TARGETS
        case VectorPath::kAvx512: layRowAvx512(rule, row); break;
        case VectorPath::kAvx2: layRowAvx2(rule, row); break;
#endif
        default: laying::layCells(rule, row, 0); break;  // VectorPath::kScalar
    }
}

void laySquare(const BrushMask& mask, Canvas& canvas, int x, int y, int r, const LayingRule& rule, const GrainSampler& style,
               const GrainSampler& texture) {
    const std::int64_t x0 = std::max<std::int64_t>(static_cast<std::int64_t>(x) - r, 0);
    const std::int64_t x1 = std::min<std::int64_t>(static_cast<std::int64_t>(x) + r, canvas.width);
    if (x0 >= x1) return;
    GrainRowSampler styleRows(style, x0, static_cast<std::uint32_t>(x1 - x0));
    GrainRowSampler textureRows(texture, x0, static_cast<std::uint32_t>(x1 - x0));
    frame::forEachBrushRow(
        mask, canvas, x, y, r,
        [&](PaintCell* cells, const float* weights, std::int64_t, std::uint32_t count, std::int64_t cy) {
            // Only the cells from the first to the last of weight above 0.
            std::uint32_t first = 0;
            while (first < count && !(weights[first] > 0.0f)) ++first;
            std::uint32_t end = count;
            while (end > first && !(weights[end - 1] > 0.0f)) --end;
            if (first == end) return;
            const std::uint8_t* style = styleRows.row(cy, first, end) + first;
            const std::uint8_t* textured = rule.textured ? textureRows.row(cy, first, end) + first : nullptr;
            layRow(rule, {cells + first, weights + first, style, textured, end - first});
        });
}

}  // namespace sc
