#pragma once
// Eight cells at a time with AVX2, for processors that have it. Each lane does
// the same IEEE operations, in the same order and precision, as renderCellPixel:
// additions, subtractions, multiplications, divisions and square roots give the
// same bits at any vector width, and the truncating conversion gives 0x80000000
// for NaN and out-of-range values just as truncToInt does. Lanes whose lookup
// leaves the range the vector wrap handles, [-side, 2 * side) (NaN, infinite
// or huge heights), are handed to renderCellPixel.
#include <cstdint>

#include "engine/render_cell.h"

namespace sc {

// True when the processor and the operating system support AVX2.
bool avx2Available();

// True when the canvas is within the limits of the vector indexing
// (cell counts and doubled sides that fit 32-bit lanes).
bool avx2SpanFits(const RenderContext& c);

// Renders cells [x0, x1) of row y into `pixels` (the pixel of x0), like
// renderSpanByCell, edges included. Needs avx2Available(), avx2SpanFits(c),
// y < height, x1 <= width, x1 - x0 >= kAvx2SpanMinimum and bytesPerPixel 3 or 4.
void renderSpanAvx2(const RenderContext& c, std::uint32_t y, std::uint32_t x0, std::uint32_t x1, std::uint8_t* pixels,
                    std::uint32_t bytesPerPixel);

inline constexpr std::uint32_t kAvx2SpanMinimum = 8;

}  // namespace sc
