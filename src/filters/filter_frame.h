// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame every whole-canvas filter runs in: each cell is copied, the copy is
// turned into a target by the filter's rule, and the cell is moved toward the
// target with a fixed weight. The undo snapshot is the caller's job
// (app/filter_command.h), so this layer stays below the shell.
#include <cmath>
#include <cstdint>

#include "engine/canvas.h"
#include "engine/numeric.h"
#include "engine/paint_cell.h"
#include "engine/worker_pool.h"

namespace sc {

// The full blend weight: 255 times the single-precision 1/255. It is exact in
// double and slightly above 1 (1.0000000591389835), which is why a decreasing
// byte can land one below its target.
inline constexpr double kFullWeight = 255.0 * static_cast<double>(kInv255);

// A byte channel (red, green, blue, grain): trunc(c + (t - c) * w) with the
// difference as a signed integer; the low 8 bits are kept. Every step is exact
// in double, so extended precision would give the same bytes.
inline std::uint8_t blendByte(std::uint8_t c, std::uint8_t t, double w) {
    const std::int32_t difference = static_cast<std::int32_t>(t) - static_cast<std::int32_t>(c);
    return truncToByte(static_cast<double>(c) + difference * w);
}

// Shine rounds the blended value to single precision before truncating, so a
// small decrease lands exactly on its target.
inline std::uint8_t blendShine(std::uint8_t c, std::uint8_t t, double w) {
    const std::int32_t difference = static_cast<std::int32_t>(t) - static_cast<std::int32_t>(c);
    const float v = static_cast<float>(static_cast<double>(c) + difference * w);
    return truncToByte(static_cast<double>(v));
}

// Height: the blend in double, rounded to single precision. Non-finite heights
// simply propagate through the float arithmetic.
inline float blendHeight(float c, float t, double w) {
    const double from = c;
    return static_cast<float>(from + (static_cast<double>(t) - from) * w);
}

// blendHeight(c, c, w) without the arithmetic where it is known: a finite,
// non-zero height stays as it is. Zero (the sum drops the sign of -0.0) and
// non-finite heights (infinity minus itself is NaN) take the full arithmetic.
inline float blendHeightToItself(float c, double w) {
    return (std::isfinite(c) && c != 0.0f) ? c : blendHeight(c, c, w);
}

// blendByte at the full weight without floating point: a target at or above
// the value is reached exactly; one below it is missed by (value - target) x
// 6e-8, which truncates to one less, or to 0 for a target of 0.
inline std::uint8_t blendByteFull(std::uint8_t c, std::uint8_t t) {
    return static_cast<std::uint8_t>(t - static_cast<int>((t < c) & (t > 0)));
}

// blendByte and blendShine for every (value, target) pair at one weight.
struct BlendTable {
    double weight;
    bool full;                    // weight is kFullWeight: the frame uses blendByteFull for bytes
    std::uint8_t byte[256][256];  // [value][target]
    std::uint8_t shine[256][256];
};

const BlendTable& fullBlend();  // weight kFullWeight
const BlendTable& halfBlend();  // weight kFullWeight * 0.5

// The fields a target rule may change. The frame blends only these; the others
// are blended toward themselves, which leaves bytes as they are (heights see
// blendHeightToItself).
enum FilterFields : unsigned {
    kColourFields = 1u,  // red, green, blue
    kGrainField = 2u,
    kShineField = 4u,
    kHeightField = 8u,
};

// Moves the fields of `cell` named by Fields toward `target`.
template <unsigned Fields, bool Full>
inline void blendFields(PaintCell& cell, const PaintCell& target, const BlendTable& blend) {
    const auto byte = [&](std::uint8_t c, std::uint8_t t) {
        if constexpr (Full) return blendByteFull(c, t);
        else return blend.byte[c][t];
    };
    if constexpr ((Fields & kColourFields) != 0) {
        cell.red = byte(cell.red, target.red);
        cell.green = byte(cell.green, target.green);
        cell.blue = byte(cell.blue, target.blue);
    }
    if constexpr ((Fields & kHeightField) != 0) {
        cell.height = blendHeight(cell.height, target.height, blend.weight);
    } else {
        cell.height = blendHeightToItself(cell.height, blend.weight);
    }
    if constexpr ((Fields & kGrainField) != 0) cell.grain = byte(cell.grain, target.grain);
    if constexpr ((Fields & kShineField) != 0) cell.shine = blend.shine[cell.shine][target.shine];
}

// Paintings below this many cells are filtered on the calling thread.
inline constexpr std::uint64_t kSharedFilterMinimum = 65536;
inline constexpr std::uint32_t kFilterBandRows = 16;

// Rows [first, end) of a grid `width` cells wide.
template <unsigned Fields, bool Full, typename RowRule>
void blendRows(PaintCell* cells, std::uint32_t width, std::uint32_t first, std::uint32_t end, const BlendTable& blend,
               const RowRule& rowRule) {
    PaintCell* row = cells + static_cast<std::size_t>(first) * width;
    for (std::uint32_t y = first; y < end; ++y, row += width) {
        const auto rule = rowRule(y);
        for (std::uint32_t x = 0; x < width; ++x) {
            PaintCell target = row[x];
            rule(target, x);
            blendFields<Fields, Full>(row[x], target, blend);
        }
    }
}

template <unsigned Fields, bool Full, typename RowRule>
void blendEveryCell(Canvas& canvas, const BlendTable& blend, const RowRule& rowRule) {
    PaintCell* const cells = canvas.cells();
    const std::uint32_t width = canvas.width;
    forEachRowBand(canvas.height, width, kSharedFilterMinimum, kFilterBandRows,
                   [cells, width, &blend, &rowRule](std::uint32_t first, std::uint32_t end) {
                       blendRows<Fields, Full>(cells, width, first, end, blend, rowRule);
                   });
}

// Builds a target for every cell and blends the cell toward it with the
// table's weight, then invalidates the canvas so the next pass renders it.
// rowRule(y) gives the rule for row y, called as rule(target, x) with target
// a copy of cell (x, y); work shared by a row is done once.
//
// Every rule reads only its own cell, the rendered surface (which the frame
// never writes), the brush settings or values computed before the pass, so
// the visiting order does not change the result: cells are visited in
// storage order, which is far kinder to the cache than column by column, and
// bands of rows are shared by the worker pool (rowRule is called from several
// threads at once and must only read what it captures).
template <unsigned Fields, typename RowRule>
void runFilterFrameByRow(Canvas& canvas, const BlendTable& blend, RowRule&& rowRule) {
    if (canvas.hasCells()) {
        if (blend.full) blendEveryCell<Fields, true>(canvas, blend, rowRule);
        else blendEveryCell<Fields, false>(canvas, blend, rowRule);
    }
    canvas.invalidate();
}

// The same for rules of the form rule(target, x, y). Each row works with its
// own copy of the rule, so that what the rule holds stays in registers while
// the cells are written.
template <unsigned Fields, typename Rule>
void runFilterFrame(Canvas& canvas, const BlendTable& blend, const Rule& rule) {
    runFilterFrameByRow<Fields>(canvas, blend, [&rule](std::uint32_t y) {
        return [rule, y](PaintCell& target, std::uint32_t x) { rule(target, x, y); };
    });
}

}  // namespace sc
