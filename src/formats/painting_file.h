// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Painting files ("pai"): the 80-byte header, then either five coded byte
// channels and the raw heights (version 2, written) or raw 12-byte cells
// (version 1, read only).
#include <cstdint>
#include <cstddef>
#include <string>
#include <vector>

namespace sc {

class Canvas;
struct Layer;
class DataFile;

enum class PaintingLoadResult {
    kOk,
    kCannotOpen,
    kBadMagic,      // not a painting at all
    kVersion3,      // refused without a message of its own
    kLaterVersion,  // version 0 or above 3
    kDamaged,       // cut short, an impossible size, or a damaged channel
};

// Reads a painting from the start of an open file into `into`, which the
// reader allocates to the header's size. The canvas's cells are complete only
// when the result is kOk; callers read into a canvas of their own and swap it
// in on success. `version` receives the header's version when one was read.
PaintingLoadResult readPaintingFile(DataFile& file, Canvas& into, std::uint32_t* version = nullptr);
PaintingLoadResult readPaintingFile(const std::string& path, Canvas& into, std::uint32_t* version = nullptr);
// The same, reading version 3 (a painting of layers) too: `into` then gets
// the painting's size with blank cells and `layers` the layers, bottom first,
// with the active one's number in `active`. Without `layers` a version 3 file
// is kVersion3. For version 1 and 2 `layers` is left empty.
PaintingLoadResult readPaintingFile(DataFile& file, Canvas& into, std::uint32_t* version, std::vector<Layer>* layers,
                                    std::size_t* active);
// Writes a painting of two or more layers (all of width x height) as a
// version 3 file. False when it could not be written completely; a file that
// was at the path then stays as it was.
bool writeLayeredPaintingFile(const std::string& path, std::uint32_t width, std::uint32_t height,
                              const std::vector<Layer>& layers, std::size_t active);
// How many layers a version 3 file may hold, and how long a name may be.
inline constexpr std::uint32_t kMaxFileLayers = 32;
inline constexpr std::uint32_t kMaxLayerNameBytes = 1024;

// Writes the canvas as a version 2 file. False when it could not be written
// completely; a file that was at the path then stays as it was.
[[nodiscard]] bool writePaintingFile(const std::string& path, const Canvas& canvas);

}  // namespace sc
