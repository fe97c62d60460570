#pragma once
// Rewrites that turn files the picture library mishandles or refuses into
// ones it reads as other readers read the originals. Each works on the
// caller's copy of the file, in place or by replacing it with a new one.
#include <cstdint>

#include "formats/picture_bytes.h"
#include "formats/picture_file.h"

namespace sc {

// The library computes buffer sizes in 32 bits; nothing it takes or
// allocates may come near that.
constexpr std::uint64_t kLibraryByteLimit = 0x7FFFFFFF;

// A BMP with a 52- or 56-byte header (the 40-byte one and its colour masks)
// or the 64-byte OS/2 header becomes the same picture with the 40-byte
// header the library reads. Other files are left as they are. kOk, or
// kUnsupported for a compression the library has no reader for, kDamaged
// for a header that does not fit the file, kTooLarge without memory.
PictureLoadResult rewriteOlderBmpHeader(PictureBytes& bytes);

// For a TIFF that inspectPicture found sound: keeps only the first page,
// marks unassociated alpha as associated (so colours arrive as stored, not
// multiplied by alpha) and lays uncompressed tiles out again as one strip
// (the TIFF library refuses, when reading from memory as the picture
// library makes it, uncompressed tiles whose size is not a multiple of
// 1024 bytes). kOk, or kDamaged for tiles that do not hold the picture,
// kTooLarge without memory.
PictureLoadResult prepareTiffForLibrary(PictureBytes& bytes);

}  // namespace sc
