// SPDX-License-Identifier: GPL-3.0-or-later
// The AVX2 cell update of the laying tools: laying_kernel.h on eight lanes.
// Only x86-64 builds have it; the caller checks vectorPathAvailable first.
#include "engine/vector_target.h"
#include "tools/laying.h"

#if SC_VECTOR_TARGETS
SC_TARGET_AVX2_BEGIN
#include "engine/render_lanes_avx2.h"
// The lane helpers above must come first.
#include "tools/laying_kernel.h"

namespace sc {

void layRowAvx2(const LayingRule& rule, const LayingRow& row) { layRowWithLanes(rule, row); }

}  // namespace sc
SC_TARGET_END

#endif
