// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/presets.h"

#include <algorithm>
#include <filesystem>

#include "app/shell_state.h"
#include "engine/surface.h"
#include "platform/dialogs.h"
#include "platform/windows.h"
#include "tools/tool_state.h"

namespace sc {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

template <typename Slots>
int lowestFreeSlot(const Slots& slots) {
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (!slots[i].used) return static_cast<int>(i);
    }
    return -1;
}

bool inRange(int index, int slots) { return index >= 0 && index < slots; }

// Slot `to` takes the used flag, the record and, when used, the picture of
// slot `from` (the deleted slot's neighbours close the gap).
template <typename Preset, typename Record>
void shiftInto(Preset& to, const Preset& from, Record Preset::*record) {
    to.used = from.used;
    to.*record = from.*record;
    if (!from.used || !from.thumbnail.valid()) return;
    if (!to.thumbnail.valid() || to.thumbnail.width() != from.thumbnail.width() ||
        to.thumbnail.height() != from.thumbnail.height()) {
        to.thumbnail.create(from.thumbnail.width(), from.thumbnail.height(), false);
    }
    from.thumbnail.blitToSurface(0, 0, to.thumbnail);
}

}  // namespace

void provideStartingLists(const RunPaths& paths) {
    std::error_code ec;
    const std::string palette = paths.userFile(kPaletteFile);
    BrushPresetList startingBrushes;
    if (!std::filesystem::exists(std::filesystem::symlink_status(palette, ec)) &&
        readBrushPresetFile(paths.sharedFile(kStartingPaletteFile), startingBrushes)) {
        writeBrushPresetFile(palette, startingBrushes);
    }
    const std::string strokesPath = paths.userFile(kStrokesFile);
    StrokePresetList startingStrokes;
    if (!std::filesystem::exists(std::filesystem::symlink_status(strokesPath, ec)) &&
        readStrokePresetFile(paths.sharedFile(kStartingStrokesFile), startingStrokes)) {
        writeStrokePresetFile(strokesPath, startingStrokes);
    }
}

BrushSettings settingsForLive(const BrushSettings& stored) {
    BrushSettings b = stored;
    b.size = std::clamp(b.size, 1, 100);
    b.paintStyle = std::min<std::uint8_t>(b.paintStyle, kStyleCount - 1);
    b.texture = std::min<std::uint8_t>(b.texture, kTextureCount - 1);
    return b;
}

void loadBrushPresets(ShellState& s, const std::string& path) {
    BrushPresetList& list = s.brushPresets;
    if (!readBrushPresetFile(path, list)) addBrushPreset(s);
    list.selected = 0;
    rebuildBrushThumbnails(s);
    ToolState& t = s.tools;
    t.live = settingsForLive(list.slots[0].settings);
    t.mask.built = false;
    s.colourChanged = true;
}

bool saveBrushPresets(const ShellState& s, const std::string& path) {
    return writeBrushPresetFile(path, s.brushPresets);
}

void addBrushPreset(ShellState& s) {
    BrushPresetList& list = s.brushPresets;
    const int slot = lowestFreeSlot(list.slots);
    if (slot < 0) {
        platform::messageBox(platform::kNoWindow, "Warning", kBrushListFullText, Buttons::Ok, Icon::Exclamation);
        return;
    }
    list.slots[slot].used = 1;
    list.slots[slot].settings = s.tools.live;
    renderBrushThumbnail(s, slot);
    list.selected = slot;
}

void deleteBrushPreset(ShellState& s, int index) {
    BrushPresetList& list = s.brushPresets;
    if (!inRange(index, kBrushPresetSlots) || !list.slots[index].used) return;
    if (platform::messageBox(platform::kNoWindow, "Delete Brush", kDeleteBrushText, Buttons::YesNo,
                             Icon::Exclamation) != Answer::Yes) {
        return;
    }
    list.slots[index].used = 0;
    for (int j = index; j < kBrushPresetSlots - 1; ++j)
        shiftInto(list.slots[j], list.slots[j + 1], &BrushPreset::settings);
    BrushPreset& last = list.slots[kBrushPresetSlots - 1];
    last.thumbnail.release();
    last.used = 0;
    if (inRange(list.selected, kBrushPresetSlots) && !list.slots[list.selected].used) --list.selected;
}

void drawBrushPresets(const ShellState& s, Surface& target) {
    const BrushPresetList& list = s.brushPresets;
    for (int i = 0; i < kBrushPresetSlots; ++i) {
        if (list.slots[i].used) list.slots[i].thumbnail.blitToSurface(5 + 30 * (i % 9), 19 + 30 * (i / 9), target);
    }
}

void rebuildBrushThumbnails(ShellState& s) {
    BrushPresetList& list = s.brushPresets;
    for (int i = 0; i < kBrushPresetSlots; ++i) {
        list.slots[i].thumbnail.release();
        if (list.slots[i].used) renderBrushThumbnail(s, i);
    }
}

void loadStrokePresets(ShellState& s, const std::string& path) {
    StrokePresetList& list = s.strokePresets;
    if (readStrokePresetFile(path, list)) {
        list.selected = 0;
    } else {
        addStrokePreset(s, StrokeDynamics{});
    }
    rebuildStrokeThumbnails(s);
}

bool saveStrokePresets(const ShellState& s, const std::string& path) {
    return writeStrokePresetFile(path, s.strokePresets);
}

bool addStrokePreset(ShellState& s, const StrokeDynamics& stroke) {
    StrokePresetList& list = s.strokePresets;
    const int slot = lowestFreeSlot(list.slots);
    if (slot < 0) {
        platform::messageBox(platform::kNoWindow, "Warning", kStrokeListFullText, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    list.slots[slot].used = 1;
    list.slots[slot].dynamics = stroke;
    renderStrokeThumbnail(s, slot);
    list.selected = slot;
    useSelectedStroke(s);
    return true;
}

bool deleteStrokePreset(ShellState& s, int index) {
    StrokePresetList& list = s.strokePresets;
    // The default stroke in slot 0 is never deleted.
    if (list.selected == 0) return false;
    if (!inRange(index, kStrokePresetSlots) || !list.slots[index].used) return false;
    if (platform::messageBox(platform::kNoWindow, "Delete Stroke", kDeleteStrokeText, Buttons::YesNo,
                             Icon::Exclamation) != Answer::Yes) {
        return false;
    }
    list.slots[index].used = 0;
    for (int j = index; j < kStrokePresetSlots - 1; ++j)
        shiftInto(list.slots[j], list.slots[j + 1], &StrokePreset::dynamics);
    StrokePreset& last = list.slots[kStrokePresetSlots - 1];
    last.thumbnail.release();
    last.used = 0;
    if (inRange(list.selected, kStrokePresetSlots) && !list.slots[list.selected].used) --list.selected;
    useSelectedStroke(s);
    return true;
}

void drawStrokePresets(const ShellState& s, Surface& target) {
    const StrokePresetList& list = s.strokePresets;
    for (int i = 0; i < kStrokePresetSlots; ++i) {
        if (list.slots[i].used) list.slots[i].thumbnail.blitToSurface(5, 19 + 15 * i, target);
    }
}

void rebuildStrokeThumbnails(ShellState& s) {
    StrokePresetList& list = s.strokePresets;
    for (int i = 0; i < kStrokePresetSlots; ++i) {
        list.slots[i].thumbnail.release();
        if (list.slots[i].used) renderStrokeThumbnail(s, i);
    }
}

void useSelectedStroke(ShellState& s) {
    const StrokePresetList& list = s.strokePresets;
    if (!inRange(list.selected, kStrokePresetSlots)) return;
    s.tools.dynamics = list.slots[list.selected].dynamics;
    renderStrokeThumbnail(s, list.selected);
}

}  // namespace sc
