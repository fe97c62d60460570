// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/vector_path.h"

#include <atomic>

namespace sc {
namespace {

bool processorSupports(VectorPath path) {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    __builtin_cpu_init();
    switch (path) {
        case VectorPath::kScalar: return true;
        case VectorPath::kAvx2: return __builtin_cpu_supports("avx2") != 0;
        case VectorPath::kAvx512:
            return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512f") &&
                   __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512dq") &&
                   __builtin_cpu_supports("avx512bw");
    }
    return false;
#else
    return path == VectorPath::kScalar;
#endif
}

std::atomic<VectorPath>& chosenPath() {
    static std::atomic<VectorPath> path{vectorPathAvailable(VectorPath::kAvx512) ? VectorPath::kAvx512
                                        : vectorPathAvailable(VectorPath::kAvx2) ? VectorPath::kAvx2
                                                                                 : VectorPath::kScalar};
    return path;
}

}  // namespace

bool vectorPathAvailable(VectorPath path) {
    static const bool avx2 = processorSupports(VectorPath::kAvx2);
    static const bool avx512 = processorSupports(VectorPath::kAvx512);
    switch (path) {
        case VectorPath::kScalar: return true;
        case VectorPath::kAvx2: return avx2;
        case VectorPath::kAvx512: return avx512;
    }
    return false;
}

VectorPath vectorPath() { return chosenPath().load(std::memory_order_relaxed); }

VectorPath setVectorPath(VectorPath path) {
    const VectorPath previous = vectorPath();
    if (vectorPathAvailable(path)) chosenPath().store(path, std::memory_order_relaxed);
    return previous;
}

}  // namespace sc
