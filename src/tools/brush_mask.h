// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The brush mask: per-cell weights of the soft round brush, shared by every
// tool, and the small profile picture shown beside the hardness slider.
#include <array>

#include "engine/surface.h"

namespace sc {

inline constexpr int kMaskSide = 200;
inline constexpr int kProfileSide = 54;

struct BrushMask {
    bool built = false;
    int builtForSize = 0;
    // The hardness (1..100) the weights were last computed for, and the one
    // the profile was last drawn for (0: none yet). The weights depend on the
    // size and the hardness alone, the profile on the hardness alone, so a
    // rebuild for the same ones (every move of a stroke with fades, a pulse
    // or a resting pointer asks for one) keeps them.
    int weightsHardness = 0;
    int profileHardness = 0;
    // Row v, column u at weights[v * kMaskSide + u]; only the top-left
    // 2r x 2r entries are used.
    std::array<float, kMaskSide * kMaskSide> weights{};
    Surface profile;  // 54 x 54, 32-bit

    float at(int column, int row) const { return weights[static_cast<std::size_t>(row) * kMaskSide + column]; }
};

struct ToolState;

// Rebuilds the record's mask from its stroke settings if it is not built.
void buildMask(ToolState& tools);

}  // namespace sc
