// SPDX-License-Identifier: GPL-3.0-or-later
// The brush mask: weights of the soft round brush, built from the stroke
// settings, and the small profile picture of the brush's edge.
#include <array>
#include <cmath>
#include <cstdlib>

#include "engine/numeric.h"
#include "tools/brush_mask.h"
#include "tools/pixel_line.h"
#include "tools/tool_state.h"
#include "tools/tools.h"

namespace sc {
namespace {

// The profile: a box for a hard brush, a hump for a soft one.
void drawProfile(Surface& profile, float hardShare) {
    if (!profile.valid() && !profile.create32(kProfileSide, kProfileSide)) return;
    profile.clearWhite();
    const int k = truncToInt((54.0 - 54.0 * hardShare) * 0.5);
    drawLine(profile, 0, 54, k, 5, 0, 0, 0);
    drawLine(profile, k, 5, 54 - k, 5, 0, 0, 0);
    drawLine(profile, 54 - k, 5, 54, 54, 0, 0, 0);
}

// The weights of size r and a hardness of 1..100.
void computeWeights(BrushMask& mask, int r, int hardness) {
    // R: the distance r / sqrt(2) at which the weight reaches 0. S: the share
    // of R that stays at full weight. W: the width of the falling edge.
    const float R = static_cast<float>(0.5 * std::sqrt(2.0 * r * r));
    const float S = static_cast<float>(hardness * static_cast<double>(0.01f));
    const double W = 1.0 - S;

    // The weight depends only on the squared distance from the centre, so it
    // is computed once for each pair (|u - r|, |v - r|) and then spread over
    // the square.
    auto weightAt = [&](int du, int dv) {
        const float q = static_cast<float>(std::sqrt(static_cast<double>(du * du + dv * dv)) / R);
        if (W == 0.0) {
            // The hardest brush: full weight inside q < 1, none from q = 1
            // on (the edge formula would divide 0 by 0 at q = 1).
            return q < S ? 1.0f : 0.0f;
        }
        double weight = 1.0 - (static_cast<double>(q) - S) / W;
        if (weight < 0.0) weight = 0.0;
        if (weight > 1.0) weight = 1.0;
        return static_cast<float>(weight);
    };
    // The weight of each offset pair up to r; only those entries are read.
    std::array<float, (kMaxBrushSize + 1) * (kMaxBrushSize + 1)> byOffset;
    constexpr int side = kMaxBrushSize + 1;
    for (int a = 0; a <= r; ++a)
        for (int b = 0; b <= a; ++b) byOffset[a * side + b] = byOffset[b * side + a] = weightAt(a, b);
    for (int v = 0; v < 2 * r; ++v) {
        float* row = mask.weights.data() + static_cast<std::size_t>(v) * kMaskSide;
        const float* fromOffset = byOffset.data() + std::abs(v - r) * side;
        for (int u = 0; u < 2 * r; ++u) row[u] = fromOffset[std::abs(u - r)];
    }
    mask.weightsHardness = hardness;
}

}  // namespace

void buildMask(ToolState& ts) {
    BrushMask& mask = ts.mask;
    if (mask.built) return;

    const int r = clampInt(ts.stroke.size, 1, kMaxBrushSize);
    const int hardness = clampInt(ts.stroke.hardness, 1, 100);
    if (r != mask.builtForSize || hardness != mask.weightsHardness) computeWeights(mask, r, hardness);
    if (hardness != mask.profileHardness || !mask.profile.valid()) {
        drawProfile(mask.profile, static_cast<float>(hardness * static_cast<double>(0.01f)));
        mask.profileHardness = mask.profile.valid() ? hardness : 0;
    }
    mask.builtForSize = r;
    mask.built = true;
}

}  // namespace sc
