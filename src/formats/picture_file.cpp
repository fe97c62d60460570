// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "engine/surface.h"
#include "formats/data_file.h"
#include "formats/picture_readers.h"

namespace sc {
namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

// Bytes of memory the system can still give, or the largest value if unknown.
std::uint64_t availableMemory() {
    std::FILE* f = std::fopen("/proc/meminfo", "r");
    if (!f) return UINT64_MAX;
    char line[256];
    std::uint64_t kib = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, f)) {
        found = std::sscanf(line, "MemAvailable: %llu kB", reinterpret_cast<unsigned long long*>(&kib)) == 1;
    }
    std::fclose(f);
    return found ? kib * 1024 : UINT64_MAX;
}

// Reads the whole file into memory from the C allocator.
PictureLoadResult readWholeFile(const std::string& path, PictureBytes& out) {
    DataFile file;
    if (!file.open(path, DataFile::kRead)) return PictureLoadResult::kCannotOpen;
    const std::uint64_t size = file.remaining();
    if (size > kPictureByteLimit) return PictureLoadResult::kTooLarge;
    out.data.reset(static_cast<std::uint8_t*>(std::malloc(size > 0 ? size : 1)));
    if (!out.data) return PictureLoadResult::kTooLarge;
    out.size = static_cast<std::size_t>(size);
    return file.read(out.data.get(), out.size) ? PictureLoadResult::kOk : PictureLoadResult::kDamaged;
}

// The decoder the file's first bytes name.
PictureLoadResult decodePicture(const std::uint8_t* d, std::size_t size, DecodedRgb& rgb) {
    if (size >= 2 && d[0] == 'B' && d[1] == 'M') return decodeBmp(d, size, rgb);
    if (size >= sizeof kPngSignature && std::memcmp(d, kPngSignature, sizeof kPngSignature) == 0) {
        return decodePng(d, size, rgb);
    }
    if (size >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) return decodeJpeg(d, size, rgb);
    if (size >= 4 && ((d[0] == 'I' && d[1] == 'I') || (d[0] == 'M' && d[1] == 'M'))) {
        return decodeTiff(d, size, rgb);
    }
    return PictureLoadResult::kUnsupported;
}

}  // namespace

PictureLoadResult pictureMemoryAllowed(std::uint64_t bytes, std::uint64_t alongside) {
    if (bytes > kPictureByteLimit) return PictureLoadResult::kTooLarge;
    const std::uint64_t available = availableMemory();
    return bytes + alongside > available ? PictureLoadResult::kTooLarge : PictureLoadResult::kOk;
}

PictureLoadResult allocateDecoded(std::uint32_t width, std::uint32_t height, std::uint64_t alongside, DecodedRgb& out) {
    out = DecodedRgb{};
    const std::uint64_t bytes = std::uint64_t{width} * height * 3;
    // The decoded pixels and, later, the surface made from them.
    const PictureLoadResult allowed = pictureMemoryAllowed(bytes, alongside + bytes);
    if (allowed != PictureLoadResult::kOk) return allowed;
    out.pixels.reset(static_cast<std::uint8_t*>(std::calloc(1, bytes > 0 ? bytes : 1)));
    if (!out.pixels) return PictureLoadResult::kTooLarge;
    out.width = width;
    out.height = height;
    return PictureLoadResult::kOk;
}

PictureLoadResult readPictureFile(const std::string& path, Surface& surface) {
    PictureBytes bytes;
    PictureLoadResult result = readWholeFile(path, bytes);
    DecodedRgb rgb;
    if (result == PictureLoadResult::kOk) result = decodePicture(bytes.data.get(), bytes.size, rgb);
    if (result != PictureLoadResult::kOk) return result;
    bytes = PictureBytes{};  // the file is no longer needed

    Surface picture;
    if (!picture.create(rgb.width, rgb.height, false)) return PictureLoadResult::kTooLarge;
    const std::uint8_t* in = rgb.pixels.get();
    for (std::uint32_t y = 0; y < rgb.height; ++y) {
        std::uint8_t* out = picture.pixelAddress(0, y);
        for (std::uint32_t x = 0; x < rgb.width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    surface = std::move(picture);
    return PictureLoadResult::kOk;
}

}  // namespace sc
