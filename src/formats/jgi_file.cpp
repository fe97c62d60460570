// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/jgi_file.h"

#include <utility>

#include "engine/surface.h"
#include "formats/channel_codec.h"
#include "formats/data_file.h"
#include "formats/little_endian.h"

namespace sc {
namespace {

constexpr std::int32_t kLargestShift = 31;
// Component byte offsets within a pixel, in the order the channels are stored.
constexpr int kBlue = 0, kGreen = 1, kRed = 2;

JgiResult fromCodec(CodecResult r) {
    switch (r) {
        case CodecResult::kOk: return JgiResult::kOk;
        case CodecResult::kNoMemory: return JgiResult::kNoMemory;
        case CodecResult::kWriteFailed: return JgiResult::kWriteFailed;
        case CodecResult::kNoFile:
        case CodecResult::kDamaged: break;
    }
    return JgiResult::kDamaged;
}

JgiResult writeJgi(const Surface& surface, const std::string& path, std::int32_t shift, bool grey) {
    const bool valid = surface.valid();
    const std::uint32_t width = valid ? surface.width() : 0;
    const std::uint32_t height = valid ? surface.height() : 0;
    DataFile file;
    if (!file.open(path, DataFile::kWrite)) return JgiResult::kCannotOpen;
    std::uint8_t header[kJgiHeaderSize];
    putU32(header + 0, static_cast<std::uint32_t>(shift));
    putU32(header + 4, width);
    putU32(header + 8, height);
    JgiResult result = file.write(header, sizeof header) ? JgiResult::kOk : JgiResult::kWriteFailed;

    static constexpr int kColourOrder[3] = {kBlue, kGreen, kRed};
    static constexpr int kGreyOrder[1] = {kRed};
    const int* components = grey ? kGreyOrder : kColourOrder;
    const int count = grey ? 1 : 3;
    for (int i = 0; i < count && result == JgiResult::kOk; ++i) {
        // Memory rows are bottom-up, exactly the order of the channel's rows.
        const ConstPlaneView plane{valid ? surface.bits() + components[i] : nullptr, surface.bytesPerPixel(),
                                   static_cast<std::size_t>(surface.stride())};
        result = fromCodec(encodeChannel(file, plane, width, height, shift));
    }
    if (result != JgiResult::kOk) {
        file.discard();
        return result;
    }
    return file.close() ? JgiResult::kOk : JgiResult::kWriteFailed;
}

JgiResult readJgi(Surface& surface, const std::string& path, bool grey) {
    DataFile file;
    if (!file.open(path, DataFile::kRead)) return JgiResult::kCannotOpen;
    std::uint8_t header[kJgiHeaderSize];
    if (!file.read(header, sizeof header)) return JgiResult::kDamaged;
    const std::int32_t shift = getI32(header + 0);
    const std::uint32_t width = getU32(header + 4);
    const std::uint32_t height = getU32(header + 8);
    if (shift < 0 || shift > kLargestShift) return JgiResult::kDamaged;
    const int channels = grey ? 1 : 3;
    // A size the file cannot hold is refused before any memory is taken for it.
    if (minimumCodedChannelBytes(width, height) * channels > file.remaining()) return JgiResult::kDamaged;

    Surface picture;
    if (width > 0 && height > 0) {
        if (!picture.create32(width, height)) return JgiResult::kDamaged;
    }
    static constexpr int kColourOrder[3] = {kBlue, kGreen, kRed};
    for (int i = 0; i < channels; ++i) {
        const PlaneView plane{picture.valid() ? picture.bits() + kColourOrder[i] : nullptr, 4,
                              static_cast<std::size_t>(picture.stride())};
        const JgiResult r = fromCodec(decodeChannel(file, plane, width, height, shift));
        if (r != JgiResult::kOk) return r;
    }
    if (grey && picture.valid()) {
        const std::size_t bytes = static_cast<std::size_t>(picture.stride()) * height;
        std::uint8_t* p = picture.bits();
        for (std::size_t i = 0; i < bytes; i += 4) p[i + kGreen] = p[i + kRed] = p[i + kBlue];
    }
    surface = std::move(picture);
    return JgiResult::kOk;
}

}  // namespace

JgiResult readColourJgi(Surface& surface, const std::string& path) { return readJgi(surface, path, false); }
JgiResult readGreyJgi(Surface& surface, const std::string& path) { return readJgi(surface, path, true); }

JgiResult writeColourJgi(const Surface& surface, const std::string& path, std::int32_t shift) {
    return writeJgi(surface, path, shift, false);
}
JgiResult writeGreyJgi(const Surface& surface, const std::string& path, std::int32_t shift) {
    return writeJgi(surface, path, shift, true);
}

}  // namespace sc
