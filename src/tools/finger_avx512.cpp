// SPDX-License-Identifier: GPL-3.0-or-later
// The Finger's smear with the five bytes of each cell blended in the lanes of
// one AVX-512 vector of doubles, each lane making blendBytes' arithmetic. The
// visiting order is the one-cell order. Only x86-64 builds have it; the
// caller checks vectorPathAvailable first.
#include "engine/vector_target.h"

#if SC_VECTOR_TARGETS
SC_TARGET_AVX512_BEGIN
#include <immintrin.h>

#include <cstring>

#include "tools/finger_kernel.h"

namespace sc::smear {

void overSquareAvx512(const BrushMask& mask, Canvas& canvas, int x, int y, int r, const BrushSettings& s,
                      const GrainSampler& texture) {
    overSquare(mask, canvas, x, y, r, s, texture, [](PaintCell& c, const PaintCell& from, double f) {
        // The first eight bytes of each cell: red, green, blue, grain, shine
        // and the unused bytes, which are computed but not written back.
        const __m256i own = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(&c)));
        const __m256i target = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(&from)));
        const __m512d moved =
            _mm512_add_pd(_mm512_cvtepi32_pd(own),
                          _mm512_mul_pd(_mm512_cvtepi32_pd(_mm256_sub_epi32(target, own)), _mm512_set1_pd(f)));
        // The low 8 bits of each truncation (0x80000000 where truncToInt gives it).
        const __m128i bytes = _mm256_cvtepi32_epi8(_mm512_cvttpd_epi32(moved));
        const auto colour = static_cast<std::uint32_t>(_mm_cvtsi128_si32(bytes));
        std::memcpy(reinterpret_cast<unsigned char*>(&c), &colour, 4);
        c.shine = static_cast<std::uint8_t>(_mm_extract_epi8(bytes, 4));
    });
}

}  // namespace sc::smear
SC_TARGET_END

#endif
