// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loading picture files for the program, and Import Image's conversion of a
// picture into a flat painting.
#include <string>

namespace sc {

class Surface;
struct ShellState;
struct Painting;
struct ToolState;

inline constexpr const char* kAnImageFailedText = "An image failed to load!";
inline constexpr const char* kImageFailedText = "Image failed to load!";

// Fills `surface` with a JPEG, BMP, PNG or TIFF picture, top row at y = 0.
// The first failure of the run shows "An image failed to load!"
// (ShellState::pictureFailureShown); later ones show nothing. On failure the
// surface is left as it was.
bool loadImageFile(ShellState& s, Surface& surface, const std::string& path);

// Import Image's conversion: the picture becomes the document, every cell
// split into colour above its smallest channel plus grain, shine 255, height
// 1.0; then an undo snapshot without the canvas and an invalidated document.
// False, with the document as it was, when the picture cannot be read or its
// canvas cannot be had; the command then shows "Image failed to load!". The
// caller re-creates the canvas window for the new size. `failureShown` is
// the run's record that "An image failed to load!" was shown.
bool importPictureFile(Painting& p, const ToolState& tools, const std::string& path, bool& failureShown);
// Reads a picture as loadImageFile does, with the run's record of the first
// failure's message kept in `failureShown`.
bool loadPictureFile(Surface& surface, const std::string& path, bool& failureShown);

}  // namespace sc
