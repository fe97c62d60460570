// SPDX-License-Identifier: GPL-3.0-or-later
// The tools panel through the desktop's messages: picking each tool, what a
// pick brings into line, headings, and the Space-bar Hand Tool.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/test_queries.h"
#include "platform/windows.h"
#include "ui/panel_fixture.h"

namespace sc::testing {
namespace {

struct Expected {
    int id;
    const char* name;
    const char* hint;
    std::array<int, 4> sliders;
    bool paintPage;
    bool texturePage;
};

constexpr Expected kTools[] = {
    {0, "Tube Paint", " Click on the canvas to draw with the paint tube", {1, 1, 1, 1}, true, true},
    {1, "Paint Brush", " Click on the canvas to draw with the paint brush", {1, 1, 1, 1}, true, true},
    {2, "Eraser", " Click on the canvas to erase a section of your painting", {1, 1, 0, 0}, false, false},
    {5, "Spray Paint", " Click on the canvas to draw with spray paint", {1, 1, 0, 1}, false, false},
    {6, "Sponge", " Click on the canvas to sponge paint off your painting", {1, 1, 0, 0}, false, false},
    {8, "Eye Dropper", " Click on the canvas to get the color of a pixel", {0, 0, 0, 0}, false, false},
    {9, "Gel Brush", " Click on the canvas to squirt liquid on your painting!", {1, 1, 1, 1}, false, true},
    {10, "Brighten", " Click on the canvas to brighten your painting!", {1, 1, 0, 0}, false, false},
    {11, "Darken", " Click on the canvas to darken your painting!", {1, 1, 0, 0}, false, false},
    {12, "Hand Tool", " Click on the canvas to drag the window around", {0, 0, 0, 0}, false, false},
    {13, "Shine", " Click on the canvas to make your painting shiny!", {1, 1, 0, 0}, false, false},
    {14, "Matte", " Click on the canvas to make your painting matte!", {1, 1, 0, 0}, false, false},
    {15, "Raise", " Click on the canvas to raise a section of your painting!", {1, 1, 0, 0}, false, false},
    {16, "Lower", " Click on the canvas to lower a section of your painting!", {1, 1, 0, 0}, false, false},
    {17, "Knife", " Click on the canvas to paint with the knife!", {1, 1, 1, 1}, true, true},
    {18, "Finger", " Click on the canvas to move paint with your Finger!", {1, 1, 0, 0}, false, true},
};

int downButtons(const Panels& panels) {
    int n = 0;
    for (int i = 0; i < 24; ++i) n += panels.tools.table[i].state == kButtonDown ? 1 : 0;
    return n;
}

class ToolsPanelTest : public PanelTest {
protected:
    void expectTool(const Expected& e) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(live().tool, e.id);
        EXPECT_EQ(panels().tools.table[e.id].state, kButtonDown);
        EXPECT_EQ(downButtons(panels()), 1);
        EXPECT_EQ(platform::caption(propertiesPanel()), std::string(" Brush Properties: ") + e.name);
        EXPECT_EQ(shell().statusHint, e.hint);
        EXPECT_EQ(platform::statusText(frame(), 3), e.hint);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(panels().properties.sliders[i].enabled, e.sliders[i]) << i;
        EXPECT_EQ(shell().paintPageApplies, e.paintPage);
        EXPECT_EQ(shell().texturePageApplies, e.texturePage);
    }
};

TEST_F(ToolsPanelTest, EachButtonPicksItsToolAndBringsThePanelsIntoLine) {
    for (const Expected& e : kTools) {
        pickTool(e.id);
        expectTool(e);
        EXPECT_FALSE(shell().previewDirty) << "the preview was drawn again";
    }
}

TEST_F(ToolsPanelTest, TooltipsNameTheTools) {
    const auto tips = hl::tooltips(toolsPanel());
    ASSERT_EQ(tips.size(), 16u);
    for (const Expected& e : kTools) {
        const platform::Point c = toolButton(e.id);
        bool found = false;
        for (const auto& [r, text] : tips) {
            if (c.x >= r.left && c.x < r.right && c.y >= r.top && c.y < r.bottom) found = text == e.name;
        }
        EXPECT_TRUE(found) << e.name;
    }
}

TEST_F(ToolsPanelTest, HeadingsDoNothingAndTheCurrentToolStaysDownWhenPickedAgain) {
    pickTool(17);
    for (const int y : {10, 142, 190}) clickOn(toolsPanel(), 30, y);  // brushes, tools, effects
    expectTool(kTools[14]);
    pickTool(17);  // the toggle flips up, the pick puts it down again
    expectTool(kTools[14]);
}

TEST_F(ToolsPanelTest, APressPicksEvenWhenReleasedElsewhere) {
    const platform::Point p = toolButton(6);
    pressOn(toolsPanel(), p.x, p.y);
    EXPECT_EQ(live().tool, 6) << "fires on the press";
    dragOn(toolsPanel(), 60, 280);
    releaseOn(toolsPanel(), 60, 280);
    expectTool(kTools[4]);
}

TEST_F(ToolsPanelTest, SpaceBarHandToolKeepsButtonsAndCaptionsInStep) {
    pickTool(17);
    key(platform::Key::Space, true);
    passes(2);
    expectTool(kTools[9]);
    key(platform::Key::Space, false);
    passes(2);
    expectTool(kTools[14]);
}

TEST_F(ToolsPanelTest, ThePanelShowsTheDownPictureOfTheCurrentTool) {
    passes(3);
    const platform::Point p = toolButton(13);
    const std::uint32_t before = platform::windowPixel(toolsPanel(), p.x, p.y - 10);
    pickTool(13);
    EXPECT_NE(platform::windowPixel(toolsPanel(), p.x, p.y - 10), before);
}

}  // namespace
}  // namespace sc::testing
