// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture_export.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "engine/surface.h"
#include "formats/bmp_writer.h"
#include "formats/data_file.h"

namespace sc {

RgbPicture rgbPictureOf(const Surface& surface) {
    RgbPicture picture;
    const std::uint8_t bytes = surface.bytesPerPixel();
    if (!surface.valid() || (bytes != 3 && bytes != 4) || surface.width() == 0 || surface.height() == 0) {
        return picture;
    }
    // A picture too large for the memory left is no picture (nothing is written).
    try {
        picture.rgb.resize(static_cast<std::size_t>(surface.width()) * surface.height() * 3);
    } catch (const std::bad_alloc&) {
        return RgbPicture();
    }
    picture.width = surface.width();
    picture.height = surface.height();
    std::uint8_t* out = picture.rgb.data();
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        const std::uint8_t* p = surface.pixelAddress(0, y);
        for (std::uint32_t x = 0; x < picture.width; ++x, p += bytes, out += 3) {
            out[0] = p[2];
            out[1] = p[1];
            out[2] = p[0];
        }
    }
    return picture;
}

PictureFormat exportFormatOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return PictureFormat::kBmp;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "png") return PictureFormat::kPng;
    if (extension == "tif" || extension == "tiff") return PictureFormat::kTiff;
    if (extension == "jpg" || extension == "jpeg") return PictureFormat::kJpeg;
    return PictureFormat::kBmp;
}

bool writePictureFile(const std::string& path, const RgbPicture& picture, PictureFormat format, int jpegQuality) {
    std::vector<std::uint8_t> bytes;
    bool encoded = false;
    switch (format) {
        case PictureFormat::kPng: encoded = encodePng(picture, bytes); break;
        case PictureFormat::kTiff: encoded = encodeTiff(picture, bytes); break;
        case PictureFormat::kJpeg: encoded = encodeJpeg(picture, jpegQuality, bytes); break;
        default: break;
    }
    if (!encoded || bytes.empty()) return false;
    DataFile file;
    if (!file.open(path, DataFile::kWrite)) return false;
    if (!file.write(bytes.data(), bytes.size())) {
        file.discard();
        return false;
    }
    return file.close();
}

bool exportPicture(const Surface& surface, const std::string& path, int jpegQuality) {
    const PictureFormat format = exportFormatOf(path);
    if (format == PictureFormat::kBmp) return writeBmp(surface, path);
    const RgbPicture picture = rgbPictureOf(surface);
    if (picture.rgb.empty()) return false;
    return writePictureFile(path, picture, format, jpegQuality);
}

}  // namespace sc
