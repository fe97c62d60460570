// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading JPEG, BMP, PNG and TIFF pictures: the file is read whole and handed
// to the decoder its first bytes name (libpng, libjpeg and libtiff, and a BMP
// reader of our own).
#include <string>

namespace sc {

class Surface;

enum class PictureLoadResult {
    kOk,
    kCannotOpen,
    kUnsupported,  // not a JPEG, BMP, PNG or TIFF picture the readers take
    kDamaged,      // cut short, inconsistent, or refused by the decoder
    kTooLarge,     // more than the decoders' sizes or the free memory can hold
};

// Fills `surface` as a 3-byte-per-pixel surface of the picture's size; pixel
// (0, 0) is the picture's top-left corner whatever the file's row order. On
// any result but kOk the surface is left as it was.
PictureLoadResult readPictureFile(const std::string& path, Surface& surface);

}  // namespace sc
