// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes a surface as an uncompressed bottom-up 24-bit BMP file.
#include <string>

namespace sc {

class Surface;

// Writes the 54-byte headers and the surface's pixel memory as it is. The
// surface must be 3 bytes per pixel. False when the file could not be made
// or written; an existing file at the path then stays as it was.
[[nodiscard]] bool writeBmp(const Surface& surface, const std::string& path);

}  // namespace sc
