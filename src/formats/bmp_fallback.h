#pragma once
// The fallback BMP reader for the 108- and 124-byte headers that the
// picture library refuses (today's tools write them). It reads from memory
// and delivers 8-bit red, green, blue triples, the top row first.
#include <cstddef>
#include <cstdint>

#include "formats/picture_bytes.h"

namespace sc {

// A decoded picture in memory from the C allocator.
struct DecodedRgb {
    ByteBuffer pixels;  // width x height x 3, top row first
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// False when the data cannot be decoded; `out` is then empty.
bool decodeBmpFallback(const std::uint8_t* data, std::size_t size, DecodedRgb& out);

}  // namespace sc
