#pragma once
// Writes a picture as a PNG file (8-bit RGB, no metadata), through the
// program's file object: the old file stays until the new one is complete.
#include <string>

namespace sc {

struct RgbPicture;

// False when the picture is empty or the file could not be written.
bool writePngFile(const std::string& path, const RgbPicture& picture);

}  // namespace sc
