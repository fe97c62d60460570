// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "app/file_fixture.h"
#include "app/presets.h"
#include "engine/surface.h"
#include "platform/dialogs.h"

namespace sc {
namespace {

using platform::Answer;
using platform::Icon;
using testing::TempDir;
using testing::writeFileBytes;

class PresetsTest : public testing::FileOperationTest {
protected:
    void SetUp() override {
        FileOperationTest::SetUp();
        ShellState& s = shell();
        for (auto& slot : s.brushPresets.slots) {
            slot.used = 0;
            slot.settings = {};
            slot.thumbnail.release();
        }
        for (auto& slot : s.strokePresets.slots) {
            slot.used = 0;
            slot.dynamics = {};
            slot.thumbnail.release();
        }
        s.brushPresets.selected = 0;
        s.strokePresets.selected = 0;
        shell().tools.dynamics = {};
    }
    BrushPresetList& brushes() { return shell().brushPresets; }
    StrokePresetList& strokes() { return shell().strokePresets; }

    // Adds presets whose colours differ, so their thumbnails differ too.
    void addBrushes(int count) {
        for (int i = 0; i < count; ++i) {
            shell().tools.live.red = static_cast<std::uint8_t>(40 * i);
            shell().tools.live.tool = kToolTubePaint;
            addBrushPreset(shell());
        }
    }
};

TEST_F(PresetsTest, AMissingPaletteFileGivesOnePresetOfTheLiveSettings) {
    TempDir dir;
    shell().tools.live.green = 123;
    loadBrushPresets(shell(), dir.path("palette.dat"));
    EXPECT_EQ(brushes().slots[0].used, 1);
    EXPECT_EQ(brushes().slots[0].settings.green, 123);
    EXPECT_EQ(brushes().slots[1].used, 0);
    EXPECT_EQ(brushes().selected, 0);
    EXPECT_EQ(brushes().slots[0].thumbnail.width(), 30u);
    EXPECT_EQ(shell().tools.live.green, 123);
    EXPECT_TRUE(shell().colourChanged);
}

TEST_F(PresetsTest, AZeroFileEmptiesTheListAndKeepsTheLiveSizeUsable) {
    TempDir dir;
    writeFileBytes(dir.path("palette.dat"), std::string(2704, '\0'));
    brushes().selected = 7;
    loadBrushPresets(shell(), dir.path("palette.dat"));
    for (const auto& slot : brushes().slots) EXPECT_EQ(slot.used, 0);
    EXPECT_EQ(brushes().selected, 0);
    const BrushSettings& live = shell().tools.live;
    EXPECT_EQ(live.red, 0);
    EXPECT_EQ(live.strength, 0.0f);
    EXPECT_EQ(live.tool, 0);
    EXPECT_EQ(live.size, 1) << "a stored size of 0 is clamped before it reaches the live settings";
}

// The lists a first start copies: a brush for every tool that paints or
// changes paint, usable as they are, and nine different strokes after the
// default one.
TEST_F(PresetsTest, TheStartingListsCoverTheToolsAndBeginWithTheDefaultStroke) {
    loadBrushPresets(shell(), SMUDGECRAFT_RUN_DIR "/presets/palette.dat");
    int used = 0;
    std::set<std::int32_t> tools;
    for (const BrushPreset& slot : brushes().slots) {
        if (!slot.used) break;
        ++used;
        tools.insert(slot.settings.tool);
        const BrushSettings live = settingsForLive(slot.settings);
        EXPECT_EQ(std::memcmp(&slot.settings, &live, sizeof(BrushSettings)), 0) << "in range as stored: " << used;
    }
    EXPECT_GE(used, 18);
    for (int i = used; i < kBrushPresetSlots; ++i) EXPECT_FALSE(brushes().slots[i].used);
    for (const std::int32_t tool : {0, 1, 2, 5, 6, 9, 10, 11, 13, 14, 15, 16, 17, 18})
        EXPECT_TRUE(tools.count(tool)) << tool;

    loadStrokePresets(shell(), SMUDGECRAFT_RUN_DIR "/presets/strokes.dat");
    const StrokeDynamics defaultStroke{};
    EXPECT_EQ(std::memcmp(&strokes().slots[0].dynamics, &defaultStroke, sizeof(StrokeDynamics)), 0);
    for (std::size_t i = 0; i < strokes().slots.size(); ++i) {
        ASSERT_TRUE(strokes().slots[i].used) << i;
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_NE(std::memcmp(&strokes().slots[i].dynamics, &strokes().slots[j].dynamics, sizeof(StrokeDynamics)),
                      0)
                << i << " repeats " << j;
        }
    }
}

TEST_F(PresetsTest, StoredSettingsOutsideTheirRangesAreClampedForTheLiveSettings) {
    BrushSettings wild;
    wild.size = 5000;
    wild.paintStyle = 200;
    wild.texture = 18;
    const BrushSettings live = settingsForLive(wild);
    EXPECT_EQ(live.size, 100);
    EXPECT_EQ(live.paintStyle, 17);
    EXPECT_EQ(live.texture, 17);
    wild.size = -3;
    EXPECT_EQ(settingsForLive(wild).size, 1);
}

TEST_F(PresetsTest, FullListsWarnAndChangeNothing) {
    addBrushes(45);
    EXPECT_TRUE(messages().empty());
    addBrushPreset(shell());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].caption, "Warning");
    EXPECT_EQ(messages()[0].text, "List has reached maximum limit! Try deleting a brush first.");
    EXPECT_EQ(messages()[0].icon, Icon::Exclamation);
    EXPECT_EQ(brushes().selected, 44);

    for (int i = 0; i < 10; ++i) addStrokePreset(shell(), StrokeDynamics{});
    addStrokePreset(shell(), StrokeDynamics{});
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].text, "List has reached maximum limit! Try deleting a stroke first.");
    EXPECT_EQ(strokes().selected, 9);
}

TEST_F(PresetsTest, DeletingCloseTheGapWithThePictures) {
    addBrushes(5);
    const std::uint32_t pictureOf3 = brushes().slots[3].thumbnail.getPixel(15, 15);
    const std::uint32_t pictureOf4 = brushes().slots[4].thumbnail.getPixel(15, 15);
    ASSERT_NE(pictureOf3, pictureOf4);

    deleteBrushPreset(shell(), 2);  // no answer planted: the box is closed without a choice
    EXPECT_EQ(brushes().slots[2].settings.red, 80) << "only Yes deletes";
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].caption, "Delete Brush");
    EXPECT_EQ(messages()[0].text, "Are you sure you'd like to delete this brush?");

    platform::headless::plantAnswer(Answer::Yes);
    deleteBrushPreset(shell(), 2);
    EXPECT_EQ(brushes().slots[2].settings.red, 120);
    EXPECT_EQ(brushes().slots[3].settings.red, 160);
    EXPECT_EQ(brushes().slots[2].thumbnail.getPixel(15, 15), pictureOf3);
    EXPECT_EQ(brushes().slots[3].thumbnail.getPixel(15, 15), pictureOf4);
    EXPECT_EQ(brushes().slots[4].used, 0);
    EXPECT_EQ(brushes().selected, 3) << "selected slot 4 became free";
}

TEST_F(PresetsTest, DeletingTheOnlyBrushLeavesNoSelection) {
    addBrushes(1);
    platform::headless::plantAnswer(Answer::Yes);
    deleteBrushPreset(shell(), 0);
    EXPECT_EQ(brushes().selected, -1);
    platform::headless::clearShownMessages();
    deleteBrushPreset(shell(), brushes().selected);
    EXPECT_TRUE(messages().empty()) << "nothing to delete, nothing asked";
}

TEST_F(PresetsTest, TheDefaultStrokeIsNeverDeleted) {
    addStrokePreset(shell(), StrokeDynamics{});
    StrokeDynamics pulse;
    pulse.pulse = 1;
    addStrokePreset(shell(), pulse);
    strokes().selected = 0;
    platform::headless::clearShownMessages();
    deleteStrokePreset(shell(), 1);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(strokes().slots[1].used, 1);

    strokes().selected = 1;
    platform::headless::plantAnswer(Answer::Yes);
    deleteStrokePreset(shell(), 1);
    EXPECT_EQ(messages().back().caption, "Delete Stroke");
    EXPECT_EQ(strokes().slots[1].used, 0);
    EXPECT_EQ(strokes().selected, 0);
    EXPECT_EQ(shell().tools.dynamics.pulse, 0) << "the selected stroke is live";
}

TEST_F(PresetsTest, ThumbnailsClampHardnessSetTheOffsetsAndRestoreTheLiveSettings) {
    shell().tools.live.hardness = 150;
    shell().tools.live.paintStyle = 2;
    shell().tools.live.texture = 3;
    shell().tools.live.red = 9;
    const BrushSettings before = shell().tools.live;
    addBrushPreset(shell());
    EXPECT_EQ(brushes().slots[0].settings.hardness, 100);
    EXPECT_EQ(shell().tools.styleOffset.x, 60.0f);
    EXPECT_EQ(shell().tools.styleOffset.y, 60.0f);
    EXPECT_EQ(shell().tools.textureOffset.x, 60.0f);
    EXPECT_EQ(shell().tools.textureOffset.y, 60.0f);
    EXPECT_EQ(std::memcmp(&shell().tools.live, &before, sizeof before), 0);
    const Surface& t = brushes().slots[0].thumbnail;
    EXPECT_EQ(t.bytesPerPixel(), 3);
    EXPECT_EQ(t.getPixel(0, 17), 0u);
    EXPECT_EQ(t.getPixel(29, 29), 0u);

    shell().tools.live.texture = 0;
    addBrushPreset(shell());
    EXPECT_EQ(shell().tools.textureOffset.x, 0.0f);

    addStrokePreset(shell(), StrokeDynamics{});
    const Surface& s = strokes().slots[0].thumbnail;
    EXPECT_EQ(s.width(), 132u);
    EXPECT_EQ(s.height(), 15u);
    EXPECT_EQ(s.getPixel(131, 7), 0u);
    EXPECT_NE(s.getPixel(60, 7), packColour(255, 255, 255)) << "the sample stroke is painted";
    EXPECT_EQ(std::memcmp(&shell().tools.live.red, &before.red, 1), 0);
}

TEST_F(PresetsTest, ThumbnailGroundsAreMadeWithStyleImage1WhateverTheStyle) {
    ToolState& t = shell().tools;
    // Style image 1 light, every other one dark: the ground shows which.
    for (std::size_t i = 0; i < kStyleCount; ++i) {
        t.styleImages[i].create32(4, 4);
        for (std::uint32_t y = 0; y < 4; ++y) {
            for (std::uint32_t x = 0; x < 4; ++x) {
                const std::uint8_t v = i == 1 ? 200 : 10;
                t.styleImages[i].setPixel(x, y, v, v, v);
            }
        }
    }
    auto pixels = [](const Surface& picture) {
        std::vector<std::uint32_t> out;
        for (std::uint32_t y = 0; y < picture.height(); ++y) {
            for (std::uint32_t x = 0; x < picture.width(); ++x) out.push_back(picture.getPixel(x, y));
        }
        return out;
    };
    std::uint32_t ground[2];
    std::vector<std::uint32_t> strokeSample[2];
    for (const int style : {1, 5}) {
        t.live = BrushSettings{};
        t.live.tool = kToolEraser;  // a tool that works on a painted ground
        t.live.paintStyle = static_cast<std::uint8_t>(style);
        addBrushPreset(shell());
        addStrokePreset(shell(), StrokeDynamics{});
        const int slot = style == 1 ? 0 : 1;
        // A corner the dab does not reach.
        ground[slot] = brushes().slots[slot].thumbnail.getPixel(2, 2);
        strokeSample[slot] = pixels(strokes().slots[slot].thumbnail);
    }
    EXPECT_EQ(ground[1], ground[0]);
    EXPECT_EQ(strokeSample[1], strokeSample[0]);
    for (Surface& image : t.styleImages) image.release();
}

TEST_F(PresetsTest, SevenPresetsSurviveSaveAndLoad) {
    TempDir dir;
    addBrushes(7);
    brushes().selected = 4;
    ASSERT_TRUE(saveBrushPresets(shell(), dir.path("my.pal")));
    SetUp();
    loadBrushPresets(shell(), dir.path("my.pal"));
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(brushes().slots[i].used, 1);
        EXPECT_EQ(brushes().slots[i].settings.red, 40 * i);
        EXPECT_TRUE(brushes().slots[i].thumbnail.valid());
    }
    EXPECT_EQ(brushes().slots[7].used, 0);
    EXPECT_EQ(brushes().selected, 0);
    EXPECT_EQ(shell().tools.live.red, 0);
}

}  // namespace
}  // namespace sc
