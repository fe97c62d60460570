// SPDX-License-Identifier: GPL-3.0-or-later
// The colours panel: the sliders' byte mappings, the spectrum's edges, a
// colour set from outside, and Undo of a colour change.
#include <gtest/gtest.h>

#include "app/assets.h"
#include "platform/test_queries.h"
#include "ui/panel_fixture.h"

namespace sc::testing {
namespace {

constexpr int kX = 50;  // sliders of length 140 at y 10, 32, 54

class ColoursPanelTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        loadColourAsset(shell(), spectrum, "colors");
        ASSERT_TRUE(spectrum.valid());
    }
    std::uint32_t swatchColour() { return panels().colours.backBuffer.getPixel(15, 16) & 0xffffff; }
    Surface spectrum;
};

TEST_F(ColoursPanelTest, SliderEndsGiveZeroAnd254) {
    slide(coloursPanel(), kX + 70, 10, kX - 5, 10);
    EXPECT_EQ(live().red, 0);
    slide(coloursPanel(), kX + 70, 10, kX + 150, 10);
    EXPECT_EQ(live().red, 254) << "100 x 2.55 is a hair below 255";
    slide(coloursPanel(), kX + 70, 54, kX + 35, 54);
    EXPECT_EQ(live().blue, 63);
    EXPECT_EQ(swatchColour(), packColour(live().red, live().green, live().blue));
    EXPECT_FALSE(shell().previewDirty);
}

TEST_F(ColoursPanelTest, SpectrumPicksItsPixelsAndNothingBeside) {
    clickOn(coloursPanel(), 4, 76);
    const std::uint32_t first = spectrum.getPixel(0, 0);
    EXPECT_EQ(packColour(live().red, live().green, live().blue), first);
    EXPECT_EQ(swatchColour(), first);

    const int lastX = 4 + static_cast<int>(spectrum.width()) - 1;
    const int lastY = 76 + static_cast<int>(spectrum.height()) - 1;
    clickOn(coloursPanel(), lastX, lastY);
    const std::uint32_t last = spectrum.getPixel(spectrum.width() - 1, spectrum.height() - 1);
    EXPECT_EQ(packColour(live().red, live().green, live().blue), last);

    live().red = 1;
    live().green = 2;
    live().blue = 3;
    clickOn(coloursPanel(), lastX + 1, lastY);
    clickOn(coloursPanel(), lastX, lastY + 1);
    clickOn(coloursPanel(), 3, 76);
    EXPECT_EQ(packColour(live().red, live().green, live().blue), packColour(1, 2, 3)) << "outside the spectrum";
}

TEST_F(ColoursPanelTest, EyeDropperBringsThePanelUpToDateAtOnce) {
    pickTool(8);
    document().surface.setPixel(100, 100, 255, 128, 0);
    pressNow(100, 100);
    release(100, 100);
    passes(1);
    EXPECT_EQ(packColour(live().red, live().green, live().blue), packColour(255, 128, 0));
    EXPECT_EQ(panels().colours.sliders[kRedSlider].value, 100.0f);
    EXPECT_NEAR(panels().colours.sliders[kGreenSlider].value, 50.2f, 0.01f);
    EXPECT_EQ(panels().colours.sliders[kBlueSlider].value, 0.0f);
    EXPECT_EQ(swatchColour(), packColour(255, 128, 0));
    EXPECT_EQ(platform::windowPixel(coloursPanel(), 15, 16), 255u | 128u << 8);
}

TEST_F(ColoursPanelTest, UndoRestoresTheColourAndLeavesTheTool) {
    pickTool(17);
    const BrushSettings before = live();
    slide(coloursPanel(), kX + 70, 32, kX - 5, 32);
    EXPECT_EQ(live().green, 0);
    pickTool(5);
    key(platform::Key::Control, true);
    key(platform::Key::Z, true);
    passes(3);
    key(platform::Key::Z, false);
    key(platform::Key::Control, false);
    passes(3);
    EXPECT_EQ(live().green, before.green);
    EXPECT_EQ(live().tool, 5);
    EXPECT_EQ(panels().colours.sliders[kGreenSlider].value,
              static_cast<float>(before.green * static_cast<double>(0.39215687f)));
    EXPECT_EQ(platform::caption(propertiesPanel()), " Brush Properties: Spray Paint");
}

}  // namespace
}  // namespace sc::testing
