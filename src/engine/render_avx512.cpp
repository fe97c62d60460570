// SPDX-License-Identifier: GPL-3.0-or-later
// The AVX-512 band renderer: render_band_kernel.h on sixteen lanes.
// Only x86-64 builds have it; the caller checks vectorPathAvailable first.
#include "engine/render_vector.h"
#include "engine/vector_target.h"

#if SC_VECTOR_TARGETS
SC_TARGET_AVX512_BEGIN
#include "engine/render_lanes_avx512.h"
// The lane helpers above must come first.
#include "engine/render_band_kernel.h"

namespace sc {

void renderBandAvx512(const RenderContext& c, const RenderBand& band) { renderBandWithLanes(c, band); }

}  // namespace sc
SC_TARGET_END

#endif
