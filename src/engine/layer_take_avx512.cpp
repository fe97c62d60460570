// SPDX-License-Identifier: GPL-3.0-or-later
// takeCells on sixteen lanes (AVX-512): the operations of takeIntoLayer,
// coverWith, cellOf and underCover (engine/layer.h) in the same order on
// every lane, so the same bits as cell by cell. Sixteen cells are three
// vectors of dwords; each cell is three dwords (colour and grain bytes,
// shine with the unused bytes, height), taken apart and put back together
// by permutes; the last few cells of a run take the first lanes alone.
// Only x86-64 builds have it; the caller checks the vector path first.
#include "engine/layer_take.h"

#if SC_VECTOR_TARGETS
#include <immintrin.h>

#include <cstddef>
#include <cstdint>

SC_TARGET_AVX512_BEGIN

namespace sc {
namespace {

static_assert(sizeof(PaintCell) == 12 && sizeof(CoverAbove) == 28, "cells are three dwords, CoverAbove seven floats");

// The permute indices: taking field f of sixteen cells out of their three
// vectors (from the first two, then the third), putting three fields back
// into vector v, and the lane each dword of vector v belongs to.
struct Indices {
    alignas(64) std::int32_t outFirst[3][16];
    alignas(64) std::int32_t outSecond[3][16];
    alignas(64) std::int32_t inFirst[3][16];
    alignas(64) std::int32_t inSecond[3][16];
    alignas(64) std::int32_t laneOf[3][16];
    alignas(64) std::int32_t aboveStep[16];

    constexpr Indices() : outFirst(), outSecond(), inFirst(), inSecond(), laneOf(), aboveStep() {
        for (int f = 0; f < 3; ++f) {
            for (int i = 0; i < 16; ++i) {
                const int d = 3 * i + f;
                outFirst[f][i] = d < 32 ? d : 0;
                outSecond[f][i] = d < 32 ? i : 16 + d - 32;
            }
        }
        for (int v = 0; v < 3; ++v) {
            for (int j = 0; j < 16; ++j) {
                const int d = 16 * v + j;
                const int cell = d / 3;
                const int field = d % 3;
                inFirst[v][j] = field == 0 ? cell : field == 1 ? 16 + cell : 0;
                inSecond[v][j] = field == 2 ? 16 + cell : j;
                laneOf[v][j] = cell;
            }
        }
        for (int i = 0; i < 16; ++i) aboveStep[i] = 7 * i;
    }
};
constexpr Indices kIndices;

// The helpers below are all inlined into the loop, so that its vectors stay
// in registers.
struct Cells16 {
    __m512i colour;  // red, green, blue, grain
    __m512i shine;   // shine and the unused bytes
    __m512i height;
};

// The dwords of vector v that belong to lanes in `lanes`.
[[gnu::always_inline]] inline __mmask16 dwordsOf(__mmask16 lanes, int v) {
    const __m512i whole = _mm512_maskz_set1_epi32(lanes, -1);
    const __m512i spread = _mm512_permutexvar_epi32(_mm512_load_si512(kIndices.laneOf[v]), whole);
    return _mm512_test_epi32_mask(spread, spread);
}

// The three vectors of dwords of the first `lanes` cells (all sixteen, or
// the first few at the end of a run: nothing beyond the run is read).
struct Raw16 {
    __m512i v[3];
};

[[gnu::always_inline]] inline Raw16 loadRaw(const PaintCell* cells, __mmask16 lanes) {
    const auto* d = reinterpret_cast<const std::int32_t*>(cells);
    Raw16 r{};
    for (int k = 0; k < 3; ++k) {
        r.v[k] =
            lanes == 0xFFFF ? _mm512_loadu_si512(d + 16 * k) : _mm512_maskz_loadu_epi32(dwordsOf(lanes, k), d + 16 * k);
    }
    return r;
}

[[gnu::always_inline]] inline Cells16 fieldsOf(const Raw16& r) {
    __m512i field[3];
    for (int f = 0; f < 3; ++f) {
        const __m512i first = _mm512_permutex2var_epi32(r.v[0], _mm512_load_si512(kIndices.outFirst[f]), r.v[1]);
        field[f] = _mm512_permutex2var_epi32(first, _mm512_load_si512(kIndices.outSecond[f]), r.v[2]);
    }
    return {field[0], field[1], field[2]};
}

[[gnu::always_inline]] inline Cells16 loadCells(const PaintCell* cells, __mmask16 lanes) {
    return fieldsOf(loadRaw(cells, lanes));
}

// The cells whose three dwords are not all the same in `a` and `b`: dword
// differences, bit 3i + f for field f of cell i, folded onto bit 3i and then
// every third bit gathered into the low sixteen.
[[gnu::always_inline]] inline __mmask16 cellsDiffer(const Raw16& a, const Raw16& b) {
    std::uint64_t m = std::uint64_t{_mm512_cmpneq_epi32_mask(a.v[0], b.v[0])} |
                      std::uint64_t{_mm512_cmpneq_epi32_mask(a.v[1], b.v[1])} << 16 |
                      std::uint64_t{_mm512_cmpneq_epi32_mask(a.v[2], b.v[2])} << 32;
    m |= (m >> 1) | (m >> 2);
    m &= 0x1249249249249249ULL;
    m = (m ^ (m >> 2)) & 0x10c30c30c30c30c3ULL;
    m = (m ^ (m >> 4)) & 0x100f00f00f00f00fULL;
    m = (m ^ (m >> 8)) & 0x1f0000ff0000ffULL;
    m = (m ^ (m >> 16)) & 0x1f00000000ffffULL;
    return static_cast<__mmask16>(m);
}

// The cells back in their three vectors of dwords.
[[gnu::always_inline]] inline Raw16 rawOf(const Cells16& c) {
    Raw16 r{};
    for (int v = 0; v < 3; ++v) {
        const __m512i first = _mm512_permutex2var_epi32(c.colour, _mm512_load_si512(kIndices.inFirst[v]), c.shine);
        r.v[v] = _mm512_permutex2var_epi32(first, _mm512_load_si512(kIndices.inSecond[v]), c.height);
    }
    return r;
}

// Writes the cells of the lanes in `lanes`.
[[gnu::always_inline]] inline void storeRaw(PaintCell* cells, const Raw16& r, __mmask16 lanes) {
    auto* d = reinterpret_cast<std::int32_t*>(cells);
    for (int v = 0; v < 3; ++v) {
        if (lanes == 0xFFFF) {
            _mm512_storeu_si512(d + 16 * v, r.v[v]);
        } else {
            _mm512_mask_storeu_epi32(d + 16 * v, dwordsOf(lanes, v), r.v[v]);
        }
    }
}

[[gnu::always_inline]] inline void storeCells(PaintCell* cells, const Cells16& c, __mmask16 lanes) {
    storeRaw(cells, rawOf(c), lanes);
}

// Channel k (red, green, blue, grain, shine) of the cells, 0..255.
[[gnu::always_inline]] inline __m512i channel(const Cells16& c, int k) {
    const __m512i byte = _mm512_set1_epi32(0xFF);
    if (k == 4) return _mm512_and_si512(c.shine, byte);
    return _mm512_and_si512(_mm512_srli_epi32(c.colour, static_cast<unsigned>(8 * k)), byte);
}

[[gnu::always_inline]] inline __m512 asFloat(__m512i v) { return _mm512_cvtepi32_ps(v); }
[[gnu::always_inline]] inline __m512 heightOf(const Cells16& c) { return _mm512_castsi512_ps(c.height); }

// roundToByte on every lane: v + 0.5 truncated, 0 for v not above 0 (NaN
// too: the maximum then gives its second operand), 255 from 255 up.
[[gnu::always_inline]] inline __m512i roundToBytes(__m512 v) {
    const __m512 held = _mm512_min_ps(_mm512_max_ps(v, _mm512_setzero_ps()), _mm512_set1_ps(255.0f));
    return _mm512_cvttps_epi32(_mm512_add_ps(held, _mm512_set1_ps(0.5f)));
}

// A cell of these five channels and height, its unused bytes 0 (as cellOf makes it).
[[gnu::always_inline]] inline Cells16 cellsOf(const __m512i channels[5], __m512 height) {
    const __m512i colour =
        _mm512_or_si512(_mm512_or_si512(channels[0], _mm512_slli_epi32(channels[1], 8)),
                        _mm512_or_si512(_mm512_slli_epi32(channels[2], 16), _mm512_slli_epi32(channels[3], 24)));
    return {colour, channels[4], _mm512_castps_si512(height)};
}

[[gnu::always_inline]] inline Cells16 select(__mmask16 lanes, const Cells16& otherwise, const Cells16& chosen) {
    return {_mm512_mask_mov_epi32(otherwise.colour, lanes, chosen.colour),
            _mm512_mask_mov_epi32(otherwise.shine, lanes, chosen.shine),
            _mm512_mask_mov_epi32(otherwise.height, lanes, chosen.height)};
}

// The cells of `below` (its channels as floats in `bf`) covered by the
// layer's cells by `amount` (coverWith, then cellOf).
[[gnu::always_inline]] inline Cells16 coveredBy(const __m512 bf[5], __m512 belowHeight, const __m512i channelsOf[5],
                                                __m512 heightOf, __m512 amount) {
    const __mmask16 covers = _mm512_cmp_ps_mask(amount, _mm512_setzero_ps(), _CMP_GT_OQ);
    __m512i channels[5];
    for (int k = 0; k < 5; ++k) {
        const __m512 v = asFloat(channelsOf[k]);
        channels[k] =
            roundToBytes(_mm512_mask_add_ps(bf[k], covers, bf[k], _mm512_mul_ps(_mm512_sub_ps(v, bf[k]), amount)));
    }
    return cellsOf(channels, _mm512_add_ps(belowHeight, heightOf));
}

[[gnu::always_inline]] inline Cells16 coveredBy(const Cells16& below, const __m512 bf[5], const Cells16& cell,
                                                __m512 amount) {
    __m512i channels[5];
    for (int k = 0; k < 5; ++k) channels[k] = channel(cell, k);
    return coveredBy(bf, heightOf(below), channels, heightOf(cell), amount);
}

// The cells under what the layers above do to them (underCover).
[[gnu::always_inline]] inline Cells16 underCover16(const Cells16& shown, const CoverAbove* above, __mmask16 lanes) {
    const auto* base = reinterpret_cast<const float*>(above);
    const __m512i step = _mm512_load_si512(kIndices.aboveStep);
    __m512 field[7];
    for (int f = 0; f < 7; ++f) {
        // Lanes beyond the run read nothing: they cover nothing.
        field[f] =
            _mm512_mask_i32gather_ps(f == 6 ? _mm512_set1_ps(1.0f) : _mm512_setzero_ps(), lanes, step, base + f, 4);
    }
    const __m512 zero = _mm512_setzero_ps();
    __mmask16 nothing = _mm512_cmp_ps_mask(field[6], _mm512_set1_ps(1.0f), _CMP_EQ_OQ);
    for (int f = 0; f < 6; ++f) nothing &= _mm512_cmp_ps_mask(field[f], zero, _CMP_EQ_OQ);
    if (nothing == 0xFFFF) return shown;
    __m512i channels[5];
    for (int k = 0; k < 5; ++k) {
        channels[k] = roundToBytes(_mm512_add_ps(_mm512_mul_ps(asFloat(channel(shown, k)), field[6]), field[k]));
    }
    const Cells16 covered = cellsOf(channels, _mm512_add_ps(heightOf(shown), field[5]));
    return select(nothing, covered, shown);
}

// Writes the work canvas's cells (`made`) and the document's (`made`, or
// `below` for a hidden layer, under what the layers above do), those of the
// lanes in `changed`.
[[gnu::always_inline]] inline void storeShown(const TakenCells& run, std::size_t i, const Cells16& made,
                                              const Cells16& below, bool visible, __mmask16 lanes, __mmask16 changed) {
    const Raw16 madeRaw = rawOf(made);
    storeRaw(run.work + i, madeRaw, changed);
    if (visible && run.above == nullptr) {
        storeRaw(run.document + i, madeRaw, changed);
        return;
    }
    const Cells16& shown = visible ? made : below;
    storeCells(run.document + i, run.above != nullptr ? underCover16(shown, run.above + i, lanes) : shown, changed);
}

}  // namespace

void takeCellsAvx512(const TakenCells& run, float opacity, bool visible) {
    const __m512 zero = _mm512_setzero_ps();
    const __m512 one = _mm512_set1_ps(1.0f);
    const __m512 full = _mm512_set1_ps(255.0f);
    const __m512 opacities = _mm512_set1_ps(opacity);
    const __m512i keepUnused = _mm512_set1_epi32(static_cast<std::int32_t>(0xFFFFFF00u));
    for (std::size_t i = 0; i < run.count; i += 16) {
        const std::size_t left = run.count - i;
        const __mmask16 lanes = left >= 16 ? 0xFFFF : static_cast<__mmask16>((1u << left) - 1u);
        __mmask16 changed = lanes;
        const Raw16 seenRaw = loadRaw(run.work + i, lanes);
        if (run.changedOnly && run.before != nullptr) {
            changed = cellsDiffer(seenRaw, loadRaw(run.before + i, lanes));
            if (changed == 0) continue;
        }
        const Cells16 seen = fieldsOf(seenRaw);
        const Cells16 below = loadCells(run.below + i, lanes);
        const Cells16 cell = loadCells(run.cells + i, lanes);
        const __m512 covered = run.coverage != nullptr ? _mm512_mask_loadu_ps(one, lanes, run.coverage + i) : one;
        __m512i b[5];
        __m512i s[5];
        __m512 bf[5];
        for (int k = 0; k < 5; ++k) {
            b[k] = channel(below, k);
            s[k] = channel(seen, k);
            bf[k] = asFloat(b[k]);
        }
        if (run.changedOnly && run.before == nullptr) {
            // The cells as the layer made them, compared bit for bit.
            const Cells16 was = coveredBy(below, bf, cell, _mm512_mul_ps(covered, opacities));
            changed &= _mm512_cmpneq_epi32_mask(seen.colour, was.colour) |
                       _mm512_cmpneq_epi32_mask(seen.shine, was.shine) |
                       _mm512_cmpneq_epi32_mask(seen.height, was.height);
            if (changed == 0) continue;
        }
        // takeIntoLayer: the height, the amount and coverage, the channels.
        const __m512 height = _mm512_sub_ps(heightOf(seen), heightOf(below));
        __m512 amount = opacities;
        __mmask16 laid = changed;
        __m512 coverage = covered;
        // Where the layer covers a cell whole already, the amount is its
        // opacity whatever the cell needs: the search for it is skipped when
        // that holds for every lane (a layer painted over again).
        if (run.coverage != nullptr && (_mm512_cmp_ps_mask(covered, one, _CMP_LT_OQ) & changed) != 0) {
            __m512 need = zero;
            for (int k = 0; k < 5; ++k) {
                // Up: (s - b) / (255 - b); down: (b - s) / b; each a product
                // with the reciprocal, as the cell-by-cell table holds it.
                const __mmask16 up = _mm512_cmpgt_epi32_mask(s[k], b[k]);
                const __mmask16 moved = up | _mm512_cmplt_epi32_mask(s[k], b[k]);
                const __m512 range = _mm512_mask_sub_ps(bf[k], up, full, bf[k]);
                const __m512 term = _mm512_mul_ps(asFloat(_mm512_abs_epi32(_mm512_sub_epi32(s[k], b[k]))),
                                                  _mm512_maskz_div_ps(moved, one, range));
                need = _mm512_mask_max_ps(need, moved, need, term);
            }
            amount = _mm512_min_ps(_mm512_max_ps(_mm512_mul_ps(covered, opacities), need), opacities);
            // Where the amount is 0 only the height changes.
            laid &= _mm512_cmp_ps_mask(amount, zero, _CMP_GT_OQ);
            coverage = _mm512_mask_mov_ps(covered, laid, _mm512_min_ps(_mm512_div_ps(amount, opacities), one));
            _mm512_mask_storeu_ps(run.coverage + i, laid, coverage);
        }
        const __mmask16 whole = _mm512_cmp_ps_mask(amount, one, _CMP_EQ_OQ) & laid;
        __m512i layer[5];
        if (whole == changed) {
            // Every lane covers by 1: the layer's channels are those seen.
            for (int k = 0; k < 5; ++k) layer[k] = s[k];
        } else {
            const __m512 inverse = _mm512_maskz_div_ps(laid, one, amount);
            for (int k = 0; k < 5; ++k) {
                const __m512i mixed =
                    roundToBytes(_mm512_add_ps(bf[k], _mm512_mul_ps(asFloat(_mm512_sub_epi32(s[k], b[k])), inverse)));
                layer[k] = _mm512_mask_mov_epi32(_mm512_mask_mov_epi32(channel(cell, k), laid, mixed), whole, s[k]);
            }
        }
        Cells16 taken = cellsOf(layer, height);
        taken.shine = _mm512_or_si512(_mm512_and_si512(cell.shine, keepUnused), layer[4]);
        storeCells(run.cells + i, taken, changed);
        // The work canvas's cell: below covered by the layer's as it now is.
        // Only the changed lanes are written, and there the layer's cell is
        // `taken`: its channels and height are at hand.
        const Cells16 made = coveredBy(bf, heightOf(below), layer, height, _mm512_mul_ps(coverage, opacities));
        storeShown(run, i, made, below, visible, lanes, changed);
    }
}

}  // namespace sc

SC_TARGET_END

#endif
