// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// smudgecraft-batch thumbnail IN.pai OUT.png SIZE: the painting rendered as
// the program shows it (High Quality, Lighting), fitted within SIZE x SIZE
// (picture_fit.h) and written as a PNG file. This is what file managers run
// to show paintings as pictures.
#include <cstdint>
#include <string>

namespace sc::batch {

inline constexpr std::uint32_t kMaxThumbnailSide = 20000;

// The exit status: 0 when the thumbnail was written; 1, with the program's
// message on standard error and no file written, when the painting cannot
// be read or the picture cannot be written.
int makeThumbnail(const std::string& painting, const std::string& picture, std::uint32_t side);

}  // namespace sc::batch
