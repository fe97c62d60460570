// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/painting_io.h"

#include <filesystem>
#include <functional>
#include <system_error>

#include "app/painting.h"
#include "app/layers.h"
#include "app/undo.h"
#include "engine/canvas.h"
#include "engine/layer.h"
#include "formats/data_file.h"
#include "formats/painting_file.h"
#include "formats/raw_layers_file.h"
#include "platform/dialogs.h"
#include "platform/windows.h"

namespace sc {

namespace {

// A painting read whole replaces the present one.
void takeLoaded(Painting& p, Canvas& fresh, std::vector<Layer>&& layers, std::size_t active) {
    Canvas& document = p.document;
    document.swapCells(fresh);
    replaceLayers(p, std::move(layers), active);
    document.invalidate();
    // Another painting: the history starts again (Undo still returns to the old one).
    p.history.clear();
}

}  // namespace

bool savePainting(const Painting& p, const std::string& path) {
    // One layer (the document's cells, or the stack of a lone layer) is a
    // version 2 file as it always was.
    if (p.layers.layers.size() >= 2) {
        return writeLayeredPaintingFile(path, p.document.width, p.document.height, p.layers.layers, p.layers.active);
    }
    return writePaintingFile(path, p.document);
}

std::string paintingFilePath(const std::string& path) {
    if (path.empty()) return path;
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.string();
}

namespace {

// Reads a painting file into a fresh canvas and layers, from its opened file.
using PaintingReader = std::function<PaintingLoadResult(DataFile&, Canvas&, std::vector<Layer>&, std::size_t&)>;

// Opens the file, keeps the painting for Undo and reads the file with `read`.
// What was read is swapped in only when complete, so a damaged file never
// costs the user the painting; each failure says so in its box.
bool readIntoPainting(Painting& p, const ToolState& tools, const std::string& path, platform::WindowId owner,
                      const PaintingReader& read) {
    using platform::Buttons;
    using platform::Icon;
    DataFile file;
    if (!file.open(path, DataFile::kRead)) {
        platform::messageBox(platform::kNoWindow, "Error", kCannotOpenText, Buttons::Ok, Icon::None);
        return false;
    }
    // From here Undo returns to the painting as it was, whatever the file holds.
    takeUndoSnapshot(p, tools, true);
    Canvas fresh;
    std::vector<Layer> layers;
    std::size_t active = 0;
    const PaintingLoadResult result = read(file, fresh, layers, active);
    file.close();
    switch (result) {
        case PaintingLoadResult::kOk: break;
        case PaintingLoadResult::kBadMagic:
        case PaintingLoadResult::kDamaged:
            platform::messageBox(owner, "Error", kNotAPaintingText, Buttons::Ok, Icon::Exclamation);
            return false;
        case PaintingLoadResult::kLaterVersion:
            platform::messageBox(platform::kNoWindow, "Error", kLaterVersionText, Buttons::Ok, Icon::None);
            return false;
        case PaintingLoadResult::kVersion3:
        case PaintingLoadResult::kCannotOpen: return false;
    }
    takeLoaded(p, fresh, std::move(layers), active);
    return true;
}

}  // namespace

bool loadPainting(Painting& p, const ToolState& tools, const std::string& path, std::uint32_t* version,
                  platform::WindowId owner) {
    const bool loaded =
        readIntoPainting(p, tools, path, owner,
                         [version](DataFile& file, Canvas& fresh, std::vector<Layer>& layers, std::size_t& active) {
                             return readPaintingFile(file, fresh, version, &layers, &active);
                         });
    if (loaded) p.fileName = paintingFilePath(path);
    return loaded;
}

bool loadAutosavedPainting(Painting& p, const ToolState& tools, const std::string& path, platform::WindowId owner) {
    if (!isRawLayersFile(path)) return loadPainting(p, tools, path, nullptr, owner);
    const bool loaded = readIntoPainting(p, tools, path, owner, &readRawLayersFile);
    if (loaded) p.fileName.clear();
    return loaded;
}

}  // namespace sc
