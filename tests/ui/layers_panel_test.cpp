// SPDX-License-Identifier: GPL-3.0-or-later
// The layers panel and the Layer menu on the running program: the list and
// its presses, the command buttons and their greying, the opacity slider,
// renaming, the shortcuts, failures shown in error boxes, and the skin's
// letters the names are written with.
#include <filesystem>
#include <fstream>

#include "app/layers.h"
#include "platform/dialogs.h"
#include "platform/test_queries.h"
#include "shell/frame_window.h"
#include "ui/layers_panel.h"
#include "ui/panel_fixture.h"
#include "ui/panels.h"

namespace sc::testing {
namespace {

class LayersPanelTest : public PanelTest {
protected:
    WindowId layersWindow() const { return shell().windows.layersPanel; }
    const LayersPanel& layersPanel() { return panels().layers; }
    Painting& painting() { return shell().painting; }

    // Centre of command button b, and of the list's row (0 at the top).
    static platform::Point button(int b) {
        return {kLayerButtonX[static_cast<std::size_t>(b)] + kLayerButtonWidth / 2, kLayerButtonY + 11};
    }
    static int rowY(int row) { return kLayerListY + row * kLayerRowHeight + kLayerRowHeight / 2; }
    void clickButton(int b) { clickOn(layersWindow(), button(b).x, button(b).y); }
    void doubleClickRow(int row) {
        clickOn(layersWindow(), kLayerNameX + 20, rowY(row));
        platform::Message m;
        m.kind = MessageKind::LeftDown;
        m.window = layersWindow();
        m.x = kLayerNameX + 20;
        m.y = rowY(row);
        m.flag = true;
        platform::postMessage(m);
        passes(2);
        releaseOn(layersWindow(), kLayerNameX + 20, rowY(row));
    }
    void ctrlKey(char c, bool shift) {
        key(platform::Key::Control, true);
        if (shift) key(platform::Key::Shift, true);
        key(platform::characterKey(c), true);
        passes(3);
        key(platform::characterKey(c), false);
        if (shift) key(platform::Key::Shift, false);
        key(platform::Key::Control, false);
        passes(2);
    }
};

TEST_F(LayersPanelTest, TheWindowMenuShowsAndHidesThePanelWithItsCheckMark) {
    ASSERT_NE(layersWindow(), platform::kNoWindow);
    EXPECT_EQ(platform::caption(layersWindow()), " Layers");
    EXPECT_TRUE(platform::isWindowVisible(layersWindow()));
    EXPECT_TRUE(platform::menuChecked(frame(), kCmdLayersPanel));
    commandNow(kCmdLayersPanel);
    EXPECT_FALSE(platform::isWindowVisible(layersWindow()));
    EXPECT_FALSE(platform::menuChecked(frame(), kCmdLayersPanel));
    // Hidden, it still learns of a new layer once it is shown again.
    commandNow(kCmdNewLayer);
    commandNow(kCmdLayersPanel);
    passes(1);
    EXPECT_TRUE(platform::isWindowVisible(layersWindow()));
    EXPECT_EQ(layersPanel().shown.rows.size(), 2u);
}

TEST_F(LayersPanelTest, ButtonsAndShortcutsRunTheCommandsAndGreyWhatCannotAct) {
    ASSERT_EQ(layersPanel().shown.rows.size(), 1u);
    for (const int id : {kCmdDeleteLayer, kCmdMergeDown, kCmdMoveLayerUp, kCmdMoveLayerDown}) {
        EXPECT_FALSE(platform::menuItemEnabled(frame(), id)) << id;
    }
    clickButton(kNewLayerButton);
    ASSERT_EQ(layerCount(painting()), 2u);
    EXPECT_EQ(activeLayer(painting()), 1u);
    EXPECT_TRUE(platform::menuItemEnabled(frame(), kCmdMergeDown));
    EXPECT_TRUE(platform::menuItemEnabled(frame(), kCmdMoveLayerDown));
    EXPECT_FALSE(platform::menuItemEnabled(frame(), kCmdMoveLayerUp));
    // The top row is the active new layer; the background is under it.
    EXPECT_EQ(layersPanel().shown.rows[1].name, layerName(painting(), 1));

    ctrlKey('J', false);  // duplicate
    EXPECT_EQ(layerCount(painting()), 3u);
    EXPECT_EQ(activeLayer(painting()), 2u);
    ctrlKey('N', true);  // new
    EXPECT_EQ(layerCount(painting()), 4u);
    clickButton(kLayerDownButton);
    EXPECT_EQ(activeLayer(painting()), 2u);
    clickButton(kLayerUpButton);
    EXPECT_EQ(activeLayer(painting()), 3u);
    ctrlKey('E', false);  // merge down
    EXPECT_EQ(layerCount(painting()), 3u);
    clickButton(kDeleteLayerButton);
    EXPECT_EQ(layerCount(painting()), 2u);

    // Down to one layer the greyed buttons take no presses.
    clickButton(kDeleteLayerButton);
    ASSERT_EQ(layerCount(painting()), 1u);
    hl::clearShownMessages();
    clickButton(kDeleteLayerButton);
    clickButton(kMergeDownButton);
    EXPECT_EQ(layerCount(painting()), 1u);
    EXPECT_TRUE(hl::shownMessages().empty());
}

TEST_F(LayersPanelTest, RowPressesSelectAndHideAndADoubleClickRenames) {
    commandNow(kCmdNewLayer);
    commandNow(kCmdNewLayer);
    ASSERT_EQ(layerCount(painting()), 3u);
    // Row 2 from the top is the background.
    clickOn(layersWindow(), kLayerNameX + 20, rowY(2));
    EXPECT_EQ(activeLayer(painting()), 0u);
    clickOn(layersWindow(), kLayerEyeX + 8, rowY(0));
    EXPECT_FALSE(layerVisible(painting(), 2));
    EXPECT_EQ(activeLayer(painting()), 0u) << "the eye does not select";
    clickOn(layersWindow(), kLayerEyeX + 8, rowY(0));
    EXPECT_TRUE(layerVisible(painting(), 2));
    // A press below the last row does nothing.
    clickOn(layersWindow(), kLayerNameX + 20, rowY(4));
    EXPECT_EQ(activeLayer(painting()), 0u);

    const std::string before = layerName(painting(), 1);
    hl::plantText(std::string("Sketch"));
    doubleClickRow(1);
    ASSERT_EQ(hl::shownTextQuestions().size(), 1u);
    EXPECT_EQ(hl::shownTextQuestions()[0].text, before);
    EXPECT_EQ(layerName(painting(), 1), "Sketch");
    EXPECT_EQ(activeLayer(painting()), 1u);
    EXPECT_EQ(layersPanel().shown.rows[1].name, "Sketch");
    // Cancelled, or left blank: the name stays.
    commandNow(kCmdRenameLayer);
    hl::plantText(std::string("   "));
    commandNow(kCmdRenameLayer);
    EXPECT_EQ(hl::shownTextQuestions().size(), 3u);
    EXPECT_EQ(hl::shownTextQuestions()[2].text, "Sketch");
    EXPECT_EQ(layerName(painting(), 1), "Sketch");
}

TEST_F(LayersPanelTest, TheOpacitySliderSetsTheLayerOnceWhenLetGo) {
    commandNow(kCmdNewLayer);
    // From the knob at 100 to the middle of the track.
    pressOn(layersWindow(), kOpacitySliderX + kOpacitySliderLength, kOpacitySliderY);
    dragOn(layersWindow(), kOpacitySliderX + kOpacitySliderLength * 3 / 4, kOpacitySliderY);
    dragOn(layersWindow(), kOpacitySliderX + kOpacitySliderLength / 2, kOpacitySliderY);
    EXPECT_FLOAT_EQ(layerOpacity(painting(), 1), 1.0f) << "held: nothing changes yet";
    releaseOn(layersWindow(), kOpacitySliderX + kOpacitySliderLength / 2, kOpacitySliderY);
    EXPECT_FLOAT_EQ(layerOpacity(painting(), 1), 0.5f);
    // One change: Undo takes it back to where the drag began.
    commandNow(kCmdUndo);
    EXPECT_FLOAT_EQ(layerOpacity(painting(), 1), 1.0f);
    EXPECT_FLOAT_EQ(layersPanel().opacity.value, 100.0f);
    commandNow(kCmdUndo);
    EXPECT_FLOAT_EQ(layerOpacity(painting(), 1), 0.5f);
    // Another layer made active: the slider shows its opacity.
    clickOn(layersWindow(), kLayerNameX + 20, rowY(1));
    EXPECT_FLOAT_EQ(layersPanel().opacity.value, 100.0f);
}

TEST_F(LayersPanelTest, FailuresAreShownInErrorBoxesAndChangeNothing) {
    while (layerCount(painting()) < kMaxLayers) commandNow(kCmdNewLayer);
    EXPECT_EQ(layersPanel().shown.rows.size(), kMaxLayers);
    hl::clearShownMessages();
    commandNow(kCmdNewLayer);
    commandNow(kCmdDuplicateLayer);
    EXPECT_EQ(layerCount(painting()), kMaxLayers);
    ASSERT_EQ(hl::shownMessages().size(), 2u);
    EXPECT_EQ(hl::shownMessages()[0].caption, "Error");
    EXPECT_EQ(hl::shownMessages()[0].text, kTooManyLayersText);

    // A damaged picture imported as a layer.
    commandNow(kCmdDeleteLayer);
    const std::filesystem::path bad = dir_.path("damaged.png");
    std::ofstream(bad, std::ios::binary) << "\x89PNG\r\n\x1a\n not a picture";
    hl::clearShownMessages();
    hl::plantFileChoice(bad.string());
    commandNow(kCmdImportAsLayer);
    EXPECT_EQ(layerCount(painting()), kMaxLayers - 1);
    ASSERT_FALSE(hl::shownMessages().empty());
    EXPECT_EQ(hl::shownMessages().back().text, "Image failed to load!");
}

}  // namespace
}  // namespace sc::testing
