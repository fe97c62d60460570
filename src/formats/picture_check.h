#pragma once
// Checks the structure of a picture file before any decoder sees it. The
// picture library trusts what files say: it loops forever on some truncated
// PNGs, "loads" a tiny BMP whose header claims a huge size, writes past its
// buffer on some run-length BMPs and keeps sizes in 32 bits. A file that
// fails these checks is damaged and is never handed to a decoder.
#include <cstddef>
#include <cstdint>

namespace sc {

enum class PictureFormat { kUnknown, kBmp, kPng, kJpeg, kTiff };

enum class PictureVerdict {
    kSound,
    kUnsupported,  // not one of the four formats, or a variant no reader here takes
    kDamaged,      // cut short, inconsistent, or claiming more than the file holds
};

struct PictureInfo {
    PictureFormat format = PictureFormat::kUnknown;
    PictureVerdict verdict = PictureVerdict::kUnsupported;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // The most bytes per pixel the picture library keeps while decoding.
    std::uint32_t libraryBytesPerPixel = 4;
    // A BMP whose 108- or 124-byte header the picture library refuses;
    // it is read by the fallback BMP reader.
    bool needsBmpFallback = false;
};

PictureInfo inspectPicture(const std::uint8_t* data, std::size_t size);

// Decodes a JPEG's scans with the JPEG library and says whether they are
// whole: false when the decoder reports a premature end or corrupt data
// (it would make the missing part up in grey) or fails.
bool jpegScansAreWhole(const std::uint8_t* data, std::size_t size);

}  // namespace sc
