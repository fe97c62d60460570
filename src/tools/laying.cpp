// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/laying.h"

#include <algorithm>
#include <vector>

#include "engine/canvas.h"
#include "engine/renderer.h"
#include "engine/vector_path.h"
#include "engine/vector_target.h"
#include "engine/worker_pool.h"
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

void laySquare(const BrushMask& mask, Canvas& canvas, int x, int y, int r, const LayingRule& rule,
               const GrainSampler& style, const GrainSampler& texture, RowLaid rowLaid) {
    const std::int64_t x0 = std::max<std::int64_t>(static_cast<std::int64_t>(x) - r, 0);
    const std::int64_t x1 = std::min<std::int64_t>(static_cast<std::int64_t>(x) + r, canvas.width);
    const std::int64_t y0 = std::max<std::int64_t>(static_cast<std::int64_t>(y) - r, 0);
    const std::int64_t y1 = std::min<std::int64_t>(static_cast<std::int64_t>(y) + r, canvas.height);
    if (x0 >= x1 || y0 >= y1) return;
    const auto columns = static_cast<std::uint32_t>(x1 - x0);
    const auto rows = static_cast<std::uint32_t>(y1 - y0);
    frame::prepareSharedRender(columns, rows);
    PaintCell* const cells = canvas.cells();
    const std::int64_t stride = canvas.width;
    // A cell's update reads and writes only that cell, so the rows are laid in
    // the bands the square's render will be shared in: each thread then
    // renders mostly cells it has just laid, still in its own cache, where a
    // render shared after one thread laid the whole square would first move
    // them between the processors' caches (for small squares more than the
    // sharing saves).
    const auto layBand = [&](std::uint32_t bandFirst, std::uint32_t bandEnd) {
        std::vector<PaintCell> before(rowLaid.call != nullptr ? columns : 0);  // the row as it was, for rowLaid
        GrainRowSampler styleRows(style, x0, columns);
        GrainRowSampler textureRows(texture, x0, columns);
        for (std::int64_t cy = y0 + bandFirst; cy < y0 + bandEnd; ++cy) {
            const float* weights = mask.weights.data() + (cy - y + r) * kMaskSide + (x0 - x + r);
            // Only the cells from the first to the last of weight above 0.
            std::uint32_t first = 0;
            while (first < columns && !(weights[first] > 0.0f)) ++first;
            std::uint32_t end = columns;
            while (end > first && !(weights[end - 1] > 0.0f)) --end;
            if (first == end) continue;
            const std::uint8_t* styled = styleRows.row(cy, first, end) + first;
            const std::uint8_t* textured = rule.textured ? textureRows.row(cy, first, end) + first : nullptr;
            PaintCell* laid = cells + cy * stride + x0 + first;
            if (rowLaid.call == nullptr) {
                layRow(rule, {laid, weights + first, styled, textured, end - first});
                continue;
            }
            std::copy_n(laid, end - first, before.data());
            layRow(rule, {laid, weights + first, styled, textured, end - first});
            rowLaid.call(rowLaid.context, cy, x0 + first, x0 + end, before.data());
        }
    };
    forEachRowBand(rows, columns, kSharedRenderCells, kSharedRenderBandRows, layBand);
}

}  // namespace sc
