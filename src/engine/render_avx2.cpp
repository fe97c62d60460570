// SPDX-License-Identifier: GPL-3.0-or-later
// The AVX2 band renderer: render_band_kernel.h on eight lanes.
// Only x86-64 builds have it; the caller checks vectorPathAvailable first.
#include "engine/render_vector.h"
#include "engine/vector_target.h"

#if SC_VECTOR_TARGETS
SC_TARGET_AVX2_BEGIN
#include "engine/render_lanes_avx2.h"
// The lane helpers above must come first.
#include "engine/render_band_kernel.h"

namespace sc {

void renderBandAvx2(const RenderContext& c, const RenderBand& band) { renderBandWithLanes(c, band); }

}  // namespace sc
SC_TARGET_END

#endif
