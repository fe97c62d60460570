// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the Fill filters read a style or texture image for a cell: the cell
// position moved by the texture offset, folded into the 400 x 400 tile.
#include <cstdint>

#include "engine/numeric.h"

namespace sc {

inline constexpr std::int32_t kGrainTile = 400;

// |offset + cell| mod 400, where offset is trunc(texture offset) (truncToInt),
// in the program's 32-bit int arithmetic: the sum wraps, and the absolute
// value of 0x80000000 stays negative as the processor's gives it, leaving a
// negative remainder that reads as outside the image. Never undefined,
// whatever the offset.
inline std::int64_t tileCoordinate(std::int32_t offset, std::uint32_t cell) {
    const std::int32_t sum = wrapAdd(offset, static_cast<std::int32_t>(cell));
    const std::int64_t magnitude = sum == INT32_MIN ? static_cast<std::int64_t>(sum) : (sum < 0 ? -sum : sum);
    return magnitude % kGrainTile;
}

}  // namespace sc
