// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "jgi8" cached image format: a 12-byte header (shift, width, height) and
// coded channels with rows bottom-up, as a bottom-up surface keeps them in
// memory. The colour variant holds blue, green and red; the grey variant one
// channel, written from red and read into all three components. The file does
// not say which variant it is: the caller knows.
#include <cstdint>
#include <string>

namespace sc {

class Surface;

enum class JgiResult {
    kOk,
    kCannotOpen,
    kDamaged,   // a bad shift, a size the file cannot hold or memory cannot take, a damaged channel
    kNoMemory,  // working memory could not be had
    kWriteFailed,
};

inline constexpr std::size_t kJgiHeaderSize = 12;

// Readers create the surface as 32-bit (fourth byte 0) and fill it. On any
// result but kOk the surface is left exactly as it was. A file of width or
// height 0 gives an empty (released) surface.
JgiResult readColourJgi(Surface& surface, const std::string& path);
JgiResult readGreyJgi(Surface& surface, const std::string& path);

// Writers write an invalid surface as width 0, height 0 and empty channels.
// On failure an old file at the path stays as it was.
JgiResult writeColourJgi(const Surface& surface, const std::string& path, std::int32_t shift);
JgiResult writeGreyJgi(const Surface& surface, const std::string& path, std::int32_t shift);

}  // namespace sc
