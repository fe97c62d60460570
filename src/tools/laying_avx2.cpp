// The AVX2 cell update of the laying tools: laying_kernel.h on eight lanes.
// Only the functions below are compiled for AVX2 (which does not include FMA, so
// nothing can be fused even where contraction were allowed); the caller
// checks vectorPathAvailable first.
#include "tools/laying.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

#include "engine/render_lanes_avx2.h"
// The lane helpers above must come first.
#include "tools/laying_kernel.h"

namespace sc {

void layRowAvx2(const LayingRule& rule, const LayingRow& row) { layRowWithLanes(rule, row); }

}  // namespace sc

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

#else  // no AVX2 code on this target: never chosen, as the path is not available

#include "tools/laying_rules.h"

namespace sc {

void layRowAvx2(const LayingRule& rule, const LayingRow& row) { laying::layCells(rule, row, 0); }

}  // namespace sc

#endif
