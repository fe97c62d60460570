// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Export Image's files: the format chosen by the file name's extension,
// BMP for any name that names no other format.
#include <string>

#include "formats/picture_format.h"
#include "formats/picture_encoders.h"

namespace sc {

class Surface;

inline constexpr int kDefaultJpegQuality = 90;
inline constexpr int kMinJpegQuality = 1;
inline constexpr int kMaxJpegQuality = 100;

// ".png" PNG, ".tif" and ".tiff" TIFF, ".jpg" and ".jpeg" JPEG, in any mix of
// upper and lower case; anything else (".bmp", another extension, none) BMP.
PictureFormat exportFormatOf(const std::string& path);

// Writes the picture as PNG, TIFF or JPEG (false for any other format); as every file of the
// program, through a temporary file, so an existing file at the path stays
// as it was unless the new one is complete.
[[nodiscard]] bool writePictureFile(const std::string& path, const RgbPicture& picture, PictureFormat format,
                                    int jpegQuality = kDefaultJpegQuality);

// The surface as last rendered in the format of the path's extension; a BMP
// is exactly writeBmp's file. False when nothing was written.
[[nodiscard]] bool exportPicture(const Surface& surface, const std::string& path,
                                 int jpegQuality = kDefaultJpegQuality);

}  // namespace sc
