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
