// SPDX-License-Identifier: GPL-3.0-or-later
// The palette's list files through the panel's buttons and across a
// restart: what is saved comes back with the selection on slot 0, and short
// or damaged files load what they hold without harm.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "app/undo.h"
#include "platform/dialogs.h"
#include "ui/palette_fixture.h"

namespace sc::testing {
namespace {

void addBrushes(BrushSettings& live, int count, int firstRed, const std::function<void()>& press) {
    for (int i = 0; i < count; ++i) {
        live.red = static_cast<std::uint8_t>(firstRed + 10 * i);
        press();
    }
}

TEST_F(PaletteTest, ASavedBrushListLoadsBackTheSamePresetsSelectingSlot0) {
    addBrushes(shell().tools.live, 3, 40, [this] { add(); });
    pickBrush(2);
    const std::string path = dir_.path("mine.pal");
    hl::plantFileChoice(path);
    saveList();
    ASSERT_EQ(readFileBytes(path).size(), kBrushPresetFileBytes);
    EXPECT_EQ(hl::shownFileChoices().back().filter, "Smudgecraft Palette (*.pal)");
    EXPECT_EQ(hl::shownFileChoices().back().defaultExtension, "pal");

    const BrushPresetList before = [this] {
        BrushPresetList copy;
        for (int i = 0; i < kBrushPresetSlots; ++i) {
            copy.slots[i].used = brushes().slots[i].used;
            copy.slots[i].settings = brushes().slots[i].settings;
        }
        return copy;
    }();
    // A cancelled chooser does nothing. It opened at the last chosen path,
    // as every chooser of the program does.
    loadList();
    EXPECT_EQ(brushes().selected, 2);
    EXPECT_EQ(hl::shownFileChoices().back().startPath, path);

    hl::plantAnswer(platform::Answer::Yes);
    remove();
    addBrushes(shell().tools.live, 2, 200, [this] { add(); });
    hl::plantFileChoice(path);
    loadList();
    EXPECT_TRUE(springsBack());
    EXPECT_EQ(brushes().selected, 0);
    for (int i = 0; i < kBrushPresetSlots; ++i) {
        ASSERT_EQ(brushes().slots[i].used, before.slots[i].used) << i;
        if (!before.slots[i].used) continue;
        EXPECT_EQ(brushes().slots[i].settings.red, before.slots[i].settings.red) << i;
        EXPECT_EQ(brushes().slots[i].thumbnail.width(), 30u);
    }
    EXPECT_EQ(shell().tools.live.red, before.slots[0].settings.red);
}

TEST_F(PaletteTest, ASavedStrokeListLoadsBackSelectingSlot0) {
    strokesTab();
    add();
    checkBox(1);
    slide(170, 69, 195);
    add();
    const std::string path = dir_.path("mine.stk");
    hl::plantFileChoice(path);
    saveList();
    ASSERT_EQ(readFileBytes(path).size(), kStrokePresetFileBytes);
    EXPECT_EQ(hl::shownFileChoices().back().filter, "Smudgecraft Strokes (*.stk)");

    pickStroke(1);
    hl::plantAnswer(platform::Answer::Yes);
    remove();
    ASSERT_EQ(strokes().slots[2].used, 0);
    hl::plantFileChoice(path);
    loadList();
    EXPECT_EQ(strokes().selected, 0);
    EXPECT_EQ(strokes().slots[2].used, 1);
    EXPECT_EQ(strokes().slots[1].dynamics.fadeSize, 1);
    EXPECT_EQ(strokes().slots[1].dynamics.fadeSizeLength, 25.0f);
    EXPECT_EQ(shell().tools.dynamics.fadeSize, 0) << "the default stroke is live again";
}

TEST_F(PaletteTest, ListsAreWrittenAtExitAndReadAtTheNextStart) {
    addBrushes(shell().tools.live, 2, 90, [this] { add(); });
    strokesTab();
    add();
    checkBox(2);
    shell().tools.live.size = 55;
    restart();
    EXPECT_EQ(brushes().slots[2].used, 1);
    EXPECT_EQ(brushes().slots[2].settings.red, 100);
    EXPECT_EQ(brushes().slots[3].used, 0);
    EXPECT_EQ(brushes().selected, 0);
    EXPECT_EQ(strokes().slots[1].dynamics.pulse, 1);
    EXPECT_EQ(strokes().selected, 0);
    EXPECT_EQ(shell().tools.live.size, 30) << "the first brush size after a start is 30";
    EXPECT_EQ(panel().page, kBrushesPage);
}

TEST_F(PaletteTest, ShortAndDamagedListFilesLoadWhatTheyHold) {
    addBrushes(shell().tools.live, 2, 60, [this] { add(); });
    const std::string full = dir_.path("full.pal");
    hl::plantFileChoice(full);
    saveList();
    // Two whole records of a list in which slot 0 is red 7.
    std::string bytes = readFileBytes(full);
    bytes[36] = 7;
    writeFileBytes(dir_.path("short.pal"), bytes.substr(0, 2 * kPresetRecordBytes));
    hl::plantFileChoice(dir_.path("short.pal"));
    loadList();
    EXPECT_EQ(brushes().slots[0].settings.red, 7);
    EXPECT_EQ(brushes().slots[2].used, 1) << "records the file does not reach stay";
    EXPECT_EQ(brushes().slots[2].settings.red, 70);

    // Noise: whatever it says, the live settings stay usable.
    std::string noise(3000, '\0');
    std::uint32_t x = 12345;
    for (char& c : noise) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 16);
    }
    writeFileBytes(dir_.path("noise.pal"), noise);
    writeFileBytes(dir_.path("noise.stk"), noise);
    hl::plantFileChoice(dir_.path("noise.pal"));
    loadList();
    const BrushSettings& live = shell().tools.live;
    EXPECT_GE(live.size, 1);
    EXPECT_LE(live.size, 100);
    EXPECT_LT(live.paintStyle, kStyleCount);
    EXPECT_LT(live.texture, kTextureCount);
    strokesTab();
    hl::plantFileChoice(dir_.path("noise.stk"));
    loadList();
    EXPECT_EQ(strokes().selected, 0);
    // An empty file changes nothing.
    writeFileBytes(dir_.path("empty.stk"), "");
    const std::uint8_t used1 = strokes().slots[1].used;
    hl::plantFileChoice(dir_.path("empty.stk"));
    loadList();
    EXPECT_EQ(strokes().slots[1].used, used1);

    // Values that are not numbers leave the page's buttons working.
    StrokePresetList odd;
    odd.slots[0].used = 1;
    odd.slots[0].dynamics.pulse = 1;
    odd.slots[0].dynamics.pulsePhase = std::numeric_limits<float>::quiet_NaN();
    ASSERT_TRUE(writeStrokePresetFile(dir_.path("nan.stk"), odd));
    hl::plantFileChoice(dir_.path("nan.stk"));
    loadList();
    ASSERT_TRUE(std::isnan(panel().sliders[2].value));
    add();
    EXPECT_EQ(strokes().selected, 1);

    // The program goes on: a stroke on the canvas and both pages still draw.
    pressNow(100, 100);
    move(140, 120);
    passes(3);
    release(140, 120);
    passes(2);
    brushesTab();
    EXPECT_EQ(panel().page, kBrushesPage);
}

}  // namespace
}  // namespace sc::testing
