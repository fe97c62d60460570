// SPDX-License-Identifier: GPL-3.0-or-later
// The brush properties panel: the four sliders' mappings at both ends, greyed
// sliders, the preview's ground and dab, and painting on the preview.
#include <gtest/gtest.h>

#include "ui/panel_fixture.h"

namespace sc::testing {
namespace {

constexpr int kX = 160;  // every slider starts here, length 100
constexpr int kSizeY = 30;
constexpr int kStrengthY = 54;
constexpr int kThicknessY = 78;
constexpr int kShineY = 116;

class PropertiesPanelTest : public PanelTest {
protected:
    void slideTo(int y, int toX) { slide(propertiesPanel(), kX + 50, y, toX, y); }
    const PaintCell& previewCell(int x, int y) { return shell().preview.at(x, y); }
};

TEST_F(PropertiesPanelTest, SliderEndsMapToTheSettingsLimits) {
    pickTool(1);
    slideTo(kSizeY, kX - 5);
    EXPECT_EQ(live().size, 1) << "never 0";
    slideTo(kSizeY, kX + 105);
    EXPECT_EQ(live().size, 100);

    slideTo(kStrengthY, kX - 5);
    EXPECT_FLOAT_EQ(live().strength, 0.01f) << "never 0";
    slideTo(kStrengthY, kX + 105);
    EXPECT_FLOAT_EQ(live().strength, 1.0f);

    slideTo(kThicknessY, kX - 5);
    EXPECT_EQ(live().thickness, 0.0f);
    slideTo(kThicknessY, kX + 105);
    EXPECT_NEAR(live().thickness, 11.111111f, 1e-5f);

    slideTo(kShineY, kX - 5);
    EXPECT_EQ(live().shine, 0);
    live().shine = 255;
    shell().previewDirty = true;
    passes(1);
    EXPECT_EQ(panels().properties.sliders[kShineSlider].value, 100.0f);
    slideTo(kShineY, kX + 105);
    EXPECT_EQ(live().shine, 254) << "2.55 in single precision is a hair short";
}

TEST_F(PropertiesPanelTest, MovingOneSliderLeavesTheOtherSettings) {
    pickTool(1);
    for (int size = 1; size <= 100; ++size) {
        live().size = size;
        brushSlidersFromSettings(panels().properties, live());
        settingsFromBrushSliders(panels().properties, live());
        ASSERT_EQ(live().size, size);
    }
    live().size = 30;
    live().thickness = 10.0f;
    shell().previewDirty = true;
    passes(1);
    slideTo(kStrengthY, kX + 20);
    EXPECT_FLOAT_EQ(live().strength, 0.2f);
    EXPECT_EQ(live().size, 30);
    EXPECT_FLOAT_EQ(live().thickness, 10.0f);
}

TEST_F(PropertiesPanelTest, GreyedSlidersIgnoreDragging) {
    pickTool(12);  // Hand Tool: all four greyed
    const BrushSettings before = live();
    float values[4];
    for (int i = 0; i < 4; ++i) values[i] = panels().properties.sliders[i].value;
    for (const int y : {kSizeY, kStrengthY, kThicknessY, kShineY}) slideTo(y, kX + 3);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(panels().properties.sliders[i].value, values[i]) << i;
    EXPECT_EQ(live().size, before.size);
    EXPECT_EQ(live().strength, before.strength);
    EXPECT_EQ(live().shine, before.shine);

    pickTool(2);  // Eraser: size and strength live, thickness and shine greyed
    slideTo(kThicknessY, kX + 3);
    EXPECT_EQ(live().thickness, before.thickness);
    slideTo(kSizeY, kX + 3);
    EXPECT_EQ(live().size, 3);
}

TEST_F(PropertiesPanelTest, PreviewShowsADabOnWhiteOrErasedOutOfAPaintedField) {
    live().size = 20;
    pickTool(1);
    EXPECT_EQ(previewCell(2, 2).height, 0.0f) << "Paint Brush: white ground";
    EXPECT_GT(previewCell(64, 64).height, 0.0f);

    pickTool(2);
    EXPECT_EQ(previewCell(2, 2).height, 20.0f) << "Eraser: painted ground";
    EXPECT_LT(previewCell(64, 64).height, 20.0f);
    EXPECT_FALSE(shell().previewDirty);
}

TEST_F(PropertiesPanelTest, PaintingOnThePreviewAndNowhereElse) {
    live().size = 5;
    pickTool(1);
    ASSERT_EQ(previewCell(20, 20).height, 0.0f);
    pressOn(propertiesPanel(), 10 + 20, 12 + 20);
    releaseOn(propertiesPanel(), 10 + 20, 12 + 20);
    EXPECT_GT(previewCell(20, 20).height, 0.0f);

    const std::uint64_t before = cellHash(shell().preview);
    pressOn(propertiesPanel(), 150, 150);  // right of and below the preview
    releaseOn(propertiesPanel(), 150, 150);
    EXPECT_EQ(cellHash(shell().preview), before);
}

}  // namespace
}  // namespace sc::testing
