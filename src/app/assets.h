// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures the program shows besides the painting, looked up by name: the
// bitmap "<source><name>.bmp" is imported once into the cache file
// "<cache><name>.jgi" (shift 3), and what is shown is always the decoded cache.
#include <string>

namespace sc {

class Surface;
struct ShellState;
struct ToolState;

inline constexpr const char* kFailedToLoadJgiText = "Failed to load jgi8!";
inline constexpr const char* kFailedToSaveJgiText = "Failed to save jgi8!";
inline constexpr int kAssetShift = 3;

// A bitmap that cannot be read shows the program's once-a-run message
// (loadImageFile).
void loadColourAssetFrom(ShellState& s, Surface& surface, const std::string& name, const std::string& sourceDirectory,
                         const std::string& cacheDirectory);
void loadGreyAssetFrom(ShellState& s, Surface& surface, const std::string& name, const std::string& sourceDirectory,
                       const std::string& cacheDirectory);

// From "WorkData/" among the program's files with the cache in the user's
// cache folder (ShellState::paths).
void loadColourAsset(ShellState& s, Surface& surface, const std::string& name);
void loadGreyAsset(ShellState& s, Surface& surface, const std::string& name);

// The 18 style images "paint%d" (from "<pictures>WorkData/Styles/") and the
// 18 texture images "bump%d" (from "<pictures>WorkData/Textures/") into the
// tool state, cached in the folder `cache`. The base is empty for the
// current directory or ends with a slash; so does the cache folder.
void loadStyleAndTextureImagesFrom(ToolState& tools, bool& failureShown, const std::string& pictures,
                                   const std::string& cache);
// The same from the program's files and the user's cache folder.
void loadStyleAndTextureImages(ShellState& s);

}  // namespace sc
