// Which renderer the processor allows and the renderer takes, the limits of
// the vector indexing, and the scratch memory of the grain ring.
#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "engine/render_vector.h"

namespace sc {
namespace {

bool processorSupports(RenderPath path) {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    __builtin_cpu_init();
    switch (path) {
        case RenderPath::kOneCell: return true;
        case RenderPath::kAvx2: return __builtin_cpu_supports("avx2") != 0;
        case RenderPath::kAvx512:
            return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512f") &&
                   __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512dq") &&
                   __builtin_cpu_supports("avx512bw");
    }
    return false;
#else
    return path == RenderPath::kOneCell;
#endif
}

RenderPath widestPath() {
    if (processorSupports(RenderPath::kAvx512)) return RenderPath::kAvx512;
    if (processorSupports(RenderPath::kAvx2)) return RenderPath::kAvx2;
    return RenderPath::kOneCell;
}

std::atomic<RenderPath>& chosenPath() {
    static std::atomic<RenderPath> path{widestPath()};
    return path;
}

// One ring a thread, grown as needed and kept for the thread's life.
struct RingScratch {
    std::unique_ptr<std::uint8_t[]> memory;
    std::size_t bytes = 0;
};

}  // namespace

bool renderPathAvailable(RenderPath path) {
    static const bool avx2 = processorSupports(RenderPath::kAvx2);
    static const bool avx512 = processorSupports(RenderPath::kAvx512);
    switch (path) {
        case RenderPath::kOneCell: return true;
        case RenderPath::kAvx2: return avx2;
        case RenderPath::kAvx512: return avx512;
    }
    return false;
}

RenderPath renderPath() { return chosenPath().load(std::memory_order_relaxed); }

RenderPath setRenderPath(RenderPath path) {
    const RenderPath previous = renderPath();
    if (renderPathAvailable(path)) chosenPath().store(path, std::memory_order_relaxed);
    return previous;
}

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
