// SPDX-License-Identifier: GPL-3.0-or-later
// The sample pictures of the preset lists: a dab of each brush preset and a
// stroke of each stroke preset, painted with the tools on scratch canvases.
#include "app/presets.h"
#include "app/shell_state.h"
#include "engine/canvas.h"
#include "engine/numeric.h"
#include "engine/renderer.h"
#include "tools/brush_mask.h"
#include "tools/tool_state.h"
#include "tools/tools.h"

namespace sc {
namespace {

constexpr std::uint8_t kHardnessLimit = 100;

bool paintsOnPaint(std::int32_t tool, bool fingerToo) {
    switch (tool) {
        case kToolEraser:
        case kToolSponge:
        case kToolBrighten:
        case kToolDarken:
        case kToolShine:
        case kToolMatte:
        case kToolRaise:
        case kToolLower: return true;
        case kToolFinger: return fingerToo;
        default: return false;
    }
}

// Grounds the scratch canvas with paint of the live colour, for the tools
// that work on paint already there. The ground's grain is style image 1's
// whatever the style, as under the brush preview, so samples compare.
void groundWithPaint(Canvas& scratch, const ToolState& t) {
    scratch.fillWithPaint(t.live.red, t.live.green, t.live.blue, t.styleImages[1]);
}

// Copies the rendered sample into the thumbnail inside a 1-pixel black frame.
void copyFramed(const Canvas& scratch, Surface& thumbnail) {
    const std::uint32_t w = thumbnail.width(), h = thumbnail.height();
    for (std::uint32_t y = 0; y < h; ++y) {
        for (std::uint32_t x = 0; x < w; ++x) {
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
                thumbnail.setPixel(x, y, 0, 0, 0);
                continue;
            }
            const std::uint32_t c = scratch.surface.getPixel(x, y);
            thumbnail.setPixel(x, y, redOf(c), greenOf(c), blueOf(c));
        }
    }
}

}  // namespace

void renderBrushThumbnail(ShellState& s, int slot) {
    if (slot < 0 || slot >= kBrushPresetSlots) return;
    BrushPreset& preset = s.brushPresets.slots[slot];
    ToolState& t = s.tools;
    if (preset.settings.hardness > kHardnessLimit) preset.settings.hardness = kHardnessLimit;
    // The sample's grain position depends on the preset alone; the offsets
    // are not put back.
    const auto offset = static_cast<float>(preset.settings.paintStyle * 10 * preset.settings.texture);
    t.styleOffset = {offset, offset};
    t.textureOffset = {offset, offset};

    preset.thumbnail.create(kBrushThumbnailSide, kBrushThumbnailSide, false);
    Canvas scratch;
    scratch.allocate(kBrushThumbnailSide, kBrushThumbnailSide);
    scratch.lighting = true;

    const BrushSettings saved = t.live;
    t.live = settingsForLive(preset.settings);
    t.live.size = 20;
    strokeBegin(s.tools, scratch);
    if (paintsOnPaint(t.live.tool, true)) groundWithPaint(scratch, t);
    t.mask.built = false;
    for (int i = 0; i < 5; ++i) applyTool(s.tools, 15, 15, scratch);
    strokeEnd(s.tools, scratch);
    renderAll(scratch);
    t.live = saved;

    copyFramed(scratch, preset.thumbnail);
}

void renderStrokeThumbnail(ShellState& s, int slot) {
    if (slot < 0 || slot >= kStrokePresetSlots) return;
    StrokePresetList& list = s.strokePresets;
    StrokePreset& preset = list.slots[slot];
    ToolState& t = s.tools;

    preset.thumbnail.create(kStrokeThumbnailWidth, kStrokeThumbnailHeight, false);
    Canvas scratch;
    scratch.allocate(kStrokeThumbnailWidth, kStrokeThumbnailHeight);
    scratch.lighting = true;
    strokeBegin(s.tools, scratch);
    // The user's current tool decides the ground, before the sample brush is put in place.
    if (paintsOnPaint(t.live.tool, false)) groundWithPaint(scratch, t);

    const BrushSettings saved = t.live;
    BrushSettings sample;
    sample.red = sample.green = sample.blue = 0;
    sample.paintStyle = 0;
    sample.thickness = 0.0f;
    sample.tool = kToolTubePaint;
    sample.size = 10;
    sample.strength = 1.0f;
    sample.shine = 0;
    sample.texture = 0;
    sample.hardness = 0;
    sample.reserved = 0;
    t.live = sample;
    strokeBegin(s.tools, scratch);
    t.mask.built = false;
    buildMask(s.tools);
    t.dynamics = preset.dynamics;

    // step = (132 - size * 4/3) / 40 as a float; x = size * 0.8 + i * step, truncated.
    const auto step = static_cast<float>((132.0 - sample.size * 4.0 / 3.0) / 40.0);
    for (int i = 0; i < 40; ++i) {
        const double x = sample.size * static_cast<double>(0.8f) + i * static_cast<double>(step);
        strokeMove(s.tools, scratch, i, 0);
        applyTool(s.tools, truncToInt(x), 7, scratch);
    }
    strokeEnd(s.tools, scratch);
    renderAll(scratch);
    t.live = saved;
    t.mask.built = false;
    buildMask(s.tools);

    copyFramed(scratch, preset.thumbnail);
    if (list.selected >= 0 && list.selected < kStrokePresetSlots) t.dynamics = list.slots[list.selected].dynamics;
}

}  // namespace sc
