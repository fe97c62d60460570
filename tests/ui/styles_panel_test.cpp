// SPDX-License-Identifier: GPL-3.0-or-later
// The styles panel: tabs, the grids' selection rules, the veil over pages
// the tool does not use, and the hardness slider.
#include <gtest/gtest.h>

#include "app/assets.h"
#include "platform/windows.h"
#include "ui/panel_fixture.h"

namespace sc::testing {
namespace {

// Centre of grid item i.
platform::Point item(int i) { return {5 + 30 * (i % 9) + 14, 19 + 30 * (i / 9) + 14}; }

class StylesPanelTest : public PanelTest {
protected:
    void clickItem(int i) {
        const platform::Point p = item(i);
        clickOn(stylesPanel(), p.x, p.y);
    }
    void tab(int page) { clickOn(stylesPanel(), 3 + 63 * page + 30, 8); }
    std::uint32_t shown(int x, int y) { return panels().styles.backBuffer.getPixel(x, y); }
};

TEST_F(StylesPanelTest, AGreyedPageIgnoresPressesUntilTheToolUsesIt) {
    pickTool(2);  // Eraser: both pages greyed
    const std::uint8_t style = live().paintStyle;
    clickItem(style == 4 ? 5 : 4);
    EXPECT_EQ(live().paintStyle, style);
    tab(kTexturesPage);
    EXPECT_EQ(panels().styles.page, kTexturesPage);
    const std::uint8_t texture = live().texture;
    clickItem(texture == 4 ? 5 : 4);
    EXPECT_EQ(live().texture, texture);

    pickTool(9);  // Gel Brush: textures live, paint styles greyed
    clickItem(11);
    EXPECT_EQ(live().texture, 11);
    tab(kPaintStylesPage);
    clickItem(12);
    EXPECT_EQ(live().paintStyle, style);

    pickTool(1);
    clickItem(12);
    EXPECT_EQ(live().paintStyle, 12);
    EXPECT_FALSE(shell().previewDirty) << "the preview follows";
}

TEST_F(StylesPanelTest, StripsRightAndBelowTheGridSelectTheNextOrLastItem) {
    pickTool(1);
    clickOn(stylesPanel(), 280, 30);  // right of the ninth column, first row
    EXPECT_EQ(live().paintStyle, 9);
    clickOn(stylesPanel(), 280, 60);  // second row
    EXPECT_EQ(live().paintStyle, 17);
    clickItem(0);
    clickOn(stylesPanel(), 40, 90);  // below the second row
    EXPECT_EQ(live().paintStyle, 17);
}

TEST_F(StylesPanelTest, OnePressSelectsOnce) {
    pickTool(1);
    pressOn(stylesPanel(), item(3).x, item(3).y);
    dragOn(stylesPanel(), item(6).x, item(6).y);
    dragOn(stylesPanel(), item(15).x, item(15).y);
    releaseOn(stylesPanel(), item(15).x, item(15).y);
    EXPECT_EQ(live().paintStyle, 3);
}

TEST_F(StylesPanelTest, SelectionTintAndVeil) {
    pickTool(1);
    clickItem(2);
    passes(2);
    const platform::Point other = item(7);
    const std::uint32_t plain = shown(other.x, other.y);
    EXPECT_NE(shown(item(2).x, item(2).y) & 0xff, (shown(item(2).x, item(2).y) >> 8) & 0xff) << "tinted red";
    pickTool(2);
    passes(2);
    EXPECT_NE(shown(other.x, other.y), plain) << "veiled";
    tab(kTexturesPage);
    passes(2);
    const std::uint32_t veiledTexture = shown(other.x, other.y);
    pickTool(1);
    passes(2);
    EXPECT_NE(shown(other.x, other.y), veiledTexture);
}

TEST_F(StylesPanelTest, ShapeTabShowsItsSelectedPictureAndHardnessRedrawsTheProfile) {
    Surface selected, unselected;
    loadColourAsset(shell(), selected, "tshape0");
    loadColourAsset(shell(), unselected, "tshape1");
    // A column where the two looks differ.
    int x = 0, y = 0;
    for (int yy = 0; yy < 17 && x == 0; ++yy) {
        for (int xx = 1; xx < 63; ++xx) {
            if (selected.getPixel(xx, yy) != unselected.getPixel(xx, yy)) {
                x = xx;
                y = yy;
                break;
            }
        }
    }
    ASSERT_NE(x, 0);
    passes(2);
    EXPECT_EQ(shown(129 + x, 1 + y), unselected.getPixel(x, y));
    tab(kShapePage);
    ASSERT_EQ(panels().styles.page, kShapePage);
    EXPECT_EQ(shown(129 + x, 1 + y), selected.getPixel(x, y));

    live().hardness = 0;
    shell().colourChanged = true;
    passes(2);
    const auto profile = [&] {
        std::uint64_t h = 0;
        for (int py = 22; py < 76; ++py) {
            for (int px = 4; px < 58; ++px) h = h * 31 + shown(px, py);
        }
        return h;
    };
    const std::uint64_t before = profile();
    slide(stylesPanel(), 90 + 20, 54, 90 + 37, 54);  // 33.6: a fraction of a step
    EXPECT_EQ(live().hardness, 33);
    EXPECT_FALSE(shell().previewDirty);
    EXPECT_NE(profile(), before) << "the profile picture follows";
}

}  // namespace
}  // namespace sc::testing
