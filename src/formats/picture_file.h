#pragma once
// Reading JPEG, BMP, PNG and TIFF pictures through the picture library (and
// a fallback reader for the BMP headers the library refuses). This is the one
// part of the program that talks to the picture library.
#include <string>

namespace sc {

class Surface;

enum class PictureLoadResult {
    kOk,
    kCannotOpen,
    kUnsupported,  // not a JPEG, BMP, PNG or TIFF picture the readers take
    kDamaged,      // cut short, inconsistent, or refused by the decoder
    kTooLarge,     // more than the library's 32-bit sizes or the free memory can hold
};

// Initialises the picture library once; later calls do nothing. The first
// read calls it too.
void initialisePictureLibrary();

// Fills `surface` as a 3-byte-per-pixel surface of the picture's size; pixel
// (0, 0) is the picture's top-left corner whatever the file's row order. On
// any result but kOk the surface is left as it was.
PictureLoadResult readPictureFile(const std::string& path, Surface& surface);

}  // namespace sc
