// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sixteen-lane building blocks of the AVX-512 renderer: floats, doubles (as
// two halves of eight), 32-bit integers, lane masks, the 12-byte cells, grain
// gathers and pixel stores. Included only by render_avx512.cpp, inside the
// region it compiles for AVX-512, before render_band_kernel.h, which is
// written against exactly these names (render_lanes_avx2.h gives the same
// names for eight lanes).
#include <immintrin.h>

#include <cstdint>

#include "engine/paint_cell.h"

namespace sc {
namespace {

#define SC_INLINE inline __attribute__((always_inline))  // every helper is inlined into the kernel

inline constexpr unsigned kLanes = 16;

struct F {
    __m512 v;
};
struct D {
    __m512d lo, hi;  // lanes 0..7 and 8..15
};
using I = __m512i;
using Mask = __mmask16;
SC_INLINE Mask allLanes() { return 0xFFFF; }
SC_INLINE Mask noLanes() { return 0; }
SC_INLINE Mask allButFirstLane() { return 0xFFFE; }
SC_INLINE Mask allButLastLane() { return 0x7FFF; }

SC_INLINE F splatF(float v) { return {_mm512_set1_ps(v)}; }
SC_INLINE D splat(double v) { return {_mm512_set1_pd(v), _mm512_set1_pd(v)}; }
SC_INLINE I splatI(std::int32_t v) { return _mm512_set1_epi32(v); }
// start, start + 1, ..., start + 15.
SC_INLINE D iota(double start) {
    const __m512d s = _mm512_set1_pd(start);
    return {_mm512_add_pd(s, _mm512_setr_pd(0, 1, 2, 3, 4, 5, 6, 7)),
            _mm512_add_pd(s, _mm512_setr_pd(8, 9, 10, 11, 12, 13, 14, 15))};
}

SC_INLINE D widen(F f) {
    return {_mm512_cvtps_pd(_mm512_castps512_ps256(f.v)), _mm512_cvtps_pd(_mm512_extractf32x8_ps(f.v, 1))};
}
SC_INLINE D widen(I v) {
    return {_mm512_cvtepi32_pd(_mm512_castsi512_si256(v)), _mm512_cvtepi32_pd(_mm512_extracti64x4_epi64(v, 1))};
}
// Rounds to single precision in the current (nearest) mode, as the scalar cast.
SC_INLINE F narrow(D d) {
    return {_mm512_insertf32x8(_mm512_castps256_ps512(_mm512_cvtpd_ps(d.lo)), _mm512_cvtpd_ps(d.hi), 1)};
}
// Truncates toward zero; NaN and out-of-range lanes give 0x80000000.
SC_INLINE I truncate(D d) {
    return _mm512_inserti64x4(_mm512_castsi256_si512(_mm512_cvttpd_epi32(d.lo)), _mm512_cvttpd_epi32(d.hi), 1);
}
SC_INLINE D add(D a, D b) { return {_mm512_add_pd(a.lo, b.lo), _mm512_add_pd(a.hi, b.hi)}; }
SC_INLINE D sub(D a, D b) { return {_mm512_sub_pd(a.lo, b.lo), _mm512_sub_pd(a.hi, b.hi)}; }
SC_INLINE D mul(D a, D b) { return {_mm512_mul_pd(a.lo, b.lo), _mm512_mul_pd(a.hi, b.hi)}; }
SC_INLINE F add(F a, F b) { return {_mm512_add_ps(a.v, b.v)}; }
SC_INLINE F sub(F a, F b) { return {_mm512_sub_ps(a.v, b.v)}; }
SC_INLINE F div(F a, F b) { return {_mm512_div_ps(a.v, b.v)}; }
SC_INLINE F sqrt(F a) { return {_mm512_sqrt_ps(a.v)}; }
// max(0, v) keeps -0 and NaN as they are, exactly as `if (d < 0) d = 0`.
SC_INLINE F notBelowZero(F v) { return {_mm512_max_ps(_mm512_setzero_ps(), v.v)}; }
// |v| - trunc(|v|), exactly as fractionOfMagnitude for every input.
SC_INLINE D fractionOfMagnitude(D v) {
    const __m512d lo = _mm512_abs_pd(v.lo);
    const __m512d hi = _mm512_abs_pd(v.hi);
    return {_mm512_sub_pd(lo, _mm512_roundscale_pd(lo, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC)),
            _mm512_sub_pd(hi, _mm512_roundscale_pd(hi, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC))};
}
// The lanes not in `lanes` become +0.
SC_INLINE D keepLanes(D v, Mask lanes) {
    return {_mm512_maskz_mov_pd(static_cast<__mmask8>(lanes), v.lo),
            _mm512_maskz_mov_pd(static_cast<__mmask8>(lanes >> 8), v.hi)};
}

SC_INLINE I iadd(I a, I b) { return _mm512_add_epi32(a, b); }
SC_INLINE I isub(I a, I b) { return _mm512_sub_epi32(a, b); }
SC_INLINE I iand(I a, I b) { return _mm512_and_si512(a, b); }
SC_INLINE I imul(I a, I b) { return _mm512_mullo_epi32(a, b); }
template <int Bits>
SC_INLINE I shiftLeft(I v) {
    return _mm512_slli_epi32(v, Bits);
}
SC_INLINE I shiftLeft(I v, unsigned bits) { return _mm512_sll_epi32(v, _mm_cvtsi32_si128(static_cast<int>(bits))); }
template <int Bits>
SC_INLINE I shiftRight(I v) {
    return _mm512_srli_epi32(v, Bits);
}
SC_INLINE I minUnsigned(I a, I b) { return _mm512_min_epu32(a, b); }
// The lanes of a negative t take `add` added.
SC_INLINE I addWhereNegative(I t, I add) { return _mm512_mask_add_epi32(t, _mm512_movepi32_mask(t), t, add); }
// Bits 8k..8k+7 of every lane.
template <int K>
SC_INLINE I byteOf(I v) {
    return _mm512_and_si512(_mm512_srli_epi32(v, 8 * K), _mm512_set1_epi32(0xFF));
}

SC_INLINE Mask lanesBelow(I v, I limit) { return _mm512_cmplt_epu32_mask(v, limit); }  // unsigned
SC_INLINE Mask lanesEqual(I a, I b) { return _mm512_cmpeq_epi32_mask(a, b); }
SC_INLINE Mask both(Mask a, Mask b) { return static_cast<Mask>(a & b); }
// Lanes first .. 15 (first at most 16).
SC_INLINE Mask lanesFrom(unsigned first) { return static_cast<Mask>(0xFFFFu << first); }
SC_INLINE unsigned laneBits(Mask m) { return m; }
SC_INLINE bool anyNonZero(I v) { return _mm512_test_epi32_mask(v, v) != 0; }

// Sixteen consecutive cells: 48 words, word j of cell i at 3i + j. Two
// permutes gather a field: from the first 32 words, then the rest.
struct CellLanes {
    F height;
    I colour;  // red | green << 8 | blue << 16 | grain << 24
    I shine;   // in the low byte, with the unused bytes above it
};
SC_INLINE I cellField(const __m512i w[3], int j) {
    const __m512i first = _mm512_setr_epi32(j, 3 + j, 6 + j, 9 + j, 12 + j, 15 + j, 18 + j, 21 + j, 24 + j, 27 + j,
                                            30 + j, 33 + j, 36 + j, 39 + j, 42 + j, 45 + j);
    const __m512i fromAB = _mm512_permutex2var_epi32(w[0], first, w[1]);
    // Lanes whose word lies at 32 or beyond come from the third vector.
    const __mmask16 late = j == 2 ? 0xFC00 : 0xF800;  // word 3i + j >= 32
    return _mm512_mask_permutexvar_epi32(fromAB, late, _mm512_sub_epi32(first, _mm512_set1_epi32(32)), w[2]);
}
SC_INLINE void loadWords(const PaintCell* p, __m512i w[3]) {
    const auto* q = reinterpret_cast<const __m512i*>(p);
    w[0] = _mm512_loadu_si512(q);
    w[1] = _mm512_loadu_si512(q + 1);
    w[2] = _mm512_loadu_si512(q + 2);
}
SC_INLINE CellLanes loadCells(const PaintCell* p) {
    __m512i w[3];
    loadWords(p, w);
    return {{_mm512_castsi512_ps(cellField(w, 2))}, cellField(w, 0), cellField(w, 1)};
}
SC_INLINE F loadHeights(const PaintCell* p) {
    __m512i w[3];
    loadWords(p, w);
    return {_mm512_castsi512_ps(cellField(w, 2))};
}
// [*previous, v0, ..., v14] and [v1, ..., v15, *next].
SC_INLINE F withPrevious(F v, const float* previous) {
    return {_mm512_mask_permutexvar_ps(_mm512_set1_ps(*previous), 0xFFFE,
                                       _mm512_setr_epi32(0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14), v.v)};
}
SC_INLINE F withNext(F v, const float* next) {
    return {_mm512_mask_permutexvar_ps(_mm512_set1_ps(*next), 0x7FFF,
                                       _mm512_setr_epi32(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 15), v.v)};
}
// The grain bytes of sixteen consecutive cells, stored as sixteen bytes.
SC_INLINE void storeGrains(const PaintCell* p, std::uint8_t* out) {
    __m512i w[3];
    loadWords(p, w);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm512_cvtepi32_epi8(_mm512_srli_epi32(cellField(w, 0), 24)));
}

// Sixteen words a[i] | b[i] << 8 from two byte rows: column i of rows r
// and r + 1 side by side.
SC_INLINE void storeColumnPairs(const std::uint8_t* a, const std::uint8_t* b, std::uint16_t* out) {
    const __m128i top = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a));
    const __m128i bottom = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(top, bottom));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(top, bottom));
}

// The three words of sixteen consecutive cells, and the cells written back
// from them (word j of lane i to word 3i + j).
struct CellWordLanes {
    I colour, shine, height;  // the shine word keeps the cell's unused bytes above the shine
};
SC_INLINE CellWordLanes loadCellWords(const PaintCell* p) {
    __m512i w[3];
    loadWords(p, w);
    return {cellField(w, 0), cellField(w, 1), cellField(w, 2)};
}
struct CellStoreIndices {
    alignas(64) std::int32_t pick[3][16];    // colour lane, or 16 + shine lane
    alignas(64) std::int32_t height[3][16];  // height lane
    std::uint16_t heightLanes[3];
};
inline constexpr CellStoreIndices kCellStoreIndices = [] {
    CellStoreIndices t{};
    for (int q = 0; q < 3; ++q)
        for (int l = 0; l < 16; ++l) {
            const int k = 16 * q + l, cell = k / 3, field = k % 3;
            t.pick[q][l] = field == 1 ? 16 + cell : cell;
            t.height[q][l] = cell;
            if (field == 2) t.heightLanes[q] = static_cast<std::uint16_t>(t.heightLanes[q] | (1u << l));
        }
    return t;
}();
SC_INLINE void storeCellWords(PaintCell* p, const CellWordLanes& w) {
    auto* q = reinterpret_cast<__m512i*>(p);
    for (int part = 0; part < 3; ++part) {
        const __m512i pick = _mm512_load_si512(kCellStoreIndices.pick[part]);
        const __m512i height = _mm512_load_si512(kCellStoreIndices.height[part]);
        _mm512_storeu_si512(q + part,
                            _mm512_mask_permutexvar_epi32(_mm512_permutex2var_epi32(w.colour, pick, w.shine),
                                                          kCellStoreIndices.heightLanes[part], height, w.height));
    }
}
SC_INLINE F loadFloats(const float* p) { return {_mm512_loadu_ps(p)}; }
// Sixteen bytes, each widened to its lane.
SC_INLINE I loadBytes(const std::uint8_t* p) {
    return _mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}
SC_INLINE F asFloats(I v) { return {_mm512_castsi512_ps(v)}; }
SC_INLINE I asInts(F v) { return _mm512_castps_si512(v.v); }
SC_INLINE Mask lanesAboveZero(F v) { return _mm512_cmp_ps_mask(v.v, _mm512_setzero_ps(), _CMP_GT_OQ); }
SC_INLINE I select(Mask lanes, I yes, I no) { return _mm512_mask_blend_epi32(lanes, no, yes); }
SC_INLINE I ior(I a, I b) { return _mm512_or_si512(a, b); }

// 32-bit reads at base + Scale * index for the lanes in `lanes`; 0 elsewhere.
template <int Scale>
SC_INLINE I gather(const void* base, I index, Mask lanes) {
    return _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), lanes, index, base, Scale);
}
// Prefetches the cache line holding `p` for reading soon.
SC_INLINE void prefetch(const void* p) { _mm_prefetch(static_cast<const char*>(p), _MM_HINT_T0); }
// The same for the pixels a block writes, which are then already owned.
SC_INLINE void prefetchForWriting(const void* p) { __builtin_prefetch(p, 1, 3); }

// Clamps each channel to 0..255 (signed then unsigned saturation) and writes
// blue, green, red of sixteen pixels, BytesPerPixel apart; alpha bytes are
// left as they are. Each 128-bit quarter of the packed bytes holds b0-b3
// g0-g3 r0-r3 of its four pixels.
template <int BytesPerPixel>
SC_INLINE void storePixels(std::uint8_t* out, I blue, I green, I red) {
    const __m512i bytes = _mm512_packus_epi16(_mm512_packs_epi32(blue, green), _mm512_packs_epi32(red, red));
    if constexpr (BytesPerPixel == 3) {
        const __m512i quarter = _mm512_set_epi8(-1, -1, -1, -1, 11, 7, 3, 10, 6, 2, 9, 5, 1, 8, 4, 0,  //
                                                -1, -1, -1, -1, 11, 7, 3, 10, 6, 2, 9, 5, 1, 8, 4, 0,  //
                                                -1, -1, -1, -1, 11, 7, 3, 10, 6, 2, 9, 5, 1, 8, 4, 0,  //
                                                -1, -1, -1, -1, 11, 7, 3, 10, 6, 2, 9, 5, 1, 8, 4, 0);
        const __m512i packed =
            _mm512_permutexvar_epi32(_mm512_setr_epi32(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 3, 7, 11, 15),
                                     _mm512_shuffle_epi8(bytes, quarter));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm512_castsi512_si256(packed));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 32), _mm512_extracti32x4_epi32(packed, 2));
    } else {
        const __m512i quarter = _mm512_set_epi8(-1, 11, 7, 3, -1, 10, 6, 2, -1, 9, 5, 1, -1, 8, 4, 0,  //
                                                -1, 11, 7, 3, -1, 10, 6, 2, -1, 9, 5, 1, -1, 8, 4, 0,  //
                                                -1, 11, 7, 3, -1, 10, 6, 2, -1, 9, 5, 1, -1, 8, 4, 0,  //
                                                -1, 11, 7, 3, -1, 10, 6, 2, -1, 9, 5, 1, -1, 8, 4, 0);
        _mm512_mask_storeu_epi8(out, 0x7777777777777777ull, _mm512_shuffle_epi8(bytes, quarter));
    }
}

}  // namespace
}  // namespace sc
