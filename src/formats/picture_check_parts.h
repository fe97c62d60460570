#pragma once
// The per-format structure checks behind inspectPicture.
#include <cstddef>
#include <cstdint>

#include "formats/picture_check.h"

namespace sc {

PictureInfo inspectBmp(const std::uint8_t* data, std::size_t size);
PictureInfo inspectPng(const std::uint8_t* data, std::size_t size);
PictureInfo inspectJpeg(const std::uint8_t* data, std::size_t size);
PictureInfo inspectTiff(const std::uint8_t* data, std::size_t size);

// Big-endian fields (PNG, JPEG, "MM" TIFF).
inline std::uint32_t getBigU32(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
}
inline std::uint16_t getBigU16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

}  // namespace sc
