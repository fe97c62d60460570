#include "app/presets.h"

#include <algorithm>
#include <filesystem>

#include "app/run_paths.h"
#include "app/shell_state.h"
#include "engine/surface.h"
#include "platform/dialogs.h"
#include "platform/windows.h"
#include "tools/tool_state.h"

namespace sc {

StrokePageControls strokePageControls;

namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

BrushPresetList& brushes() { return shell().brushPresets; }
StrokePresetList& strokes() { return shell().strokePresets; }

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

void provideStartingLists() {
    std::error_code ec;
    const std::string palette = userFile(kPaletteFile);
    BrushPresetList startingBrushes;
    if (!std::filesystem::exists(std::filesystem::symlink_status(palette, ec)) &&
        readBrushPresetFile(sharedFile(kStartingPaletteFile), startingBrushes)) {
        writeBrushPresetFile(palette, startingBrushes);
    }
    const std::string strokesPath = userFile(kStrokesFile);
    StrokePresetList startingStrokes;
    if (!std::filesystem::exists(std::filesystem::symlink_status(strokesPath, ec)) &&
        readStrokePresetFile(sharedFile(kStartingStrokesFile), startingStrokes)) {
        writeStrokePresetFile(strokesPath, startingStrokes);
    }
}

BrushSettings settingsForLive(const BrushSettings& stored) {
    BrushSettings s = stored;
    s.size = std::clamp(s.size, 1, 100);
    s.paintStyle = std::min<std::uint8_t>(s.paintStyle, kStyleCount - 1);
    s.texture = std::min<std::uint8_t>(s.texture, kTextureCount - 1);
    return s;
}

void loadBrushPresets(const std::string& path) {
    BrushPresetList& list = brushes();
    if (!readBrushPresetFile(path, list)) addBrushPreset();
    list.selected = 0;
    rebuildBrushThumbnails();
    ToolState& t = toolState();
    t.live = settingsForLive(list.slots[0].settings);
    t.mask.built = false;
    shell().colourChanged = true;
}

bool saveBrushPresets(const std::string& path) { return writeBrushPresetFile(path, brushes()); }

void addBrushPreset() {
    BrushPresetList& list = brushes();
    const int slot = lowestFreeSlot(list.slots);
    if (slot < 0) {
        platform::messageBox(platform::kNoWindow, "Warning", kBrushListFullText, Buttons::Ok, Icon::Exclamation);
        return;
    }
    list.slots[slot].used = 1;
    list.slots[slot].settings = toolState().live;
    renderBrushThumbnail(slot);
    list.selected = slot;
}

void deleteBrushPreset(int index) {
    BrushPresetList& list = brushes();
    if (!inRange(index, kBrushPresetSlots) || !list.slots[index].used) return;
    if (platform::messageBox(platform::kNoWindow, "Delete Brush", kDeleteBrushText, Buttons::YesNo,
                             Icon::Exclamation) != Answer::Yes) {
        return;
    }
    list.slots[index].used = 0;
    for (int j = index; j < kBrushPresetSlots - 1; ++j) shiftInto(list.slots[j], list.slots[j + 1], &BrushPreset::settings);
    BrushPreset& last = list.slots[kBrushPresetSlots - 1];
    last.thumbnail.release();
    last.used = 0;
    if (inRange(list.selected, kBrushPresetSlots) && !list.slots[list.selected].used) --list.selected;
}

void drawBrushPresets(Surface& target) {
    const BrushPresetList& list = brushes();
    for (int i = 0; i < kBrushPresetSlots; ++i) {
        if (list.slots[i].used) list.slots[i].thumbnail.blitToSurface(5 + 30 * (i % 9), 19 + 30 * (i / 9), target);
    }
}

void rebuildBrushThumbnails() {
    BrushPresetList& list = brushes();
    for (int i = 0; i < kBrushPresetSlots; ++i) {
        list.slots[i].thumbnail.release();
        if (list.slots[i].used) renderBrushThumbnail(i);
    }
}

void loadStrokePresets(const std::string& path) {
    StrokePresetList& list = strokes();
    if (readStrokePresetFile(path, list)) {
        list.selected = 0;
    } else {
        addStrokePreset(StrokeDynamics{});
    }
    rebuildStrokeThumbnails();
}

bool saveStrokePresets(const std::string& path) { return writeStrokePresetFile(path, strokes()); }

void addStrokePreset(const StrokeDynamics& stroke) {
    StrokePresetList& list = strokes();
    const int slot = lowestFreeSlot(list.slots);
    if (slot < 0) {
        platform::messageBox(platform::kNoWindow, "Warning", kStrokeListFullText, Buttons::Ok, Icon::Exclamation);
        return;
    }
    list.slots[slot].used = 1;
    list.slots[slot].dynamics = stroke;
    renderStrokeThumbnail(slot);
    list.selected = slot;
    showSelectedStroke();
    storeSelectedStroke();
}

void deleteStrokePreset(int index) {
    StrokePresetList& list = strokes();
    // The default stroke in slot 0 is never deleted.
    if (list.selected == 0) return;
    if (!inRange(index, kStrokePresetSlots) || !list.slots[index].used) return;
    if (platform::messageBox(platform::kNoWindow, "Delete Stroke", kDeleteStrokeText, Buttons::YesNo,
                             Icon::Exclamation) != Answer::Yes) {
        return;
    }
    list.slots[index].used = 0;
    for (int j = index; j < kStrokePresetSlots - 1; ++j) shiftInto(list.slots[j], list.slots[j + 1], &StrokePreset::dynamics);
    StrokePreset& last = list.slots[kStrokePresetSlots - 1];
    last.thumbnail.release();
    last.used = 0;
    if (inRange(list.selected, kStrokePresetSlots) && !list.slots[list.selected].used) --list.selected;
    showSelectedStroke();
    storeSelectedStroke();
}

void drawStrokePresets(Surface& target) {
    const StrokePresetList& list = strokes();
    for (int i = 0; i < kStrokePresetSlots; ++i) {
        if (list.slots[i].used) list.slots[i].thumbnail.blitToSurface(5, 19 + 15 * i, target);
    }
}

void rebuildStrokeThumbnails() {
    StrokePresetList& list = strokes();
    for (int i = 0; i < kStrokePresetSlots; ++i) {
        list.slots[i].thumbnail.release();
        if (list.slots[i].used) renderStrokeThumbnail(i);
    }
}

void showSelectedStroke() {
    const StrokePresetList& list = strokes();
    if (!inRange(list.selected, kStrokePresetSlots)) return;
    if (strokePageControls.show) strokePageControls.show(list.slots[list.selected].dynamics);
}

void storeSelectedStroke() {
    StrokePresetList& list = strokes();
    if (!inRange(list.selected, kStrokePresetSlots)) return;
    StrokeDynamics& stroke = list.slots[list.selected].dynamics;
    if (list.selected != 0 && strokePageControls.read) strokePageControls.read(stroke);
    if (strokePageControls.followSwitches) strokePageControls.followSwitches(stroke);
    toolState().dynamics = stroke;
    renderStrokeThumbnail(list.selected);
}

}  // namespace sc
