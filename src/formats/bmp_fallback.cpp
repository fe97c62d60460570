#include "formats/bmp_fallback.h"

#include <climits>

// The stb image library, compiled here with its BMP reader only: the one
// format that needs a reader besides the picture library. Its functions stay
// private to this file.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_NO_THREAD_LOCALS
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace sc {

bool decodeBmpFallback(const std::uint8_t* data, std::size_t size, DecodedRgb& out) {
    out = DecodedRgb{};
    if (size > INT_MAX) return false;
    int width = 0, height = 0, channels = 0;
    stbi_uc* rgb = stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 3);
    if (!rgb) return false;
    // The reader allocates with malloc, so its buffer is released with free.
    out.pixels.reset(rgb);
    out.width = static_cast<std::uint32_t>(width);
    out.height = static_cast<std::uint32_t>(height);
    return true;
}

}  // namespace sc
