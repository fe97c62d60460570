#pragma once
// PNG, JPEG and TIFF files written with the standard libraries, so the
// picture reader is checked against files it did not make itself.
#include <string>

#include "formats/test_pictures.h"

namespace sc::testing {

bool writePngFile(const std::string& path, std::uint32_t width, std::uint32_t height, const PixelFunction& pixel);
// 4:4:4 sampling, high quality: colours come back within a few steps.
bool writeJpegFile(const std::string& path, std::uint32_t width, std::uint32_t height, const PixelFunction& pixel);
// 8-bit RGB in strips of `rowsPerStrip` rows; `pages` copies of the picture.
bool writeTiffFile(const std::string& path, std::uint32_t width, std::uint32_t height, const PixelFunction& pixel,
                   int pages = 1, std::uint32_t rowsPerStrip = 4);

}  // namespace sc::testing
