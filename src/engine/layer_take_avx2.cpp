// SPDX-License-Identifier: GPL-3.0-or-later
// takeCells on eight lanes (AVX2): the operations of takeIntoLayer,
// coverWith, cellOf and underCover (engine/layer.h) in the same order on
// every lane, so the same bits as cell by cell. Eight cells are three
// vectors of dwords; each cell is three dwords (colour and grain bytes,
// shine with the unused bytes, height), taken apart and put back together
// by permutes and blends; the last few cells of a run are read and written
// through masks, so nothing beyond the run is touched.
// Only x86-64 builds have it; the caller checks the vector path first.
#include "engine/layer_take.h"

#if SC_VECTOR_TARGETS
#include <immintrin.h>

#include <cstddef>
#include <cstdint>

SC_TARGET_AVX2_BEGIN

namespace sc {
namespace {

static_assert(sizeof(PaintCell) == 12 && sizeof(CoverAbove) == 28, "cells are three dwords, CoverAbove seven floats");

// Field f of cell i is dword 3i + f of the eight cells' 24: in vector
// (3i + f) / 8, at (3i + f) % 8.
constexpr int vectorOf(int cell, int field) { return (3 * cell + field) / 8; }

// The lanes of field f that come from vector v (a blend's immediate).
constexpr int lanesFrom(int field, int v) {
    int m = 0;
    for (int i = 0; i < 8; ++i) m |= vectorOf(i, field) == v ? 1 << i : 0;
    return m;
}

// The dwords of vector v that hold field f (a blend's immediate).
constexpr int dwordsHolding(int v, int field) {
    int m = 0;
    for (int j = 0; j < 8; ++j) m |= (8 * v + j) % 3 == field ? 1 << j : 0;
    return m;
}

// The permute indices: where field f of each cell lies in its vector, the
// cell each dword of vector v belongs to; the first float of each cell's
// CoverAbove; each lane's bit.
struct Indices {
    alignas(32) std::int32_t fieldAt[3][8];
    alignas(32) std::int32_t laneOf[3][8];
    alignas(32) std::int32_t aboveStep[8];
    alignas(32) std::int32_t bit[8];

    constexpr Indices() : fieldAt(), laneOf(), aboveStep(), bit() {
        for (int f = 0; f < 3; ++f) {
            for (int i = 0; i < 8; ++i) fieldAt[f][i] = (3 * i + f) % 8;
        }
        for (int v = 0; v < 3; ++v) {
            for (int j = 0; j < 8; ++j) laneOf[v][j] = (8 * v + j) / 3;
        }
        for (int i = 0; i < 8; ++i) {
            aboveStep[i] = 7 * i;
            bit[i] = 1 << i;
        }
    }
};
constexpr Indices kIndices;

[[gnu::always_inline]] inline __m256i loadIndex(const std::int32_t (&index)[8]) {
    return _mm256_load_si256(reinterpret_cast<const __m256i*>(index));
}

// The helpers below are all inlined into the loop, so that its vectors stay
// in registers. A lane mask is a vector of dwords, all ones in its lanes.
struct Cells8 {
    __m256i colour;  // red, green, blue, grain
    __m256i shine;   // shine and the unused bytes
    __m256i height;
};

struct Raw8 {
    __m256i v[3];
};

// The bits of a lane mask, lane i at bit i.
[[gnu::always_inline]] inline int bitsOf(__m256i lanes) { return _mm256_movemask_ps(_mm256_castsi256_ps(lanes)); }

// The lane mask of these bits.
[[gnu::always_inline]] inline __m256i lanesOf(int bits) {
    const __m256i bit = loadIndex(kIndices.bit);
    return _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_set1_epi32(bits), bit), bit);
}

// The dwords of vector v that belong to lanes in `lanes`.
[[gnu::always_inline]] inline __m256i dwordsOf(__m256i lanes, int v) {
    return _mm256_permutevar8x32_epi32(lanes, loadIndex(kIndices.laneOf[v]));
}

// The three vectors of dwords of the first `count` cells (all eight, or the
// first few at the end of a run: nothing beyond the run is read).
[[gnu::always_inline]] inline Raw8 loadRaw(const PaintCell* cells, int count, __m256i lanes) {
    const auto* d = reinterpret_cast<const std::int32_t*>(cells);
    Raw8 r{};
    for (int v = 0; v < 3; ++v) {
        r.v[v] = count == 8 ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + 8 * v))
                            : _mm256_maskload_epi32(d + 8 * v, dwordsOf(lanes, v));
    }
    return r;
}

template <int F>
[[gnu::always_inline]] inline __m256i fieldOf(const Raw8& r) {
    const __m256i at = loadIndex(kIndices.fieldAt[F]);
    const __m256i first = _mm256_permutevar8x32_epi32(r.v[0], at);
    const __m256i second = _mm256_permutevar8x32_epi32(r.v[1], at);
    const __m256i third = _mm256_permutevar8x32_epi32(r.v[2], at);
    return _mm256_blend_epi32(_mm256_blend_epi32(first, second, lanesFrom(F, 1)), third, lanesFrom(F, 2));
}

[[gnu::always_inline]] inline Cells8 fieldsOf(const Raw8& r) { return {fieldOf<0>(r), fieldOf<1>(r), fieldOf<2>(r)}; }

[[gnu::always_inline]] inline Cells8 loadCells(const PaintCell* cells, int count, __m256i lanes) {
    return fieldsOf(loadRaw(cells, count, lanes));
}

// The cells whose three dwords are not all the same in `a` and `b`, as bits:
// dword differences, bit 3i + f for field f of cell i, folded onto bit 3i
// and then every third bit gathered into the low eight.
[[gnu::always_inline]] inline int cellsDiffer(const Raw8& a, const Raw8& b) {
    std::uint32_t m = 0;
    for (int v = 0; v < 3; ++v) {
        m |= static_cast<std::uint32_t>(bitsOf(_mm256_cmpeq_epi32(a.v[v], b.v[v]))) << (8 * v);
    }
    m = ~m & 0xFFFFFFu;
    m |= (m >> 1) | (m >> 2);
    m &= 0x249249u;
    m = (m ^ (m >> 2)) & 0x0C30C3u;
    m = (m ^ (m >> 4)) & 0x00F00Fu;
    m = (m ^ (m >> 8)) & 0xFFu;
    return static_cast<int>(m);
}

// Vector v of the cells' dwords.
template <int V>
[[gnu::always_inline]] inline __m256i rawVector(const Cells8& c) {
    const __m256i cell = loadIndex(kIndices.laneOf[V]);
    const __m256i colour = _mm256_permutevar8x32_epi32(c.colour, cell);
    const __m256i shine = _mm256_permutevar8x32_epi32(c.shine, cell);
    const __m256i height = _mm256_permutevar8x32_epi32(c.height, cell);
    return _mm256_blend_epi32(_mm256_blend_epi32(colour, shine, dwordsHolding(V, 1)), height, dwordsHolding(V, 2));
}

[[gnu::always_inline]] inline Raw8 rawOf(const Cells8& c) {
    return {{rawVector<0>(c), rawVector<1>(c), rawVector<2>(c)}};
}

// Writes the cells of the lanes in `lanes` (whose bits are `bits`).
[[gnu::always_inline]] inline void storeRaw(PaintCell* cells, const Raw8& r, __m256i lanes, int bits) {
    auto* d = reinterpret_cast<std::int32_t*>(cells);
    for (int v = 0; v < 3; ++v) {
        if (bits == 0xFF) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + 8 * v), r.v[v]);
        } else {
            _mm256_maskstore_epi32(d + 8 * v, dwordsOf(lanes, v), r.v[v]);
        }
    }
}

[[gnu::always_inline]] inline void storeCells(PaintCell* cells, const Cells8& c, __m256i lanes, int bits) {
    storeRaw(cells, rawOf(c), lanes, bits);
}

// Channel k (red, green, blue, grain, shine) of the cells, 0..255.
[[gnu::always_inline]] inline __m256i channel(const Cells8& c, int k) {
    const __m256i byte = _mm256_set1_epi32(0xFF);
    if (k == 4) return _mm256_and_si256(c.shine, byte);
    return _mm256_and_si256(_mm256_srli_epi32(c.colour, 8 * k), byte);
}

[[gnu::always_inline]] inline __m256 asFloat(__m256i v) { return _mm256_cvtepi32_ps(v); }
[[gnu::always_inline]] inline __m256 heightOf(const Cells8& c) { return _mm256_castsi256_ps(c.height); }
[[gnu::always_inline]] inline __m256 asMask(__m256i lanes) { return _mm256_castsi256_ps(lanes); }
[[gnu::always_inline]] inline __m256i maskOf(__m256 lanes) { return _mm256_castps_si256(lanes); }

// roundToByte on every lane: v + 0.5 truncated, 0 for v not above 0 (NaN
// too: the maximum then gives its second operand), 255 from 255 up.
[[gnu::always_inline]] inline __m256i roundToBytes(__m256 v) {
    const __m256 held = _mm256_min_ps(_mm256_max_ps(v, _mm256_setzero_ps()), _mm256_set1_ps(255.0f));
    return _mm256_cvttps_epi32(_mm256_add_ps(held, _mm256_set1_ps(0.5f)));
}

// A cell of these five channels and height, its unused bytes 0 (as cellOf makes it).
[[gnu::always_inline]] inline Cells8 cellsOf(const __m256i channels[5], __m256 height) {
    const __m256i colour =
        _mm256_or_si256(_mm256_or_si256(channels[0], _mm256_slli_epi32(channels[1], 8)),
                        _mm256_or_si256(_mm256_slli_epi32(channels[2], 16), _mm256_slli_epi32(channels[3], 24)));
    return {colour, channels[4], _mm256_castps_si256(height)};
}

// `chosen` in the lanes of `lanes`, `otherwise` elsewhere.
[[gnu::always_inline]] inline __m256i pick(__m256i lanes, __m256i otherwise, __m256i chosen) {
    return _mm256_blendv_epi8(otherwise, chosen, lanes);
}

[[gnu::always_inline]] inline Cells8 select(__m256i lanes, const Cells8& otherwise, const Cells8& chosen) {
    return {pick(lanes, otherwise.colour, chosen.colour), pick(lanes, otherwise.shine, chosen.shine),
            pick(lanes, otherwise.height, chosen.height)};
}

// The cells of `below` (its channels as floats in `bf`) covered by the
// layer's cells by `amount` (coverWith, then cellOf).
[[gnu::always_inline]] inline Cells8 coveredBy(const Cells8& below, const __m256 bf[5], const Cells8& cell,
                                               __m256 amount) {
    const __m256 covers = _mm256_cmp_ps(amount, _mm256_setzero_ps(), _CMP_GT_OQ);
    __m256i channels[5];
    for (int k = 0; k < 5; ++k) {
        const __m256 v = asFloat(channel(cell, k));
        const __m256 mixed = _mm256_add_ps(bf[k], _mm256_mul_ps(_mm256_sub_ps(v, bf[k]), amount));
        channels[k] = roundToBytes(_mm256_blendv_ps(bf[k], mixed, covers));
    }
    return cellsOf(channels, _mm256_add_ps(heightOf(below), heightOf(cell)));
}

// The cells under what the layers above do to them (underCover).
[[gnu::always_inline]] inline Cells8 underCover8(const Cells8& shown, const CoverAbove* above, __m256i lanes) {
    const auto* base = reinterpret_cast<const float*>(above);
    const __m256i step = loadIndex(kIndices.aboveStep);
    const __m256 one = _mm256_set1_ps(1.0f);
    __m256 field[7];
    for (int f = 0; f < 7; ++f) {
        // Lanes beyond the run read nothing: they cover nothing.
        field[f] = _mm256_mask_i32gather_ps(f == 6 ? one : _mm256_setzero_ps(), base + f, step, asMask(lanes), 4);
    }
    const __m256 zero = _mm256_setzero_ps();
    __m256 nothing = _mm256_cmp_ps(field[6], one, _CMP_EQ_OQ);
    for (int f = 0; f < 6; ++f) nothing = _mm256_and_ps(nothing, _mm256_cmp_ps(field[f], zero, _CMP_EQ_OQ));
    if (_mm256_movemask_ps(nothing) == 0xFF) return shown;
    __m256i channels[5];
    for (int k = 0; k < 5; ++k) {
        channels[k] = roundToBytes(_mm256_add_ps(_mm256_mul_ps(asFloat(channel(shown, k)), field[6]), field[k]));
    }
    const Cells8 covered = cellsOf(channels, _mm256_add_ps(heightOf(shown), field[5]));
    return select(maskOf(nothing), covered, shown);
}

// Writes the work canvas's cells (`made`) and the document's (`made`, or
// `below` for a hidden layer, under what the layers above do), those of the
// lanes in `changed`.
[[gnu::always_inline]] inline void storeShown(const TakenCells& run, std::size_t i, const Cells8& made,
                                              const Cells8& below, bool visible, __m256i lanes, __m256i changed) {
    const int bits = bitsOf(changed);
    const Raw8 madeRaw = rawOf(made);
    storeRaw(run.work + i, madeRaw, changed, bits);
    if (visible && run.above == nullptr) {
        storeRaw(run.document + i, madeRaw, changed, bits);
        return;
    }
    const Cells8& shown = visible ? made : below;
    storeCells(run.document + i, run.above != nullptr ? underCover8(shown, run.above + i, lanes) : shown, changed,
               bits);
}

// The eight cells of a step of the run: what was seen, what lies below, the
// layer's, and each channel of those seen and below.
struct Step {
    Cells8 seen;
    Cells8 below;
    Cells8 cell;
    __m256 covered;  // the layer's coverage, 1 where it has none
    __m256i b[5];
    __m256i s[5];
    __m256 bf[5];
};

// The amount each cell takes of the layer where the layer's coverage is
// less than whole: the least that shows what was seen with channels in
// 0..255, at least its coverage, at most the opacity.
[[gnu::always_inline]] inline __m256 amountNeeded(const Step& c, __m256 opacities) {
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256 full = _mm256_set1_ps(255.0f);
    __m256 need = _mm256_setzero_ps();
    for (int k = 0; k < 5; ++k) {
        // Up: (s - b) / (255 - b); down: (b - s) / b; each a product with
        // the reciprocal, as the cell-by-cell table holds it.
        const __m256i upLanes = _mm256_cmpgt_epi32(c.s[k], c.b[k]);
        const __m256 up = asMask(upLanes);
        const __m256 moved = asMask(_mm256_or_si256(upLanes, _mm256_cmpgt_epi32(c.b[k], c.s[k])));
        const __m256 range = _mm256_blendv_ps(c.bf[k], _mm256_sub_ps(full, c.bf[k]), up);
        const __m256 reciprocal = _mm256_and_ps(moved, _mm256_div_ps(one, range));
        const __m256 term = _mm256_mul_ps(asFloat(_mm256_abs_epi32(_mm256_sub_epi32(c.s[k], c.b[k]))), reciprocal);
        need = _mm256_blendv_ps(need, _mm256_max_ps(need, term), moved);
    }
    return _mm256_min_ps(_mm256_max_ps(_mm256_mul_ps(c.covered, opacities), need), opacities);
}

// The layer's channels that, laid over below by `amount`, show what was
// seen: those seen where the amount is 1, the layer's own where it is 0.
[[gnu::always_inline]] inline void layerChannels(const Step& c, __m256 amount, __m256i laid, __m256i changed,
                                                 __m256i layer[5]) {
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256i whole = _mm256_and_si256(maskOf(_mm256_cmp_ps(amount, one, _CMP_EQ_OQ)), laid);
    if (bitsOf(whole) == bitsOf(changed)) {
        // Every lane covers by 1: the layer's channels are those seen.
        for (int k = 0; k < 5; ++k) layer[k] = c.s[k];
        return;
    }
    const __m256 inverse = _mm256_and_ps(asMask(laid), _mm256_div_ps(one, amount));
    for (int k = 0; k < 5; ++k) {
        const __m256i mixed =
            roundToBytes(_mm256_add_ps(c.bf[k], _mm256_mul_ps(asFloat(_mm256_sub_epi32(c.s[k], c.b[k])), inverse)));
        layer[k] = pick(whole, pick(laid, channel(c.cell, k), mixed), c.s[k]);
    }
}

// Takes the cells [i, i + count) of the run, count at most 8.
[[gnu::always_inline]] inline void takeEight(const TakenCells& run, std::size_t i, int count, float opacity,
                                             bool visible) {
    const __m256 zero = _mm256_setzero_ps();
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256 opacities = _mm256_set1_ps(opacity);
    const __m256i lanes = lanesOf((1 << count) - 1);
    __m256i changed = lanes;
    const Raw8 seenRaw = loadRaw(run.work + i, count, lanes);
    if (run.changedOnly && run.before != nullptr) {
        const int differ = cellsDiffer(seenRaw, loadRaw(run.before + i, count, lanes));
        if (differ == 0) return;
        changed = lanesOf(differ);
    }
    Step c{fieldsOf(seenRaw),
           loadCells(run.below + i, count, lanes),
           loadCells(run.cells + i, count, lanes),
           one,
           {},
           {},
           {}};
    if (run.coverage != nullptr) {
        c.covered = count == 8 ? _mm256_loadu_ps(run.coverage + i)
                               : _mm256_blendv_ps(one, _mm256_maskload_ps(run.coverage + i, lanes), asMask(lanes));
    }
    for (int k = 0; k < 5; ++k) {
        c.b[k] = channel(c.below, k);
        c.s[k] = channel(c.seen, k);
        c.bf[k] = asFloat(c.b[k]);
    }
    if (run.changedOnly && run.before == nullptr) {
        // The cells as the layer made them, compared bit for bit.
        const Cells8 was = coveredBy(c.below, c.bf, c.cell, _mm256_mul_ps(c.covered, opacities));
        const __m256i same = _mm256_and_si256(_mm256_and_si256(_mm256_cmpeq_epi32(c.seen.colour, was.colour),
                                                               _mm256_cmpeq_epi32(c.seen.shine, was.shine)),
                                              _mm256_cmpeq_epi32(c.seen.height, was.height));
        changed = _mm256_andnot_si256(same, changed);
        if (bitsOf(changed) == 0) return;
    }
    // takeIntoLayer: the height, the amount and coverage, the channels.
    const __m256 height = _mm256_sub_ps(heightOf(c.seen), heightOf(c.below));
    __m256 amount = opacities;
    __m256i laid = changed;
    __m256 coverage = c.covered;
    // Where the layer covers a cell whole already, the amount is its opacity
    // whatever the cell needs: the search for it is skipped when that holds
    // for every lane (a layer painted over again).
    if (run.coverage != nullptr &&
        (_mm256_movemask_ps(_mm256_cmp_ps(c.covered, one, _CMP_LT_OQ)) & bitsOf(changed)) != 0) {
        amount = amountNeeded(c, opacities);
        // Where the amount is 0 only the height changes.
        laid = _mm256_and_si256(laid, maskOf(_mm256_cmp_ps(amount, zero, _CMP_GT_OQ)));
        coverage = _mm256_blendv_ps(c.covered, _mm256_min_ps(_mm256_div_ps(amount, opacities), one), asMask(laid));
        _mm256_maskstore_ps(run.coverage + i, laid, coverage);
    }
    __m256i layer[5];
    layerChannels(c, amount, laid, changed, layer);
    Cells8 taken = cellsOf(layer, height);
    const __m256i keepUnused = _mm256_set1_epi32(static_cast<std::int32_t>(0xFFFFFF00u));
    taken.shine = _mm256_or_si256(_mm256_and_si256(c.cell.shine, keepUnused), layer[4]);
    const Cells8 now = select(changed, c.cell, taken);
    storeCells(run.cells + i, now, changed, bitsOf(changed));
    // The work canvas's cell: below covered by the layer's as it now is.
    const Cells8 made = coveredBy(c.below, c.bf, now, _mm256_mul_ps(coverage, opacities));
    storeShown(run, i, made, c.below, visible, lanes, changed);
}

}  // namespace

void takeCellsAvx2(const TakenCells& run, float opacity, bool visible) {
    for (std::size_t i = 0; i < run.count; i += 8) {
        const std::size_t left = run.count - i;
        takeEight(run, i, left >= 8 ? 8 : static_cast<int>(left), opacity, visible);
    }
}

}  // namespace sc

SC_TARGET_END

#endif
