// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cell update of the tools that lay the brush's colour, grain and shine
// and build height (Tube Paint, Paint Brush and the Knife), applied a row of
// the brush square at a time: with vector lanes where the processor has them
// (engine/vector_path.h), each lane doing exactly the one-cell rule of
// laying_rules.h. The update of a cell reads and writes only that cell, so
// the order the cells are taken in cannot change the result.
#include <cstdint>

#include "engine/paint_cell.h"
#include "tools/brush_mask.h"
#include "tools/brush_settings.h"

namespace sc {

class Canvas;
class GrainSampler;

enum class LayingTool { kTubePaint, kPaintBrush, kKnife };

// What the update of every cell of one application shares.
struct LayingRule {
    LayingTool tool;
    std::uint8_t red, green, blue, shine;
    float strength;
    float thickness;
    bool textured;        // the brush has a texture (index above 0)
    double centreHeight;  // the centre's height before the application (Tube Paint, Paint Brush)
};

LayingRule layingRule(LayingTool tool, const BrushSettings& s, double centreHeight);

// One row of the square: `count` cells with their mask weights and the
// style and texture samples under them (texture null when untextured).
struct LayingRow {
    PaintCell* cells;
    const float* weights;
    const std::uint8_t* style;
    const std::uint8_t* texture;
    std::uint32_t count;
};

// Updates the cells of the row whose weight is above 0.
void layRow(const LayingRule& rule, const LayingRow& row);
void layRowAvx2(const LayingRule& rule, const LayingRow& row);
void layRowAvx512(const LayingRule& rule, const LayingRow& row);

// Called, when set, with each row of the square as soon as it is laid, on
// the thread that laid it: the cells [x0, x1) of row y are all the row's
// cells the update may have changed, and `before` holds them as they were.
// Rows of the square where the brush has no weight are not laid and not
// reported.
struct RowLaid {
    void (*call)(void* context, std::int64_t y, std::int64_t x0, std::int64_t x1, const PaintCell* before) = nullptr;
    void* context = nullptr;
};

// The whole square [x - r, x + r) x [y - r, y + r), clipped to the grid, with
// the style and texture images seen through their samplers.
void laySquare(const BrushMask& mask, Canvas& canvas, int x, int y, int r, const LayingRule& rule,
               const GrainSampler& style, const GrainSampler& texture, RowLaid rowLaid = {});

}  // namespace sc
