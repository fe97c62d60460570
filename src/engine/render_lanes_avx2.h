// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Eight-lane building blocks of the AVX2 renderer: floats, doubles (as two
// halves of four), 32-bit integers, lane masks, the 12-byte cells, grain
// gathers and pixel stores. Included only by render_avx2.cpp, inside the
// region it compiles for AVX2, before render_band_kernel.h, which is written
// against exactly these names (render_lanes_avx512.h gives the same names for
// sixteen lanes).
#include <immintrin.h>

#include <cstdint>

#include "engine/paint_cell.h"

namespace sc {
namespace {

#define SC_INLINE inline __attribute__((always_inline))  // every helper is inlined into the kernel

inline constexpr unsigned kLanes = 8;

struct F {
    __m256 v;
};
struct D {
    __m256d lo, hi;  // lanes 0..3 and 4..7
};
using I = __m256i;
using Mask = __m256i;  // all ones in the lanes it holds
SC_INLINE Mask allLanes() { return _mm256_set1_epi32(-1); }
SC_INLINE Mask noLanes() { return _mm256_setzero_si256(); }
SC_INLINE Mask allButFirstLane() { return _mm256_setr_epi32(0, -1, -1, -1, -1, -1, -1, -1); }
SC_INLINE Mask allButLastLane() { return _mm256_setr_epi32(-1, -1, -1, -1, -1, -1, -1, 0); }

SC_INLINE F splatF(float v) { return {_mm256_set1_ps(v)}; }
SC_INLINE D splat(double v) { return {_mm256_set1_pd(v), _mm256_set1_pd(v)}; }
SC_INLINE I splatI(std::int32_t v) { return _mm256_set1_epi32(v); }
// start, start + 1, ..., start + 7.
SC_INLINE D iota(double start) {
    const __m256d s = _mm256_set1_pd(start);
    return {_mm256_add_pd(s, _mm256_setr_pd(0, 1, 2, 3)), _mm256_add_pd(s, _mm256_setr_pd(4, 5, 6, 7))};
}

SC_INLINE D widen(F f) {
    return {_mm256_cvtps_pd(_mm256_castps256_ps128(f.v)), _mm256_cvtps_pd(_mm256_extractf128_ps(f.v, 1))};
}
SC_INLINE D widen(I v) {
    return {_mm256_cvtepi32_pd(_mm256_castsi256_si128(v)), _mm256_cvtepi32_pd(_mm256_extracti128_si256(v, 1))};
}
// Rounds to single precision in the current (nearest) mode, as the scalar cast.
SC_INLINE F narrow(D d) { return {_mm256_set_m128(_mm256_cvtpd_ps(d.hi), _mm256_cvtpd_ps(d.lo))}; }
// Truncates toward zero; NaN and out-of-range lanes give 0x80000000.
SC_INLINE I truncate(D d) { return _mm256_set_m128i(_mm256_cvttpd_epi32(d.hi), _mm256_cvttpd_epi32(d.lo)); }
SC_INLINE D add(D a, D b) { return {_mm256_add_pd(a.lo, b.lo), _mm256_add_pd(a.hi, b.hi)}; }
SC_INLINE D sub(D a, D b) { return {_mm256_sub_pd(a.lo, b.lo), _mm256_sub_pd(a.hi, b.hi)}; }
SC_INLINE D mul(D a, D b) { return {_mm256_mul_pd(a.lo, b.lo), _mm256_mul_pd(a.hi, b.hi)}; }
SC_INLINE F add(F a, F b) { return {_mm256_add_ps(a.v, b.v)}; }
SC_INLINE F sub(F a, F b) { return {_mm256_sub_ps(a.v, b.v)}; }
SC_INLINE F div(F a, F b) { return {_mm256_div_ps(a.v, b.v)}; }
SC_INLINE F sqrt(F a) { return {_mm256_sqrt_ps(a.v)}; }
// max(0, v) keeps -0 and NaN as they are, exactly as `if (d < 0) d = 0`.
SC_INLINE F notBelowZero(F v) { return {_mm256_max_ps(_mm256_setzero_ps(), v.v)}; }
// |v| - trunc(|v|), exactly as fractionOfMagnitude for every input.
SC_INLINE D fractionOfMagnitude(D v) {
    const __m256d sign = _mm256_set1_pd(-0.0);
    const __m256d lo = _mm256_andnot_pd(sign, v.lo);
    const __m256d hi = _mm256_andnot_pd(sign, v.hi);
    return {_mm256_sub_pd(lo, _mm256_round_pd(lo, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC)),
            _mm256_sub_pd(hi, _mm256_round_pd(hi, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC))};
}
// The lanes not in `lanes` become +0.
SC_INLINE D keepLanes(D v, Mask lanes) {
    const __m256d lo = _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm256_castsi256_si128(lanes)));
    const __m256d hi = _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm256_extracti128_si256(lanes, 1)));
    return {_mm256_and_pd(v.lo, lo), _mm256_and_pd(v.hi, hi)};
}

SC_INLINE I iadd(I a, I b) { return _mm256_add_epi32(a, b); }
SC_INLINE I isub(I a, I b) { return _mm256_sub_epi32(a, b); }
SC_INLINE I iand(I a, I b) { return _mm256_and_si256(a, b); }
SC_INLINE I imul(I a, I b) { return _mm256_mullo_epi32(a, b); }
template <int Bits>
SC_INLINE I shiftLeft(I v) {
    return _mm256_slli_epi32(v, Bits);
}
SC_INLINE I shiftLeft(I v, unsigned bits) { return _mm256_sll_epi32(v, _mm_cvtsi32_si128(static_cast<int>(bits))); }
template <int Bits>
SC_INLINE I shiftRight(I v) {
    return _mm256_srli_epi32(v, Bits);
}
SC_INLINE I minUnsigned(I a, I b) { return _mm256_min_epu32(a, b); }
// The lanes of a negative t take `add` added.
SC_INLINE I addWhereNegative(I t, I add) {
    return _mm256_add_epi32(t, _mm256_and_si256(_mm256_srai_epi32(t, 31), add));
}
// Bits 8k..8k+7 of every lane.
template <int K>
SC_INLINE I byteOf(I v) {
    return _mm256_and_si256(_mm256_srli_epi32(v, 8 * K), _mm256_set1_epi32(0xFF));
}

// Unsigned v < limit, for limit >= 1: the smaller of v and limit - 1 is v.
SC_INLINE Mask lanesBelow(I v, I limit) {
    return _mm256_cmpeq_epi32(_mm256_min_epu32(v, _mm256_sub_epi32(limit, _mm256_set1_epi32(1))), v);
}
SC_INLINE Mask lanesEqual(I a, I b) { return _mm256_cmpeq_epi32(a, b); }
SC_INLINE Mask both(Mask a, Mask b) { return _mm256_and_si256(a, b); }
// Lanes first .. 7 (first at most 8).
SC_INLINE Mask lanesFrom(unsigned first) {
    return _mm256_cmpgt_epi32(_mm256_setr_epi32(1, 2, 3, 4, 5, 6, 7, 8), _mm256_set1_epi32(static_cast<int>(first)));
}
SC_INLINE unsigned laneBits(Mask m) { return static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(m))); }
SC_INLINE bool anyNonZero(I v) { return !_mm256_testz_si256(v, v); }

// Eight consecutive cells: the three 32-bit words of cell i sit in lanes
// 3i .. 3i + 2 of a|b|c. Two blends gather a field's eight words into one
// vector (their lanes never collide), one permute orders them.
struct CellLanes {
    F height;
    I colour;  // red | green << 8 | blue << 16 | grain << 24
    I shine;   // in the low byte, with the unused bytes above it
};
struct CellWords {
    __m256i a, b, c;
};
SC_INLINE CellWords loadWords(const PaintCell* p) {
    const auto* q = reinterpret_cast<const __m256i*>(p);
    return {_mm256_loadu_si256(q), _mm256_loadu_si256(q + 1), _mm256_loadu_si256(q + 2)};
}
SC_INLINE I colourWords(const CellWords& w) {
    const __m256i mixed = _mm256_blend_epi32(_mm256_blend_epi32(w.a, w.b, 0x92), w.c, 0x24);
    return _mm256_permutevar8x32_epi32(mixed, _mm256_setr_epi32(0, 3, 6, 1, 4, 7, 2, 5));
}
SC_INLINE I shineWords(const CellWords& w) {
    const __m256i mixed = _mm256_blend_epi32(_mm256_blend_epi32(w.a, w.b, 0x24), w.c, 0x49);
    return _mm256_permutevar8x32_epi32(mixed, _mm256_setr_epi32(1, 4, 7, 2, 5, 0, 3, 6));
}
SC_INLINE F heightWords(const CellWords& w) {
    const __m256i mixed = _mm256_blend_epi32(_mm256_blend_epi32(w.a, w.b, 0x49), w.c, 0x92);
    return {_mm256_castsi256_ps(_mm256_permutevar8x32_epi32(mixed, _mm256_setr_epi32(2, 5, 0, 3, 6, 1, 4, 7)))};
}
SC_INLINE CellLanes loadCells(const PaintCell* p) {
    const CellWords w = loadWords(p);
    return {heightWords(w), colourWords(w), shineWords(w)};
}
SC_INLINE F loadHeights(const PaintCell* p) { return heightWords(loadWords(p)); }
// [*previous, v0, ..., v6] and [v1, ..., v7, *next].
SC_INLINE F withPrevious(F v, const float* previous) {
    return {_mm256_blend_ps(_mm256_permutevar8x32_ps(v.v, _mm256_setr_epi32(0, 0, 1, 2, 3, 4, 5, 6)),
                            _mm256_broadcast_ss(previous), 0x01)};
}
SC_INLINE F withNext(F v, const float* next) {
    return {_mm256_blend_ps(_mm256_permutevar8x32_ps(v.v, _mm256_setr_epi32(1, 2, 3, 4, 5, 6, 7, 7)),
                            _mm256_broadcast_ss(next), 0x80)};
}
// The grain bytes of eight consecutive cells, stored as eight bytes.
SC_INLINE void storeGrains(const PaintCell* p, std::uint8_t* out) {
    const __m256i top = _mm256_shuffle_epi8(
        colourWords(loadWords(p)), _mm256_setr_epi8(3, 7, 11, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 3, 7,
                                                    11, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1));
    const __m256i packed = _mm256_permutevar8x32_epi32(top, _mm256_setr_epi32(0, 4, 1, 2, 3, 5, 6, 7));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(packed));
}

// Eight words a[i] | b[i] << 8 from two byte rows: column i of rows r and
// r + 1 side by side.
SC_INLINE void storeColumnPairs(const std::uint8_t* a, const std::uint8_t* b, std::uint16_t* out) {
    const __m128i top = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(a));
    const __m128i bottom = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(b));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(top, bottom));
}

// The three words of eight consecutive cells, and the cells written back
// from them: each field is permuted back to the lanes its words came from and
// the three are blended into the three vectors of cells.
struct CellWordLanes {
    I colour, shine, height;  // the shine word keeps the cell's unused bytes above the shine
};
SC_INLINE CellWordLanes loadCellWords(const PaintCell* p) {
    const CellWords w = loadWords(p);
    return {colourWords(w), shineWords(w), _mm256_castps_si256(heightWords(w).v)};
}
SC_INLINE void storeCellWords(PaintCell* p, const CellWordLanes& w) {
    const __m256i colour = _mm256_permutevar8x32_epi32(w.colour, _mm256_setr_epi32(0, 3, 6, 1, 4, 7, 2, 5));
    const __m256i shine = _mm256_permutevar8x32_epi32(w.shine, _mm256_setr_epi32(5, 0, 3, 6, 1, 4, 7, 2));
    const __m256i height = _mm256_permutevar8x32_epi32(w.height, _mm256_setr_epi32(2, 5, 0, 3, 6, 1, 4, 7));
    auto* q = reinterpret_cast<__m256i*>(p);
    _mm256_storeu_si256(q, _mm256_blend_epi32(_mm256_blend_epi32(colour, shine, 0x92), height, 0x24));
    _mm256_storeu_si256(q + 1, _mm256_blend_epi32(_mm256_blend_epi32(colour, shine, 0x24), height, 0x49));
    _mm256_storeu_si256(q + 2, _mm256_blend_epi32(_mm256_blend_epi32(colour, shine, 0x49), height, 0x92));
}
SC_INLINE F loadFloats(const float* p) { return {_mm256_loadu_ps(p)}; }
// Eight bytes, each widened to its lane.
SC_INLINE I loadBytes(const std::uint8_t* p) {
    return _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)));
}
SC_INLINE F asFloats(I v) { return {_mm256_castsi256_ps(v)}; }
SC_INLINE I asInts(F v) { return _mm256_castps_si256(v.v); }
SC_INLINE Mask lanesAboveZero(F v) { return _mm256_castps_si256(_mm256_cmp_ps(v.v, _mm256_setzero_ps(), _CMP_GT_OQ)); }
SC_INLINE I select(Mask lanes, I yes, I no) { return _mm256_blendv_epi8(no, yes, lanes); }
SC_INLINE I ior(I a, I b) { return _mm256_or_si256(a, b); }

// 32-bit reads at base + Scale * index for the lanes in `lanes`; 0 elsewhere.
template <int Scale>
SC_INLINE I gather(const void* base, I index, Mask lanes) {
    return _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), static_cast<const int*>(base), index, lanes, Scale);
}
// Prefetches the cache line holding `p` for reading soon.
SC_INLINE void prefetch(const void* p) { _mm_prefetch(static_cast<const char*>(p), _MM_HINT_T0); }
// The same for the pixels a block writes, which are then already owned.
SC_INLINE void prefetchForWriting(const void* p) { __builtin_prefetch(p, 1, 3); }

// Clamps each channel to 0..255 (signed then unsigned saturation) and writes
// blue, green, red of eight pixels, BytesPerPixel apart; alpha bytes are left
// as they are. Each 128-bit half of the packed bytes holds b0-b3 g0-g3 r0-r3.
template <int BytesPerPixel>
SC_INLINE void storePixels(std::uint8_t* out, I blue, I green, I red) {
    const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(blue, green), _mm256_packs_epi32(red, red));
    if constexpr (BytesPerPixel == 3) {
        const __m256i bgr =
            _mm256_shuffle_epi8(bytes, _mm256_setr_epi8(0, 4, 8, 1, 5, 9, 2, 6, 10, 3, 7, 11, -1, -1, -1, -1,  //
                                                        0, 4, 8, 1, 5, 9, 2, 6, 10, 3, 7, 11, -1, -1, -1, -1));
        const __m256i packed = _mm256_permutevar8x32_epi32(bgr, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(packed));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 16), _mm256_extracti128_si256(packed, 1));
    } else {
        const __m256i bgr0 =
            _mm256_shuffle_epi8(bytes, _mm256_setr_epi8(0, 4, 8, -1, 1, 5, 9, -1, 2, 6, 10, -1, 3, 7, 11, -1,  //
                                                        0, 4, 8, -1, 1, 5, 9, -1, 2, 6, 10, -1, 3, 7, 11, -1));
        auto* words = reinterpret_cast<__m256i*>(out);
        const __m256i alpha =
            _mm256_and_si256(_mm256_loadu_si256(words), _mm256_set1_epi32(static_cast<int>(0xFF000000u)));
        _mm256_storeu_si256(words, _mm256_or_si256(alpha, bgr0));
    }
}

}  // namespace
}  // namespace sc
