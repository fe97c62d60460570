// SPDX-License-Identifier: GPL-3.0-or-later
// The limits of the vector indexing, the one-cell band and the scratch
// memory of the grain ring.
#include <memory>
#include <new>

#include "engine/render_vector.h"

namespace sc {
namespace {

// One ring a thread, grown as needed and kept for the thread's life.
struct RingScratch {
    std::unique_ptr<std::uint8_t[]> memory;
    std::size_t bytes = 0;
};

}  // namespace

bool vectorIndexFits(const RenderContext& c) {
    // Gather indices are 3 * (row * width + column) in signed 32-bit lanes,
    // and the range checks compare t + n against 3 * n (n a side).
    const std::uint64_t words = 3 * static_cast<std::uint64_t>(c.width) * c.height;
    return words < 0x7FFFFFFFu;
}

void renderBandByCell(const RenderContext& c, const RenderBand& band) {
    std::uint8_t* pixels = band.pixels;
    for (std::uint32_t y = band.y0; y < band.y1; ++y, pixels += band.rowStep)
        renderSpanByCell(c, y, band.x0, band.x1, pixels, band.bytesPerPixel);
}

std::uint8_t* grainRingMemory(std::size_t bytes) {
    thread_local RingScratch scratch;
    if (scratch.bytes < bytes) {
        scratch.memory.reset(new (std::nothrow) std::uint8_t[bytes]);
        scratch.bytes = scratch.memory ? bytes : 0;
    }
    return scratch.memory.get();
}

}  // namespace sc
