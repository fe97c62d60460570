// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cell update of laying_rules.h on kLanes cells a step, written against
// the lane helpers of engine/render_lanes_avx2.h or render_lanes_avx512.h
// (whichever the including file put before it, inside its target region).
// Each lane makes the same IEEE operations in the same order and precision
// as layCell; the truncating conversion gives 0x80000000 where truncToInt
// does, so even a huge strength keeps the same low bytes.
#include <cstdint>

#include "engine/numeric.h"
#include "tools/laying_rules.h"

namespace sc {
namespace {

// trunc(value + (target - value) * k), the low 8 bits.
SC_INLINE I lerpBytes(I value, I target, D k) {
    return iand(truncate(add(widen(value), mul(widen(isub(target, value)), k))), splatI(0xFF));
}

// k * thickness, or (T * 0.001) * (k * thickness) with a texture.
SC_INLINE D laidHeights(const LayingRule& rule, D k, I texture) {
    const D layer = mul(k, splat(static_cast<double>(rule.thickness)));
    if (!rule.textured) return layer;
    return mul(mul(widen(texture), splat(static_cast<double>(0.001f))), layer);
}

// The cells [i, i + kLanes) of the row; only the lanes in `open` may change.
template <LayingTool Tool>
SC_INLINE void layBlock(const LayingRule& rule, const LayingRow& row, std::uint32_t i, Mask open) {
    const F m = loadFloats(row.weights + i);
    const Mask painted = both(lanesAboveZero(m), open);
    if (laneBits(painted) == 0) return;
    const CellWordLanes old = loadCellWords(row.cells + i);
    const I texture = rule.textured ? loadBytes(row.texture + i) : splatI(0);
    const D a = widen(narrow(mul(widen(m), splat(static_cast<double>(rule.strength)))));
    const D h = widen(asFloats(old.height));
    D k;
    D height;
    if constexpr (Tool == LayingTool::kTubePaint) {
        k = a;
        const D hb = widen(narrow(mul(splat(0.5), a)));
        height = add(add(h, mul(sub(splat(rule.centreHeight), h), hb)), laidHeights(rule, hb, texture));
    } else {
        const I t = rule.textured ? texture : splatI(255);
        k = widen(narrow(mul(mul(widen(t), splat(static_cast<double>(kInv255))), a)));
        const D laid = laidHeights(rule, mul(splat(0.5), a), texture);
        if constexpr (Tool == LayingTool::kPaintBrush)
            height = add(add(h, mul(mul(sub(splat(rule.centreHeight), h), splat(0.5)), k)), laid);
        else height = add(sub(h, mul(mul(splat(0.5), h), k)), laid);
    }
    const I red = lerpBytes(byteOf<0>(old.colour), splatI(rule.red), k);
    const I green = lerpBytes(byteOf<1>(old.colour), splatI(rule.green), k);
    const I blue = lerpBytes(byteOf<2>(old.colour), splatI(rule.blue), k);
    const I grain = lerpBytes(byteOf<3>(old.colour), loadBytes(row.style + i), k);
    const I shine = lerpBytes(byteOf<0>(old.shine), splatI(rule.shine), k);
    CellWordLanes fresh;
    fresh.colour = ior(ior(red, shiftLeft<8>(green)), ior(shiftLeft<16>(blue), shiftLeft<24>(grain)));
    fresh.shine = ior(iand(old.shine, splatI(~0xFF)), shine);
    fresh.height = asInts(narrow(height));
    // Cells whose weight is not above 0 stay as they were.
    fresh.colour = select(painted, fresh.colour, old.colour);
    fresh.shine = select(painted, fresh.shine, old.shine);
    fresh.height = select(painted, fresh.height, old.height);
    storeCellWords(row.cells + i, fresh);
}

template <LayingTool Tool>
void layRowAs(const LayingRule& rule, const LayingRow& row) {
    if (row.count < kLanes) {
        laying::layCells(rule, row, 0);
        return;
    }
    std::uint32_t i = 0;
    for (; i + kLanes <= row.count; i += kLanes) layBlock<Tool>(rule, row, i, allLanes());
    // The cells after the last whole block: a block ending at the row's end,
    // whose lanes already updated are left as they now are.
    if (i < row.count) layBlock<Tool>(rule, row, row.count - kLanes, lanesFrom(i - (row.count - kLanes)));
}

inline void layRowWithLanes(const LayingRule& rule, const LayingRow& row) {
    switch (rule.tool) {
        case LayingTool::kTubePaint: layRowAs<LayingTool::kTubePaint>(rule, row); break;
        case LayingTool::kPaintBrush: layRowAs<LayingTool::kPaintBrush>(rule, row); break;
        case LayingTool::kKnife: layRowAs<LayingTool::kKnife>(rule, row); break;
    }
}

}  // namespace
}  // namespace sc
