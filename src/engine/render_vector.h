// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The vector renderers: bands of rows rendered eight cells a step with AVX2
// or sixteen with AVX-512 (engine/vector_path.h chooses). Every
// lane does the same IEEE operations, in the same order and precision, as
// renderCellPixel: additions, subtractions, multiplications, divisions and
// square roots give the same bits at any vector width (there is no fused
// multiply-add), and the truncating conversion gives 0x80000000 for NaN and
// out-of-range values just as truncToInt does. Lanes whose lookup leaves the
// range the vector indexing handles (NaN, infinite or huge heights) are
// handed to renderCellPixel.
#include <cstddef>
#include <cstdint>

#include "engine/render_cell.h"

namespace sc {

// True when the canvas is within the limits of the vector indexing (cell
// word counts and tripled sides that fit 32-bit lanes).
bool vectorIndexFits(const RenderContext& c);

// Rows [y0, y1) of columns [x0, x1), inside the grid; `pixels` is the pixel
// of (x0, y0) and each further row lies `rowStep` bytes on (the surface is
// bottom-up, so the step is minus its stride).
struct RenderBand {
    std::uint32_t x0, x1, y0, y1;
    std::uint8_t* pixels;
    std::ptrdiff_t rowStep;
    std::uint32_t bytesPerPixel;  // 3 or 4
};

// The lanes of each path; a band narrower than that takes a narrower path.
inline constexpr std::uint32_t kAvx2Lanes = 8;
inline constexpr std::uint32_t kAvx512Lanes = 16;

// Renders a band with renderSpanByCell, row by row.
void renderBandByCell(const RenderContext& c, const RenderBand& band);

// Render a band like renderBandByCell. They need their path
// available (vectorPathAvailable), vectorIndexFits(c) and x1 - x0 of at least their lanes.
void renderBandAvx2(const RenderContext& c, const RenderBand& band);
void renderBandAvx512(const RenderContext& c, const RenderBand& band);

// The grain ring: a band keeps the grain bytes of the rows its lookups reach
// in scratch rows of its own thread, so that a lookup reads one byte plane
// twelve times denser than the cells, and the two grains side by side in one
// read. Null when the memory cannot be had (the band then reads the cells).
std::uint8_t* grainRingMemory(std::size_t bytes);

}  // namespace sc
