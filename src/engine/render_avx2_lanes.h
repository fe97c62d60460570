#pragma once
// Eight-lane building blocks of the AVX2 renderer: floats, doubles, the
// 12-byte cells and the grain lookup. Included only by render_avx2.cpp, inside
// the region it compiles for AVX2.
#include <immintrin.h>

#include "engine/paint_cell.h"

namespace sc {
namespace {

#define SC_INLINE inline __attribute__((always_inline))  // every helper is inlined into the kernel

// Eight floats as two halves and eight doubles as two halves, so that each
// conversion between them is one instruction per half.
struct F8 {
    __m128 lo, hi;
};
struct D8 {
    __m256d lo, hi;
};

SC_INLINE F8 halves(__m256 v) { return {_mm256_castps256_ps128(v), _mm256_extractf128_ps(v, 1)}; }
SC_INLINE D8 widen(F8 f) { return {_mm256_cvtps_pd(f.lo), _mm256_cvtps_pd(f.hi)}; }
SC_INLINE D8 widen(__m256i v) {
    return {_mm256_cvtepi32_pd(_mm256_castsi256_si128(v)), _mm256_cvtepi32_pd(_mm256_extracti128_si256(v, 1))};
}
// Rounds to single precision in the current (nearest) mode, as the scalar cast.
SC_INLINE F8 narrow(D8 d) { return {_mm256_cvtpd_ps(d.lo), _mm256_cvtpd_ps(d.hi)}; }
// Truncates toward zero; NaN and out-of-range lanes give 0x80000000.
SC_INLINE __m256i truncate(D8 d) { return _mm256_set_m128i(_mm256_cvttpd_epi32(d.hi), _mm256_cvttpd_epi32(d.lo)); }
SC_INLINE D8 add(D8 a, D8 b) { return {_mm256_add_pd(a.lo, b.lo), _mm256_add_pd(a.hi, b.hi)}; }
SC_INLINE D8 sub(D8 a, D8 b) { return {_mm256_sub_pd(a.lo, b.lo), _mm256_sub_pd(a.hi, b.hi)}; }
SC_INLINE D8 mul(D8 a, D8 b) { return {_mm256_mul_pd(a.lo, b.lo), _mm256_mul_pd(a.hi, b.hi)}; }
SC_INLINE D8 splat(double v) { return {_mm256_set1_pd(v), _mm256_set1_pd(v)}; }
// Lanes where `keep` is all ones keep v; the others become +0.
SC_INLINE D8 keep(D8 v, D8 mask) { return {_mm256_and_pd(v.lo, mask.lo), _mm256_and_pd(v.hi, mask.hi)}; }
SC_INLINE F8 add(F8 a, F8 b) { return {_mm_add_ps(a.lo, b.lo), _mm_add_ps(a.hi, b.hi)}; }
SC_INLINE F8 sub(F8 a, F8 b) { return {_mm_sub_ps(a.lo, b.lo), _mm_sub_ps(a.hi, b.hi)}; }
SC_INLINE F8 div(F8 a, F8 b) { return {_mm_div_ps(a.lo, b.lo), _mm_div_ps(a.hi, b.hi)}; }
SC_INLINE F8 sqrt(F8 a) { return {_mm_sqrt_ps(a.lo), _mm_sqrt_ps(a.hi)}; }
// max(0, v) keeps -0 and NaN as they are, exactly as `if (d < 0) d = 0`.
SC_INLINE F8 notBelowZero(F8 v) { return {_mm_max_ps(_mm_setzero_ps(), v.lo), _mm_max_ps(_mm_setzero_ps(), v.hi)}; }
// |v| - trunc(|v|), exactly as fractionOfMagnitude for every input.
SC_INLINE D8 fractionOfMagnitude8(D8 v) {
    const __m256d sign = _mm256_set1_pd(-0.0);
    const __m256d lo = _mm256_andnot_pd(sign, v.lo);
    const __m256d hi = _mm256_andnot_pd(sign, v.hi);
    return {_mm256_sub_pd(lo, _mm256_round_pd(lo, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC)),
            _mm256_sub_pd(hi, _mm256_round_pd(hi, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC))};
}

// The three 32-bit words of eight consecutive 12-byte cells.
struct CellWords {
    __m256i a, b, c;
};
SC_INLINE CellWords loadCells(const PaintCell* p) {
    const auto* q = reinterpret_cast<const __m256i*>(p);
    return {_mm256_loadu_si256(q), _mm256_loadu_si256(q + 1), _mm256_loadu_si256(q + 2)};
}
// Word j of cell i sits in lane 3i + j of a|b|c. Two blends gather the eight
// wanted words into one vector (their lanes never collide), one permute orders them.
SC_INLINE __m256i colourWords(const CellWords& w) {  // red | green << 8 | blue << 16 | grain << 24
    const __m256i mixed = _mm256_blend_epi32(_mm256_blend_epi32(w.a, w.b, 0x92), w.c, 0x24);
    return _mm256_permutevar8x32_epi32(mixed, _mm256_setr_epi32(0, 3, 6, 1, 4, 7, 2, 5));
}
SC_INLINE __m256i shineWords(const CellWords& w) {  // shine in the low byte
    const __m256i mixed = _mm256_blend_epi32(_mm256_blend_epi32(w.a, w.b, 0x24), w.c, 0x49);
    return _mm256_permutevar8x32_epi32(mixed, _mm256_setr_epi32(1, 4, 7, 2, 5, 0, 3, 6));
}
SC_INLINE __m256 heightWords(const CellWords& w) {
    const __m256i mixed = _mm256_blend_epi32(_mm256_blend_epi32(w.a, w.b, 0x49), w.c, 0x92);
    return _mm256_castsi256_ps(_mm256_permutevar8x32_epi32(mixed, _mm256_setr_epi32(2, 5, 0, 3, 6, 1, 4, 7)));
}

// All-ones where both a + n and b + n lie in [0, limit] (compared unsigned):
// both truncations are in [-n, 2n), the range the wrap below handles.
SC_INLINE __m256i bothWithin(__m256i a, __m256i b, __m256i n, __m256i limit) {
    const __m256i top = _mm256_max_epu32(_mm256_add_epi32(a, n), _mm256_add_epi32(b, n));
    return _mm256_cmpeq_epi32(_mm256_max_epu32(top, limit), limit);
}
// (t read as unsigned) mod n for t in [-n, 2n): 2^32 + t is congruent to
// t + shift with shift = (2^32 mod n) + n, which lands in [0, 2n); one
// conditional subtraction (the unsigned minimum) finishes it.
SC_INLINE __m256i wrap(__m256i t, __m256i n, __m256i shift) {
    const __m256i u = _mm256_add_epi32(t, _mm256_and_si256(_mm256_srai_epi32(t, 31), shift));
    return _mm256_min_epu32(u, _mm256_sub_epi32(u, n));
}
SC_INLINE __m256i times3(__m256i v) { return _mm256_add_epi32(v, _mm256_slli_epi32(v, 1)); }
SC_INLINE __m256i grainAt(const PaintCell* cells, __m256i wordIndex) {
    return _mm256_srli_epi32(_mm256_i32gather_epi32(reinterpret_cast<const int*>(cells), wordIndex, 4), 24);
}
// trunc(base + f * (other - base)) on eight lanes, the differences taken in double.
SC_INLINE __m256i interpolate(D8 base, D8 other, D8 f) { return truncate(add(base, mul(f, sub(other, base)))); }
// v + k * (v * d - v), truncated.
SC_INLINE __m256i shade(__m256i v, D8 k, D8 d) {
    const D8 dv = widen(v);
    return truncate(add(dv, mul(k, sub(mul(dv, d), dv))));
}

}  // namespace
}  // namespace sc
