// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PNG, JPEG and TIFF files written with the standard libraries, so the
// picture reader is checked against files it did not make itself.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "formats/test_pictures.h"

namespace sc::testing {

// Alpha of each pixel, for the writers that can store it.
using AlphaFunction = std::function<std::uint8_t(std::uint32_t x, std::uint32_t y)>;

// 8-bit RGB, or RGBA when `alpha` is given.
bool writePngFile(const std::string& path, std::uint32_t width, std::uint32_t height, const PixelFunction& pixel,
                  const AlphaFunction& alpha = {});

struct JpegOptions {
    bool progressive = false;
    bool grey = false;
    bool subsampled = false;   // 4:2:0 instead of 4:4:4
    bool arithmetic = false;   // arithmetic instead of Huffman coding
    unsigned restartRows = 0;  // a restart marker every this many rows of blocks
};
// High quality: colours come back within a few steps.
bool writeJpegFile(const std::string& path, std::uint32_t width, std::uint32_t height, const PixelFunction& pixel,
                   const JpegOptions& options = {});
// The picture as the JPEG library decodes it with its default settings,
// RGB triples, the top row first; empty if it cannot.
std::vector<std::uint8_t> decodeJpegAsLibraryDefaults(const std::string& path);

enum class TiffAlpha { kNone, kAssociated, kUnassociated };
struct TiffOptions {
    int pages = 1;
    std::uint32_t rowsPerStrip = 4;
    std::uint32_t tileWidth = 0, tileLength = 0;  // tiles instead of strips when set
    int bitsPerSample = 8;                        // 8 or 16 (the 8-bit value repeated)
    bool grey = false;                            // the red channel as grey
    bool separatePlanes = false;
    bool bigEndian = false;
    std::uint16_t compression = 1;  // a TIFF compression number
    TiffAlpha alphaKind = TiffAlpha::kNone;
    AlphaFunction alpha = {};
};
bool writeTiffFile(const std::string& path, std::uint32_t width, std::uint32_t height, const PixelFunction& pixel,
                   const TiffOptions& options);
// 8-bit RGB in strips of `rowsPerStrip` rows; `pages` copies of the picture.
inline bool writeTiffFile(const std::string& path, std::uint32_t width, std::uint32_t height,
                          const PixelFunction& pixel, int pages = 1, std::uint32_t rowsPerStrip = 4) {
    TiffOptions options;
    options.pages = pages;
    options.rowsPerStrip = rowsPerStrip;
    return writeTiffFile(path, width, height, pixel, options);
}

}  // namespace sc::testing
