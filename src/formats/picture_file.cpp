#include "formats/picture_file.h"

#include <IL/il.h>
#include <IL/ilu.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "engine/surface.h"
#include "formats/bmp_fallback.h"
#include "formats/data_file.h"
#include "formats/picture_check.h"
#include "formats/picture_preparation.h"

namespace sc {
namespace {

// Every library allocation is zero-filled, so a decoder that leaves pixels
// unwritten leaves them black rather than uninitialised, and oversized
// requests fail instead of being made.
void* ILAPIENTRY zeroedAlloc(const ILsizei size) {
    if (size > kLibraryByteLimit) return nullptr;
    return std::calloc(1, size > 0 ? size : 1);
}

void ILAPIENTRY plainFree(const void* CONST_RESTRICT p) { std::free(const_cast<void*>(p)); }

void clearLibraryErrors() {
    while (ilGetError() != IL_NO_ERROR) {
    }
}

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

ILenum libraryType(PictureFormat format) {
    switch (format) {
        case PictureFormat::kBmp: return IL_BMP;
        case PictureFormat::kPng: return IL_PNG;
        case PictureFormat::kJpeg: return IL_JPG;
        case PictureFormat::kTiff: return IL_TIF;
        case PictureFormat::kUnknown: break;
    }
    return IL_TYPE_UNKNOWN;
}

bool decodeWithLibrary(ILenum type, const std::uint8_t* data, std::size_t size, DecodedRgb& out) {
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    bool ok = ilLoadL(type, data, static_cast<ILuint>(size)) == IL_TRUE;
    if (ok) {
        ilEnable(IL_ORIGIN_SET);
        ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
        const ILint width = ilGetInteger(IL_IMAGE_WIDTH);
        const ILint height = ilGetInteger(IL_IMAGE_HEIGHT);
        const std::uint64_t bytes = static_cast<std::uint64_t>(std::max(width, 0)) * std::max(height, 0) * 3;
        ok = width > 0 && height > 0 && bytes <= kLibraryByteLimit;
        if (ok) out.pixels.reset(static_cast<std::uint8_t*>(std::calloc(1, static_cast<std::size_t>(bytes))));
        ok = ok && out.pixels &&
             ilCopyPixels(0, 0, 0, static_cast<ILuint>(width), static_cast<ILuint>(height), 1, IL_RGB,
                          IL_UNSIGNED_BYTE, out.pixels.get()) != 0;
        if (ok) {
            out.width = static_cast<std::uint32_t>(width);
            out.height = static_cast<std::uint32_t>(height);
        } else {
            out = DecodedRgb{};
        }
    }
    ilDeleteImages(1, &image);
    clearLibraryErrors();
    return ok;
}

// Reads the whole file into memory from the C allocator.
PictureLoadResult readWholeFile(const std::string& path, PictureBytes& out) {
    DataFile file;
    if (!file.open(path, DataFile::kRead)) return PictureLoadResult::kCannotOpen;
    const std::uint64_t size = file.remaining();
    if (size > kLibraryByteLimit) return PictureLoadResult::kTooLarge;
    out.data.reset(static_cast<std::uint8_t*>(std::malloc(size > 0 ? size : 1)));
    if (!out.data) return PictureLoadResult::kTooLarge;
    out.size = static_cast<std::size_t>(size);
    return file.read(out.data.get(), out.size) ? PictureLoadResult::kOk : PictureLoadResult::kDamaged;
}

// Checks the file and decodes it into `rgb`.
PictureLoadResult decodePicture(PictureBytes& bytes, DecodedRgb& rgb) {
    PictureLoadResult result = rewriteOlderBmpHeader(bytes);
    if (result != PictureLoadResult::kOk) return result;
    const PictureInfo info = inspectPicture(bytes.data.get(), bytes.size);
    if (info.format == PictureFormat::kUnknown || info.verdict == PictureVerdict::kUnsupported) {
        return PictureLoadResult::kUnsupported;
    }
    if (info.verdict != PictureVerdict::kSound) return PictureLoadResult::kDamaged;
    const std::uint64_t pixels = static_cast<std::uint64_t>(info.width) * info.height;
    const std::uint64_t decodeBytes = pixels * std::max<std::uint64_t>(info.libraryBytesPerPixel, 3);
    if (decodeBytes > kLibraryByteLimit) return PictureLoadResult::kTooLarge;
    if (info.format == PictureFormat::kJpeg && !jpegScansAreWhole(bytes.data.get(), bytes.size)) {
        return PictureLoadResult::kDamaged;
    }
    // The file (a TIFF's re-laid copy adds at most twice its size), the
    // decoder's own image, its converted copy, the copied pixels and the surface.
    const std::uint64_t fileCopies = info.format == PictureFormat::kTiff ? 3 : 1;
    if (bytes.size * fileCopies + decodeBytes + pixels * 9 > availableMemory()) return PictureLoadResult::kTooLarge;

    if (info.needsBmpFallback) {
        return decodeBmpFallback(bytes.data.get(), bytes.size, rgb) ? PictureLoadResult::kOk
                                                                    : PictureLoadResult::kDamaged;
    }
    if (info.format == PictureFormat::kTiff) {
        result = prepareTiffForLibrary(bytes);
        if (result != PictureLoadResult::kOk) return result;
    }
    return decodeWithLibrary(libraryType(info.format), bytes.data.get(), bytes.size, rgb)
               ? PictureLoadResult::kOk
               : PictureLoadResult::kDamaged;
}

}  // namespace

void initialisePictureLibrary() {
    static bool initialised = false;
    if (initialised) return;
    initialised = true;
    ilInit();
    iluInit();
    ilSetMemory(zeroedAlloc, plainFree);
    // With the origin fixed before the first load, every picture, the first
    // one included, arrives top row first.
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
}

PictureLoadResult readPictureFile(const std::string& path, Surface& surface) {
    initialisePictureLibrary();
    PictureBytes bytes;
    PictureLoadResult result = readWholeFile(path, bytes);
    DecodedRgb rgb;
    if (result == PictureLoadResult::kOk) result = decodePicture(bytes, rgb);
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
