// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The decoders behind readPictureFile, one for each format. Each reads a
// whole file held in memory, trusts nothing it says, and delivers 8-bit
// red, green, blue triples, the top row first.
#include <cstddef>
#include <cstdint>

#include "formats/picture_bytes.h"
#include "formats/picture_file.h"

namespace sc {

// A decoded picture in memory from the C allocator.
struct DecodedRgb {
    ByteBuffer pixels;  // width x height x 3, top row first
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// No decoder makes a buffer larger than this, whatever the free memory.
constexpr std::uint64_t kPictureByteLimit = 0x7FFFFFFF;

// kOk when `bytes` more bytes may be taken for a picture: within the limit
// and, with the picture's other copies (`alongside` bytes), within the
// memory the system can still give. Otherwise kTooLarge.
PictureLoadResult pictureMemoryAllowed(std::uint64_t bytes, std::uint64_t alongside);

// Makes `out` a zeroed picture of the given size, or says why not.
PictureLoadResult allocateDecoded(std::uint32_t width, std::uint32_t height, std::uint64_t alongside, DecodedRgb& out);

// On any result but kOk, `out` is left empty.
PictureLoadResult decodePng(const std::uint8_t* data, std::size_t size, DecodedRgb& out);
PictureLoadResult decodeJpeg(const std::uint8_t* data, std::size_t size, DecodedRgb& out);
PictureLoadResult decodeTiff(const std::uint8_t* data, std::size_t size, DecodedRgb& out);
PictureLoadResult decodeBmp(const std::uint8_t* data, std::size_t size, DecodedRgb& out);

}  // namespace sc
