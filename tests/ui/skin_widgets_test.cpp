// SPDX-License-Identifier: GPL-3.0-or-later
// Skin buttons of all four kinds, the slider's band and capture, the skin's
// letters, the floating-window limit and the panels' pointer bookkeeping.
#include <gtest/gtest.h>

#include "app/pointer_state.h"
#include "engine/surface.h"
#include "platform/windows.h"
#include "shell/shell_fixture.h"
#include "ui/floating_windows.h"
#include "ui/skin_button.h"
#include "ui/skin_letters.h"
#include "ui/slider.h"
#include "ui/status_line.h"

namespace sc::testing {
namespace {

Surface picture(std::uint32_t w, std::uint32_t h) {
    Surface s;
    s.create32(w, h);
    s.clearWhite();
    return s;
}

class SkinButtonTest : public ::testing::Test {
protected:
    Surface img = picture(10, 8);
    SkinButtonTable table;
};

TEST_F(SkinButtonTest, EdgesHitAndNegativePointsNever) {
    table.add(0, 5, 5, &img, &img, &img, kRepeatButton);
    EXPECT_EQ(table.hitTest(15, 13, true), 0) << "x + width, y + height are inside";
    EXPECT_EQ(table.hitTest(5, 5, true), 0);
    EXPECT_EQ(table.hitTest(16, 13, true), -1);
    EXPECT_EQ(table.hitTest(-1, 6, true), -1);
    table.add(1, -4, 0, &img, &img, &img, kRepeatButton);
    EXPECT_EQ(table.hitTest(-2, 2, true), -1) << "compared unsigned";
}

TEST_F(SkinButtonTest, PushFiresOnReleaseOverItAfterAPressOverIt) {
    table.add(3, 0, 0, &img, &img, &img, kPushButton);
    EXPECT_EQ(table.hitTest(2, 2, false), -1) << "hover";
    EXPECT_EQ(table[3].state, kButtonHot);
    EXPECT_EQ(table.hitTest(2, 2, true), -1);
    EXPECT_EQ(table[3].state, kButtonDown);
    EXPECT_EQ(table.hitTest(2, 2, false), 3);
    EXPECT_EQ(table[3].state, kButtonNormal);

    table.hitTest(2, 2, true);
    table.hitTest(40, 40, true);  // moved off while pressed
    EXPECT_EQ(table.hitTest(40, 40, false), -1);
    EXPECT_EQ(table.hitTest(2, 2, false), -1) << "released elsewhere: no fire";
}

TEST_F(SkinButtonTest, ToggleFiresOncePerPressAndStaysDown) {
    table.add(1, 0, 0, &img, &img, &img, kToggleButton);
    EXPECT_EQ(table.hitTest(1, 1, true), 1);
    EXPECT_EQ(table[1].state, kButtonDown);
    EXPECT_EQ(table.hitTest(1, 1, true), -1) << "held: once";
    table.hitTest(50, 50, false);
    EXPECT_EQ(table[1].state, kButtonDown) << "a down toggle stays down";
    EXPECT_EQ(table.hitTest(1, 1, true), -1) << "not re-armed before a hover";
    table.hitTest(1, 1, false);
    EXPECT_EQ(table.hitTest(1, 1, true), 1);
    EXPECT_EQ(table[1].state, kButtonNormal);
}

TEST_F(SkinButtonTest, RepeatFiresOnEveryPressedCallAndStaticNever) {
    table.add(0, 0, 0, &img, &img, &img, kStaticButton);
    table.add(2, 20, 0, &img, &img, &img, kRepeatButton);
    EXPECT_EQ(table.hitTest(22, 2, true), 2);
    EXPECT_EQ(table.hitTest(22, 2, true), 2);
    EXPECT_EQ(table.hitTest(22, 2, false), -1);
    EXPECT_EQ(table[2].state, kButtonHot);
    EXPECT_EQ(table.hitTest(2, 2, true), -1);
    EXPECT_EQ(table.hitTest(2, 2, false), -1);
}

TEST_F(SkinButtonTest, TheLowerIndexTakesAnOverlapAndTheOtherGoesNormal) {
    table.add(4, 0, 0, &img, &img, &img, kStaticButton);
    table.add(5, 0, 0, &img, &img, &img, kRepeatButton);
    table[5].state = kButtonHot;
    EXPECT_EQ(table.hitTest(3, 3, true), -1);
    EXPECT_EQ(table[5].state, kButtonNormal);
}

TEST_F(SkinButtonTest, DrawingCopiesTheImageOfEachState) {
    Surface normal = picture(2, 2), down = picture(2, 2), target = picture(4, 4);
    down.setPixel(0, 0, 1, 2, 3);
    table.add(0, 1, 1, &normal, &normal, &down, kToggleButton);
    table[0].state = kButtonDown;
    table.drawOnto(target);
    EXPECT_EQ(target.getPixel(1, 1) & 0xffffffu, packColour(1, 2, 3));
    EXPECT_EQ(target.getPixel(0, 0) & 0xffffffu, packColour(255, 255, 255));
}

// Sliders load their knob picture: they run in a private directory.
class SliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.dir());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }
    TempDir dir_;
    std::filesystem::path previous_;
    std::unique_ptr<ShellState> state_ = std::make_unique<ShellState>();
    SliderShared shared_;
};

TEST_F(SliderTest, BandClampsAndCaptureKeepsOtherSlidersStill) {
    platform::headless::setEchoMessages(false);
    Slider a, b;
    a.init(shared_, *state_, 50, 20, 100);
    b.init(shared_, *state_, 50, 60, 100);
    EXPECT_EQ(b.id, a.id + 1);
    EXPECT_EQ(a.value, 100.0f);
    const int kw = static_cast<int>(a.knob->width());
    const int kh = static_cast<int>(a.knob->height());

    EXPECT_FALSE(a.drag(shared_, 75, 20, false)) << "not pressed";
    EXPECT_TRUE(a.drag(shared_, 75, 20, true));
    EXPECT_FLOAT_EQ(a.value, 25.0f);
    EXPECT_EQ(shared_.captured, a.id);
    EXPECT_TRUE(a.drag(shared_, 50 - kw / 2 - 10, 20, true));
    EXPECT_EQ(a.value, 0.0f) << "left of the track reads 0";
    EXPECT_FALSE(a.drag(shared_, 50 - kw / 2 - 11, 20, true));
    EXPECT_TRUE(a.drag(shared_, 150 + kw / 2 + 9, 20 + kh / 2 - 1, true));
    EXPECT_EQ(a.value, 100.0f);
    EXPECT_FALSE(a.drag(shared_, 100, 20 + kh / 2, true)) << "outside the band even with the capture";

    EXPECT_FALSE(b.drag(shared_, 100, 60, true)) << "another slider holds the capture";
    shared_.captured = 0;
    EXPECT_TRUE(b.drag(shared_, 100, 60, true));
    b.enabled = 0;
    shared_.captured = 0;
    EXPECT_FALSE(b.drag(shared_, 100, 60, true)) << "disabled";
}

TEST_F(SliderTest, DrawingPlacesTheKnobAndGreysWhenDisabled) {
    Slider s;
    s.init(shared_, *state_, 20, 10, 100);
    s.value = 50.0f;
    Surface target = picture(200, 40);
    s.draw(target);
    EXPECT_EQ(target.getPixel(20, 10) & 0xffffffu, packColour(0, 0, 0)) << "track stripe";
    EXPECT_EQ(target.getPixel(20, 11) & 0xffffffu, packColour(128, 128, 128));
    s.enabled = 0;
    Surface grey = picture(200, 40);
    s.draw(grey);
    EXPECT_EQ(grey.getPixel(20, 10) & 0xffffffu, packColour(127, 127, 127));
}

// Letters of five pixels' advance, each inked in its first column only.
TEST(SkinLetters, NamesAreCutWithDotsAndForeignCharactersShowAsOne) {
    SkinLetters letters;
    letters.picture = picture(kLetterCount * kLetterCellWidth, kLetterHeight + 1);
    for (int cell = 0; cell < kLetterCount; ++cell) {
        for (int x = 0; x < 5; ++x) letters.picture.setPixel(cell * kLetterCellWidth + x, 0, 0, 0, 0);
        for (int y = 1; y <= kLetterHeight; ++y) letters.picture.setPixel(cell * kLetterCellWidth, y, 0, 0, 0);
    }
    measureSkinLetters(letters);
    EXPECT_EQ(skinTextWidth(letters, "Layer"), 25);
    // Two bytes of UTF-8 are one character.
    EXPECT_EQ(skinTextWidth(letters, "caf\xc3\xa9"), 20);

    Surface target = picture(100, 20);
    EXPECT_EQ(drawSkinText(letters, target, 2, 3, 100, "ab", 10, 20, 30), 10);
    EXPECT_EQ(target.getPixel(2, 3) & 0xffffffu, packColour(10, 20, 30));
    EXPECT_EQ(target.getPixel(3, 3) & 0xffffffu, packColour(255, 255, 255));
    // Twelve letters in 40 pixels: five letters and the three dots.
    Surface cut = picture(100, 20);
    EXPECT_EQ(drawSkinText(letters, cut, 0, 0, 40, "Underpainted", 0, 0, 0), 40);
    EXPECT_EQ(cut.getPixel(40, 0) & 0xffffffu, packColour(255, 255, 255)) << "nothing past the width";
    // Without the picture nothing is written.
    SkinLetters none;
    measureSkinLetters(none);
    EXPECT_EQ(drawSkinText(none, target, 0, 0, 100, "ab", 0, 0, 0), 0);
}

class PanelsTest : public ShellTest {};

TEST_F(PanelsTest, TheEleventhFloatingWindowIsRefused) {
    start();
    while (panels().floating.count < kMaxFloatingWindows) {
        createFloatingWindow(panels().floating, shell(), " Extra", 0, 0, 10, 10, "Extra", nullptr);
    }
    hl::clearShownMessages();
    EXPECT_EQ(createFloatingWindow(panels().floating, shell(), " One too many", 0, 0, 10, 10, "Extra", nullptr),
              platform::kNoWindow);
    ASSERT_EQ(hl::shownMessages().size(), 1u);
    EXPECT_EQ(hl::shownMessages()[0].text, "Too many floating windows!");
}

TEST_F(PanelsTest, APanelPressReleasesTheOtherPointersAndArmsThePress) {
    start();
    pointer(kCanvasPointer).leftDown = true;
    // A press on the colours panel's top-right margin, where no control is.
    const WindowId panel = shell().windows.coloursPanel;
    hl::postPointer(panel, MessageKind::MouseMove, 200, 3);
    hl::postPointer(panel, MessageKind::LeftDown, 200, 3);
    passes(2);
    EXPECT_FALSE(pointer(kCanvasPointer).leftDown);
    EXPECT_TRUE(pointer(kColoursPointer).leftDown);
    EXPECT_EQ(pointer(kColoursPointer).x, 200);
    EXPECT_TRUE(shell().pressArmed);
    EXPECT_TRUE(shell().leaveTracking);
    ASSERT_TRUE(hl::pointerLeaves(panel));
    passes(1);
    EXPECT_FALSE(pointer(kColoursPointer).leftDown);
}

TEST_F(PanelsTest, DeactivationHidesThePanelsAndActivationBringsBackOnlyThose) {
    start();
    commandNow(1103);  // the user closes the palette
    platform::Message m;
    m.kind = MessageKind::Activate;
    m.window = frame();
    m.flag = false;
    platform::sendMessage(m);
    EXPECT_FALSE(platform::isWindowVisible(shell().windows.toolsPanel));
    m.flag = true;
    platform::sendMessage(m);
    EXPECT_TRUE(platform::isWindowVisible(shell().windows.toolsPanel));
    EXPECT_TRUE(platform::isWindowVisible(shell().windows.coloursPanel));
    EXPECT_FALSE(platform::isWindowVisible(shell().windows.palettePanel));
}

TEST_F(PanelsTest, MinimisingTheFrameTakesThePanelsAlongAndRestoringBringsThemBack) {
    start();
    platform::Message state;
    state.kind = MessageKind::StateChanged;
    state.window = frame();
    state.state = platform::WindowState::Minimised;
    platform::postMessage(state);
    passes(1);
    EXPECT_FALSE(platform::isWindowVisible(shell().windows.palettePanel));
    state.state = platform::WindowState::Restored;  // not maximised
    platform::postMessage(state);
    passes(1);
    EXPECT_TRUE(platform::isWindowVisible(shell().windows.palettePanel));
}

TEST_F(PanelsTest, StatusLineTexts) {
    start();
    const std::vector<std::string> t = statusLineTexts(shell());
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0], "File size: 4.12mb");
    EXPECT_EQ(t[1], "600x600");
    EXPECT_EQ(t[2], "Zoom: 100%");
    EXPECT_EQ(t[3], " Click on the canvas to draw with the paint brush")
        << "start-up selects the tool after the new image";
}

}  // namespace
}  // namespace sc::testing
