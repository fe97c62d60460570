// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/assets.h"

#include <cstdio>

#include "app/import_image.h"
#include "app/shell_state.h"
#include "engine/surface.h"
#include "formats/data_file.h"
#include "formats/jgi_file.h"
#include "platform/dialogs.h"
#include "platform/windows.h"
#include "tools/tool_state.h"

namespace sc {
namespace {

using JgiReader = JgiResult (*)(Surface&, const std::string&);
using JgiWriter = JgiResult (*)(const Surface&, const std::string&, std::int32_t);

void loadAssetFrom(bool& failureShown, Surface& surface, const std::string& name, const std::string& sourceDirectory,
                   const std::string& cacheDirectory, JgiReader read, JgiWriter write) {
    const std::string bitmapPath = sourceDirectory + name + ".bmp";
    const std::string cachePath = cacheDirectory + name + ".jgi";
    DataFile probe;
    const bool cached = probe.open(cachePath, DataFile::kRead);
    probe.close();
    if (!cached) {
        // A bitmap that cannot be read still leaves a cache file of the
        // surface as it is (empty for a surface never made), as before.
        loadPictureFile(surface, bitmapPath, failureShown);
        if (write(surface, cachePath, kAssetShift) == JgiResult::kNoMemory) {
            platform::messageBox(platform::kNoWindow, "Error", kFailedToSaveJgiText);
        }
    }
    if (read(surface, cachePath) == JgiResult::kNoMemory) {
        platform::messageBox(platform::kNoWindow, "Error", kFailedToLoadJgiText);
    }
}

}  // namespace

void loadColourAssetFrom(ShellState& s, Surface& surface, const std::string& name, const std::string& sourceDirectory,
                         const std::string& cacheDirectory) {
    loadAssetFrom(s.pictureFailureShown, surface, name, sourceDirectory, cacheDirectory, readColourJgi, writeColourJgi);
}

void loadGreyAssetFrom(ShellState& s, Surface& surface, const std::string& name, const std::string& sourceDirectory,
                       const std::string& cacheDirectory) {
    loadAssetFrom(s.pictureFailureShown, surface, name, sourceDirectory, cacheDirectory, readGreyJgi, writeGreyJgi);
}

void loadColourAsset(ShellState& s, Surface& surface, const std::string& name) {
    loadColourAssetFrom(s, surface, name, s.paths.sharedFile("WorkData/"), s.paths.cache);
}

void loadGreyAsset(ShellState& s, Surface& surface, const std::string& name) {
    loadGreyAssetFrom(s, surface, name, s.paths.sharedFile("WorkData/"), s.paths.cache);
}

void loadStyleAndTextureImagesFrom(ToolState& t, bool& failureShown, const std::string& pictures,
                                   const std::string& cache) {
    char name[16];
    for (int i = 0; i < kStyleCount; ++i) {
        std::snprintf(name, sizeof name, "paint%d", i);
        loadAssetFrom(failureShown, t.styleImages[i], name, pictures + "WorkData/Styles/", cache, readGreyJgi,
                      writeGreyJgi);
        std::snprintf(name, sizeof name, "bump%d", i);
        loadAssetFrom(failureShown, t.textureImages[i], name, pictures + "WorkData/Textures/", cache, readGreyJgi,
                      writeGreyJgi);
    }
}

void loadStyleAndTextureImages(ShellState& s) {
    loadStyleAndTextureImagesFrom(s.tools, s.pictureFailureShown, s.paths.shared, s.paths.cache);
}

}  // namespace sc
