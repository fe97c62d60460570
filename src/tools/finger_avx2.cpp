// SPDX-License-Identifier: GPL-3.0-or-later
// The Finger's smear with the colour and grain of each cell blended in the
// four lanes of one AVX2 vector of doubles, each lane making blendBytes'
// arithmetic, and the shine byte on its own. The visiting order is the
// one-cell order. Only x86-64 builds have it; the caller checks
// vectorPathAvailable first.
#include "engine/vector_target.h"

#if SC_VECTOR_TARGETS
SC_TARGET_AVX2_BEGIN
#include <immintrin.h>

#include <cstring>

#include "tools/finger_kernel.h"

namespace sc::smear {

void overSquareAvx2(const BrushMask& mask, Canvas& canvas, int x, int y, int r, const BrushSettings& s,
                    const GrainSampler& texture) {
    overSquare(mask, canvas, x, y, r, s, texture, [](PaintCell& c, const PaintCell& from, double f) {
        // Red, green, blue and grain: the first word of each cell.
        std::int32_t ownWord, targetWord;
        std::memcpy(&ownWord, reinterpret_cast<const unsigned char*>(&c), 4);
        std::memcpy(&targetWord, reinterpret_cast<const unsigned char*>(&from), 4);
        const __m128i own = _mm_cvtepu8_epi32(_mm_cvtsi32_si128(ownWord));
        const __m128i target = _mm_cvtepu8_epi32(_mm_cvtsi32_si128(targetWord));
        const __m256d moved = _mm256_add_pd(
            _mm256_cvtepi32_pd(own), _mm256_mul_pd(_mm256_cvtepi32_pd(_mm_sub_epi32(target, own)), _mm256_set1_pd(f)));
        // The low 8 bits of each truncation (0x80000000 where truncToInt gives it).
        const __m128i bytes = _mm_shuffle_epi8(
            _mm256_cvttpd_epi32(moved), _mm_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1));
        const auto colour = static_cast<std::uint32_t>(_mm_cvtsi128_si32(bytes));
        std::memcpy(reinterpret_cast<unsigned char*>(&c), &colour, 4);
        c.shine = frame::lerpByte(c.shine, from.shine, f);
    });
}

}  // namespace sc::smear
SC_TARGET_END

#endif
