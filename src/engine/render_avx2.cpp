#include "engine/render_avx2.h"

#include <algorithm>
#include <cstddef>

#include "engine/numeric.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define SC_RENDER_AVX2 1
#include <immintrin.h>
#else
#define SC_RENDER_AVX2 0
#endif

#if SC_RENDER_AVX2

namespace sc {

bool avx2Available() {
    static const bool available = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return available;
}

bool avx2SpanFits(const RenderContext& c) {
    // Gather indices are 3 * (row * width + column) in signed 32-bit lanes, and
    // the range checks compare t + n against 3 * n - 1 below 2^31 (n a side).
    const std::uint64_t words = 3 * static_cast<std::uint64_t>(c.width) * c.height;
    return words < 0x7FFFFFFFu;
}

}  // namespace sc

// Only the functions below are compiled for AVX2 (which does not include FMA,
// so nothing can be fused even where contraction were allowed); the caller
// checks avx2Available() before entering them.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

#include "engine/render_avx2_lanes.h"

namespace sc {
namespace {

// Per-span constants.
struct SpanSetup {
    const PaintCell* cells;
    const PaintCell* row;
    // The rows above and below; the row itself where there is none, its
    // difference then dropped by the mask.
    const PaintCell* above;
    const PaintCell* below;
    D8 keepAbove, keepBelow;
    // Lane 0 of the block at column 0 has no left neighbour, lane 7 of the
    // block ending at the last column no right one.
    D8 allLanes, noFirstLane, noLastLane;
    std::uint32_t width;
    // Columns (rows alike): wrap adds `columnShift` to negative truncations,
    // (2^32 mod width) + width, and the range check takes t + width <= columnLimit.
    __m256i widthV, columnShift, columnLimit;
    __m256i heightV, rowShift, rowLimit;
    __m256i rowStride3;
    D8 lightX, lightY, lightZ, rowY;
};

// What the first half of a block hands to the second: the grains read (four
// per lane in high quality), the weights, the light term and the cells' words.
struct Lookup {
    __m256i g00, g01, g10, g11;
    F8 fx, fz, d;
    __m256i colour, shine;
    int easy;
};

// Steps 1 to 3 for cells x..x+7, up to and including the grain reads. Only an
// `Edge` block may lack neighbours (first or last row, first or last column).
template <bool HighQuality, bool Lighting, bool Edge>
SC_INLINE Lookup lookUp(const SpanSetup& s, std::uint32_t x) {
    Lookup r{};
    const PaintCell* p = s.row + x;
    const CellWords centre = loadCells(p);
    const __m256 heights = heightWords(centre);
    r.colour = colourWords(centre);
    if constexpr (Lighting) r.shine = _mm256_and_si256(shineWords(centre), _mm256_set1_epi32(0xFF));

    // 1. The normal, rounded to float after each step as in renderCellPixel.
    //    The first step, float(0.0 + (h - h')), is one float subtraction: the
    //    double difference of two floats rounded to float equals the float
    //    difference (53 >= 2 * 24 + 2 bits), and adding +0 turns -0 into +0.
    const F8 hc = halves(heights);
    const F8 zero = {_mm_setzero_ps(), _mm_setzero_ps()};
    //    A missing neighbour leaves its step out: the first step's result is
    //    then +0 (the initial 0.0), the second step subtracts +0 (no change).
    const bool hasLeft = !Edge || x > 0;
    const bool hasRight = !Edge || x + 8 < s.width;
    const F8 left = halves(_mm256_blend_ps(_mm256_permutevar8x32_ps(heights, _mm256_setr_epi32(0, 0, 1, 2, 3, 4, 5, 6)),
                                           _mm256_broadcast_ss(&p[hasLeft ? -1 : 0].height), 0x01));
    const F8 right =
        halves(_mm256_blend_ps(_mm256_permutevar8x32_ps(heights, _mm256_setr_epi32(1, 2, 3, 4, 5, 6, 7, 7)),
                               _mm256_broadcast_ss(&p[hasRight ? 8 : 7].height), 0x80));
    const F8 above = halves(heightWords(loadCells(s.above + x)));
    const F8 below = halves(heightWords(loadCells(s.below + x)));
    const D8 hcd = widen(hc);
    D8 nx1 = widen(add(sub(hc, left), zero));
    D8 dRight = sub(hcd, widen(right));
    D8 nz1 = widen(add(sub(hc, above), zero));
    D8 dBelow = sub(hcd, widen(below));
    if constexpr (Edge) {
        nx1 = keep(nx1, hasLeft ? s.allLanes : s.noFirstLane);
        dRight = keep(dRight, hasRight ? s.allLanes : s.noLastLane);
        nz1 = keep(nz1, s.keepAbove);
        dBelow = keep(dBelow, s.keepBelow);
    }
    const F8 nx = narrow(sub(nx1, dRight));
    const F8 nz = narrow(sub(nz1, dBelow));
    // normalise: the squared length is at least 1 (or NaN), never 0.
    const D8 nxd = widen(nx);
    const D8 nzd = widen(nz);
    const F8 length = sqrt(narrow(add(add(mul(nxd, nxd), splat(1.0)), mul(nzd, nzd))));
    const D8 normX = widen(div(nx, length));
    const D8 normZ = widen(div(nz, length));

    // 2. The light term, needed only where a cell shines.
    if constexpr (Lighting) {
        if (!_mm256_testz_si256(r.shine, r.shine)) {
            const D8 normY = widen(div(F8{_mm_set1_ps(1.0f), _mm_set1_ps(1.0f)}, length));
            r.d = notBelowZero(narrow(add(add(mul(normX, s.lightX), mul(normY, s.lightY)), mul(normZ, s.lightZ))));
        }
    }

    // 3. The grain at the displaced position.
    const D8 dispX = mul(splat(20.0), normX);
    const D8 dispZ = mul(splat(20.0), normZ);
    const __m256d xd = _mm256_set1_pd(static_cast<double>(x));
    const D8 px =
        add(D8{_mm256_add_pd(xd, _mm256_setr_pd(0, 1, 2, 3)), _mm256_add_pd(xd, _mm256_setr_pd(4, 5, 6, 7))}, dispX);
    const D8 pz = add(s.rowY, dispZ);
    if constexpr (!HighQuality) {
        const __m256i tx = truncate(px);
        const __m256i tz = truncate(pz);
        const __m256i ok =
            _mm256_and_si256(bothWithin(tx, tx, s.widthV, s.columnLimit), bothWithin(tz, tz, s.heightV, s.rowLimit));
        r.easy = _mm256_movemask_ps(_mm256_castsi256_ps(ok));
        const __m256i col = times3(wrap(tx, s.widthV, s.columnShift));
        const __m256i rw = _mm256_mullo_epi32(wrap(tz, s.heightV, s.rowShift), s.rowStride3);
        r.g00 = grainAt(s.cells, _mm256_and_si256(_mm256_add_epi32(rw, col), ok));
    } else {
        const D8 one = splat(1.0);
        const __m256i tx0 = truncate(px);
        const __m256i tx1 = truncate(add(px, one));
        const __m256i tz0 = truncate(pz);
        const __m256i tz1 = truncate(add(pz, one));
        const __m256i ok = _mm256_and_si256(bothWithin(tx0, tx1, s.widthV, s.columnLimit),
                                            bothWithin(tz0, tz1, s.heightV, s.rowLimit));
        r.easy = _mm256_movemask_ps(_mm256_castsi256_ps(ok));
        // Lanes outside the range read cell 0; they are redone cell by cell.
        const __m256i c0 = _mm256_and_si256(times3(wrap(tx0, s.widthV, s.columnShift)), ok);
        const __m256i c1 = _mm256_and_si256(times3(wrap(tx1, s.widthV, s.columnShift)), ok);
        const __m256i r0 = _mm256_mullo_epi32(_mm256_and_si256(wrap(tz0, s.heightV, s.rowShift), ok), s.rowStride3);
        const __m256i r1 = _mm256_mullo_epi32(_mm256_and_si256(wrap(tz1, s.heightV, s.rowShift), ok), s.rowStride3);
        r.g00 = grainAt(s.cells, _mm256_add_epi32(r0, c0));
        r.g01 = grainAt(s.cells, _mm256_add_epi32(r0, c1));
        r.g10 = grainAt(s.cells, _mm256_add_epi32(r1, c0));
        r.g11 = grainAt(s.cells, _mm256_add_epi32(r1, c1));
        r.fx = narrow(fractionOfMagnitude8(dispX));
        r.fz = narrow(fractionOfMagnitude8(dispZ));
    }
    return r;
}

// Steps 3 (the interpolation) to 6 for the cells of `r`, written to `out`.
template <bool HighQuality, bool Lighting, int BytesPerPixel>
SC_INLINE void shadeAndStore(const RenderContext& ctx, const Lookup& r, std::uint32_t x, std::uint32_t y,
                             std::uint8_t* out) {
    __m256i g;
    if constexpr (!HighQuality) {
        g = r.g00;
    } else {
        const D8 g00 = widen(r.g00);
        const D8 g01 = widen(r.g01);
        const D8 g10 = widen(r.g10);
        const D8 g11 = widen(r.g11);
        const D8 fx = widen(r.fx);
        const D8 fz = widen(r.fz);
        const __m256i a = interpolate(g10, g11, fx);
        const __m256i b = interpolate(g00, g01, fx);
        const __m256i c = interpolate(g00, g10, fz);
        const __m256i e = interpolate(g01, g11, fz);
        // Each term is 0..255 on the easy lanes, so the sum is never negative.
        g = _mm256_srli_epi32(_mm256_add_epi32(_mm256_add_epi32(a, b), _mm256_add_epi32(c, e)), 2);
    }

    // 4. The cell's own colour plus the grain.
    const __m256i byteMask = _mm256_set1_epi32(0xFF);
    __m256i red = _mm256_add_epi32(_mm256_and_si256(r.colour, byteMask), g);
    __m256i green = _mm256_add_epi32(_mm256_and_si256(_mm256_srli_epi32(r.colour, 8), byteMask), g);
    __m256i blue = _mm256_add_epi32(_mm256_and_si256(_mm256_srli_epi32(r.colour, 16), byteMask), g);

    // 5. Shading. A lane with shine 0 has k = 0 and keeps v exactly
    //    (v + 0 * finite = v), as the unshaded cell does.
    if constexpr (Lighting) {
        if (!_mm256_testz_si256(r.shine, r.shine)) {
            const D8 d = widen(r.d);
            const D8 k = mul(widen(r.shine), splat(static_cast<double>(kInv255)));
            red = shade(red, k, d);
            green = shade(green, k, d);
            blue = shade(blue, k, d);
        }
    }

    // 6. Clamped to 0..255 (signed then unsigned saturation) and written as
    //    blue, green, red. Each 128-bit half of `bytes` holds b0-b3 g0-g3 r0-r3.
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

    // Lanes outside the easy range (NaN or huge heights) take the cell-by-cell arithmetic.
    for (unsigned hard = ~static_cast<unsigned>(r.easy) & 0xFFu; hard != 0; hard &= hard - 1) {
        const unsigned lane = static_cast<unsigned>(__builtin_ctz(hard));
        const RenderedPixel q = renderCellPixel(ctx, x + lane, y);
        std::uint8_t* o = out + lane * BytesPerPixel;
        o[0] = q.blue;
        o[1] = q.green;
        o[2] = q.red;
    }
}

constexpr std::uint32_t kPrefetchRows = 24;

template <bool HighQuality, bool Lighting, int BytesPerPixel>
void renderSpan(const RenderContext& c, std::uint32_t y, std::uint32_t x0, std::uint32_t x1, std::uint8_t* pixels) {
    SpanSetup s;
    s.cells = c.cells;
    s.row = c.cells + static_cast<std::size_t>(y) * c.width;
    s.above = y > 0 ? s.row - c.width : s.row;
    s.below = y + 1 < c.height ? s.row + c.width : s.row;
    const __m256d none = _mm256_setzero_pd();
    const __m256d all = _mm256_castsi256_pd(_mm256_set1_epi32(-1));
    s.allLanes = {all, all};
    s.noFirstLane = {_mm256_blend_pd(all, none, 0x1), all};
    s.noLastLane = {all, _mm256_blend_pd(all, none, 0x8)};
    s.keepAbove = y > 0 ? s.allLanes : D8{none, none};
    s.keepBelow = y + 1 < c.height ? s.allLanes : D8{none, none};
    s.width = c.width;
    s.widthV = _mm256_set1_epi32(static_cast<int>(c.width));
    s.columnShift = _mm256_set1_epi32(static_cast<int>((std::uint64_t{1} << 32) % c.width + c.width));
    s.columnLimit = _mm256_set1_epi32(static_cast<int>(3 * c.width - 1));
    s.heightV = _mm256_set1_epi32(static_cast<int>(c.height));
    s.rowShift = _mm256_set1_epi32(static_cast<int>((std::uint64_t{1} << 32) % c.height + c.height));
    s.rowLimit = _mm256_set1_epi32(static_cast<int>(3 * c.height - 1));
    s.rowStride3 = _mm256_set1_epi32(static_cast<int>(3 * c.width));
    s.lightX = splat(c.lightX);
    s.lightY = splat(c.lightY);
    s.lightZ = splat(c.lightZ);
    s.rowY = splat(static_cast<double>(y));
    // Grain lookups reach up to 21 rows below; the rows they will need next are
    // fetched ahead, as the hardware cannot predict the scattered reads.
    const std::uint32_t ahead = std::min<std::uint32_t>(y + kPrefetchRows, c.height - 1);
    const char* prefetch = reinterpret_cast<const char*>(c.cells + static_cast<std::size_t>(ahead) * c.width);
    const bool edgeRow = y == 0 || y + 1 == c.height;
    // Blocks of eight; the last block is moved back to end at x1, rendering a
    // few cells twice with the same result rather than leaving a tail.
    for (std::uint32_t x = x0;;) {
        _mm_prefetch(prefetch + static_cast<std::size_t>(x) * sizeof(PaintCell), _MM_HINT_T0);
        _mm_prefetch(prefetch + static_cast<std::size_t>(x) * sizeof(PaintCell) + 64, _MM_HINT_T0);
        const Lookup lookup = edgeRow || x == 0 || x + 8 == c.width ? lookUp<HighQuality, Lighting, true>(s, x)
                                                                    : lookUp<HighQuality, Lighting, false>(s, x);
        shadeAndStore<HighQuality, Lighting, BytesPerPixel>(c, lookup, x, y,
                                                            pixels + static_cast<std::size_t>(x - x0) * BytesPerPixel);
        if (x + 8 >= x1) break;
        x = x + 16 <= x1 ? x + 8 : x1 - 8;
    }
}

}  // namespace

void renderSpanAvx2(const RenderContext& c, std::uint32_t y, std::uint32_t x0, std::uint32_t x1, std::uint8_t* pixels,
                    std::uint32_t bytesPerPixel) {
    const int mode = (c.highQuality ? 1 : 0) | (c.lighting ? 2 : 0) | (bytesPerPixel == 4 ? 4 : 0);
    switch (mode) {
        case 0: renderSpan<false, false, 3>(c, y, x0, x1, pixels); break;
        case 1: renderSpan<true, false, 3>(c, y, x0, x1, pixels); break;
        case 2: renderSpan<false, true, 3>(c, y, x0, x1, pixels); break;
        case 3: renderSpan<true, true, 3>(c, y, x0, x1, pixels); break;
        case 4: renderSpan<false, false, 4>(c, y, x0, x1, pixels); break;
        case 5: renderSpan<true, false, 4>(c, y, x0, x1, pixels); break;
        case 6: renderSpan<false, true, 4>(c, y, x0, x1, pixels); break;
        default: renderSpan<true, true, 4>(c, y, x0, x1, pixels); break;
    }
}

}  // namespace sc

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

#else  // no AVX2 code on this target

namespace sc {

bool avx2Available() { return false; }
bool avx2SpanFits(const RenderContext&) { return false; }
void renderSpanAvx2(const RenderContext& c, std::uint32_t y, std::uint32_t x0, std::uint32_t x1, std::uint8_t* pixels,
                    std::uint32_t bytesPerPixel) {
    renderSpanByCell(c, y, x0, x1, pixels, bytesPerPixel);
}

}  // namespace sc

#endif
