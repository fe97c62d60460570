// SPDX-License-Identifier: GPL-3.0-or-later
// The palette panel driven through posted messages: adding to the limits,
// deleting, picking, the default stroke, the tabs and the list buttons.
#include <gtest/gtest.h>

#include "app/undo.h"
#include "engine/numeric.h"
#include "platform/dialogs.h"
#include "ui/palette_fixture.h"
#include "ui/panel_controls.h"

namespace sc::testing {
namespace {

using platform::Answer;

// A pixel as the selection's half wash towards red leaves it.
std::uint32_t tinted(std::uint32_t c) {
    const double f = 128 * static_cast<double>(1.0f / 255.0f);
    const auto toward = [f](int v, int k) { return truncToByte((v - k) * f + k); };
    return packColour(toward(redOf(c), 255), toward(greenOf(c), 0), toward(blueOf(c), 0));
}

TEST_F(PaletteTest, ListsFillUpToTheirLimitsThenWarnAndButtonsSpringBack) {
    for (int i = 1; i < kBrushPresetSlots; ++i) {
        shell().tools.live.red = static_cast<std::uint8_t>(5 * i);
        add();
        ASSERT_TRUE(springsBack()) << "after add " << i;
    }
    EXPECT_EQ(brushes().slots[44].used, 1);
    EXPECT_EQ(brushes().slots[44].settings.red, 5 * 44);
    EXPECT_EQ(brushes().selected, 44);
    EXPECT_EQ(boxesShown(), 0u);
    // The warning takes the button's release (the panel never sees it): the
    // next plain move over a brush is no press.
    pressAt(260, 187);
    ASSERT_EQ(boxesShown(), 1u);
    EXPECT_EQ(hl::shownMessages()[0].caption, "Warning");
    EXPECT_EQ(hl::shownMessages()[0].text, kBrushListFullText);
    EXPECT_TRUE(springsBack());
    hl::postPointer(palette(), MessageKind::MouseMove, 20, 34);
    passes(2);
    EXPECT_EQ(brushes().selected, 44);

    strokesTab();
    ASSERT_EQ(panel().page, kStrokesPage);
    for (int i = 1; i < kStrokePresetSlots; ++i) add();
    EXPECT_EQ(strokes().slots[9].used, 1);
    EXPECT_EQ(strokes().selected, 9);
    EXPECT_EQ(boxesShown(), 1u);
    add();
    ASSERT_EQ(boxesShown(), 2u);
    EXPECT_EQ(hl::shownMessages()[1].text, kStrokeListFullText);
    EXPECT_TRUE(springsBack());

    // The tenth row is stroke 9; right of the list nothing is picked.
    pickStroke(0);
    EXPECT_EQ(strokes().selected, 0);
    pickStroke(9);
    EXPECT_EQ(strokes().selected, 9);
    clickAt(137, 26);
    EXPECT_EQ(strokes().selected, 9);
}

TEST_F(PaletteTest, DeletingAsksThenShiftsThePresetsWithTheirPictures) {
    for (int i = 1; i <= 4; ++i) {
        shell().tools.live.red = static_cast<std::uint8_t>(50 * i);
        shell().tools.live.tool = kToolTubePaint;
        add();
    }
    const std::uint32_t third = brushes().slots[3].thumbnail.getPixel(15, 15);
    const std::uint32_t fourth = brushes().slots[4].thumbnail.getPixel(15, 15);
    ASSERT_NE(third, fourth);
    pickBrush(2);
    ASSERT_EQ(brushes().selected, 2);

    hl::plantAnswer(Answer::No);
    remove();
    ASSERT_EQ(boxesShown(), 1u);
    EXPECT_EQ(hl::shownMessages()[0].caption, "Delete Brush");
    EXPECT_EQ(brushes().slots[2].settings.red, 100);

    hl::plantAnswer(Answer::Yes);
    remove();
    EXPECT_EQ(brushes().slots[2].settings.red, 150);
    EXPECT_EQ(brushes().slots[3].settings.red, 200);
    EXPECT_EQ(brushes().slots[2].thumbnail.getPixel(15, 15), third);
    EXPECT_EQ(brushes().slots[4].used, 0);
    EXPECT_EQ(shown(5 + 30 * 3 + 15, 19 + 15), fourth) << "the panel shows the shifted pictures";
    EXPECT_TRUE(springsBack());

    // Emptied, the list has no selection: no question, no tint.
    for (int n = 0; n < 10 && brushes().slots[0].used; ++n) {
        hl::plantAnswer(Answer::Yes);
        remove();
    }
    EXPECT_EQ(brushes().selected, -1);
    const std::size_t asked = boxesShown();
    remove();
    EXPECT_EQ(boxesShown(), asked);
    EXPECT_EQ(shown(2, 30), panel().background.getPixel(2, 30));
    add();
    EXPECT_EQ(brushes().selected, 0);
    EXPECT_EQ(brushes().slots[0].used, 1);
}

TEST_F(PaletteTest, AfterAListButtonsDialogAPlainMoveIsNoPress) {
    add();
    add();
    pickBrush(0);
    // Each dialog takes the button's release, so the panel never sees it.
    const struct {
        const char* name;
        int x;
    } buttons[] = {{"delete, answered No", 228}, {"load list, cancelled", 110}, {"save list, cancelled", 40}};
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        hl::plantAnswer(Answer::No);
        pressAt(b.x, 187);
        EXPECT_FALSE(pointer(kPalettePointer).leftDown);
        hl::postPointer(palette(), MessageKind::MouseMove, 50, 34);
        hl::postPointer(palette(), MessageKind::MouseMove, 260, 187);
        passes(3);
        EXPECT_EQ(brushes().selected, 0) << "no brush picked";
        EXPECT_EQ(brushes().slots[3].used, 0) << "nothing added";
        hl::clearPlantedAnswers();
    }
}

TEST_F(PaletteTest, PickingABrushKeepsTheSizeAndCanBeUndone) {
    BrushSettings& live = shell().tools.live;
    live.size = 70;
    live.red = 11;
    live.tool = kToolKnife;
    add();
    live.size = 12;
    live.red = 99;
    live.tool = kToolTubePaint;
    pressAt(50, 34);
    EXPECT_FALSE(pointer(kPalettePointer).leftDown) << "a pick ends the press";
    EXPECT_FALSE(shell().pressArmed);
    releaseAt(50, 34);
    EXPECT_EQ(brushes().selected, 1);
    EXPECT_EQ(live.red, 11);
    EXPECT_EQ(live.tool, kToolKnife);
    EXPECT_EQ(live.size, 12);
    EXPECT_EQ(panels().tools.table[kToolKnife].state, kButtonDown);
    undo(shell().painting, shell().tools);
    EXPECT_EQ(live.red, 99) << "the press took a snapshot of the settings";
    undo(shell().painting, shell().tools);

    // An empty cell changes nothing.
    pickBrush(40);
    EXPECT_EQ(brushes().selected, 1);
    EXPECT_EQ(live.red, 11);
}

TEST_F(PaletteTest, TheDefaultStrokeIsVeiledAndNeverChanges) {
    strokesTab();
    const StrokeDynamics defaults = strokes().slots[0].dynamics;
    const std::uint32_t veiled = shown(250, 100);
    checkBox(0);
    slide(170, 45, 220);
    EXPECT_EQ(strokes().slots[0].dynamics.fadeStrength, 0);
    EXPECT_NE(panel().checkBoxes[0].state, kButtonDown);
    EXPECT_EQ(strokes().slots[0].dynamics.fadeStrengthLength, defaults.fadeStrengthLength);

    add();
    ASSERT_EQ(strokes().selected, 1);
    EXPECT_NE(shown(250, 100), veiled) << "a stroke of the user's is not veiled";
    checkBox(0);
    EXPECT_EQ(strokes().slots[1].dynamics.fadeStrength, 1);
    EXPECT_TRUE(panel().sliders[0].enabled);
    slide(170, 45, 220);
    EXPECT_EQ(strokes().slots[1].dynamics.fadeStrengthLength, 50.0f);
    EXPECT_EQ(shell().tools.dynamics.fadeStrengthLength, 50.0f);
    EXPECT_EQ(shell().tools.dynamics.fadeStrength, 1);

    pickStroke(0);
    EXPECT_EQ(strokes().selected, 0);
    EXPECT_NE(panel().checkBoxes[0].state, kButtonDown);
    EXPECT_EQ(panel().sliders[0].value, 100.0f);
    EXPECT_FALSE(panel().sliders[0].enabled);
    EXPECT_EQ(shell().tools.dynamics.fadeStrength, 0);
    EXPECT_EQ(shown(250, 100), veiled);

    // Deleting while the default stroke is selected asks nothing.
    remove();
    EXPECT_EQ(boxesShown(), 0u);
    EXPECT_EQ(strokes().slots[1].used, 1);
    // An empty row only brings the controls back in line.
    pickStroke(5);
    EXPECT_EQ(strokes().selected, 0);
}

TEST_F(PaletteTest, ADefaultStrokeWithItsSlidersOnStillCannotBeEdited) {
    StrokePresetList list;
    list.slots[0].used = 1;
    list.slots[0].dynamics.pulse = 1;
    list.slots[0].dynamics.pulsePhase = 30.0f;
    ASSERT_TRUE(writeStrokePresetFile(dir_.path("pulse.stk"), list));
    strokesTab();
    hl::plantFileChoice(dir_.path("pulse.stk"));
    loadList();
    ASSERT_TRUE(panel().sliders[2].enabled);
    slide(180, 111, 225);
    EXPECT_EQ(strokes().slots[0].dynamics.pulsePhase, 30.0f);
    EXPECT_EQ(panel().sliders[2].value, 30.0f) << "the control shows what the stroke holds";
    checkBox(2);
    EXPECT_EQ(strokes().slots[0].dynamics.pulse, 1);
}

TEST_F(PaletteTest, SwitchingTabsKeepsBothSelectionsAndTheirTints) {
    add();
    add();
    pickBrush(1);
    strokesTab();
    EXPECT_EQ(panel().pageButtons[kStrokesTab].state, kButtonDown);
    EXPECT_EQ(panel().pageButtons[kBrushesTab].state, kButtonNormal);
    add();
    const std::uint32_t row1 = strokes().slots[1].thumbnail.getPixel(60, 7);
    brushesTab();
    EXPECT_EQ(panel().page, kBrushesPage);
    EXPECT_EQ(brushes().selected, 1);
    EXPECT_EQ(shown(50, 34), tinted(brushes().slots[1].thumbnail.getPixel(15, 15)));
    EXPECT_EQ(shown(20, 34), brushes().slots[0].thumbnail.getPixel(15, 15));
    strokesTab();
    EXPECT_EQ(strokes().selected, 1);
    EXPECT_EQ(shown(65, 19 + 15 + 7), tinted(row1));
}

}  // namespace
}  // namespace sc::testing
