// The AVX-512 cell update of the laying tools: laying_kernel.h on sixteen
// lanes. Only the functions below are compiled for AVX-512 (F, VL, DQ and BW); nothing is
// fused into multiply-adds, as every operation is an explicit intrinsic and
// contraction is off. The caller checks vectorPathAvailable first.
#include "tools/laying.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2,avx512f,avx512vl,avx512dq,avx512bw,prfchw"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2,avx512f,avx512vl,avx512dq,avx512bw,prfchw")
// GCC 12 reports the undefined vectors inside its own AVX-512 intrinsics
// (_mm512_undefined_*) as maybe uninitialised; they are meant to be.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif

#include "engine/render_lanes_avx512.h"
// The lane helpers above must come first.
#include "tools/laying_kernel.h"

namespace sc {

void layRowAvx512(const LayingRule& rule, const LayingRow& row) { layRowWithLanes(rule, row); }

}  // namespace sc

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC diagnostic pop
#pragma GCC pop_options
#endif

#else  // no AVX-512 code on this target: never chosen, as the path is not available

#include "tools/laying_rules.h"

namespace sc {

void layRowAvx512(const LayingRule& rule, const LayingRow& row) { laying::layCells(rule, row, 0); }

}  // namespace sc

#endif
