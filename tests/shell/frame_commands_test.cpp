// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's commands through the menu messages: panels and their check
// marks, filters with undo, Help, About, closing with unsaved changes, the
// settings kept in the user's options file, and the menu shortcuts.
#include <filesystem>

#include "app/help_pages.h"
#include "filters/filter_table.h"
#include "formats/painting_file.h"
#include "platform/dialogs.h"
#include "platform/test_queries.h"
#include "shell/frame_window.h"
#include "shell/shell_fixture.h"

namespace sc::testing {
namespace {

class FrameCommandsTest : public ShellTest {};

TEST_F(FrameCommandsTest, WindowMenuTogglesAPanelAndItsCheckMark) {
    start();
    const WindowId colours = shell().windows.coloursPanel;
    ASSERT_TRUE(platform::isWindowVisible(colours));
    commandNow(1101);
    EXPECT_FALSE(platform::isWindowVisible(colours));
    EXPECT_FALSE(platform::menuChecked(frame(), 1101));
    commandNow(1101);
    EXPECT_TRUE(platform::isWindowVisible(colours));
    EXPECT_TRUE(platform::menuChecked(frame(), 1101));
}

TEST_F(FrameCommandsTest, SmoothStrokesAndThePenAreKeptInTheOptionsFile) {
    start();
    EXPECT_FALSE(platform::menuChecked(frame(), kCmdSmoothStrokes)) << "off by default";
    commandNow(kCmdSmoothStrokes);
    EXPECT_TRUE(shell().options.smoothStrokes);
    EXPECT_TRUE(platform::menuChecked(frame(), kCmdSmoothStrokes));
    EXPECT_NE(readFileBytes(dir_.path("options.txt")).find("smooth-strokes = on"), std::string::npos);

    // The Pen dialog starts from the options; a cancelled one changes nothing.
    commandNow(kCmdPenDialog);
    hl::plantPenAnswer(platform::PenChoice{3, 2.5f});
    commandNow(kCmdPenDialog);
    ASSERT_EQ(hl::shownPenDialogs().size(), 2u);
    EXPECT_EQ(hl::shownPenDialogs()[1].target, 1);
    EXPECT_EQ(hl::shownPenDialogs()[1].curve, 1.0f);
    EXPECT_EQ(shell().tools.pen.target, PressureTarget::StrengthAndSize);
    EXPECT_EQ(shell().tools.pen.curve, 2.5f);

    // The next start takes them from the file.
    freshProgram();
    start();
    EXPECT_TRUE(platform::menuChecked(frame(), kCmdSmoothStrokes));
    EXPECT_TRUE(shell().options.smoothStrokes);
    EXPECT_EQ(shell().tools.pen.target, PressureTarget::StrengthAndSize);
    EXPECT_EQ(shell().tools.pen.curve, 2.5f);

    // A file that cannot be written is reported; the setting still applies.
    std::filesystem::remove(dir_.path("options.txt"));
    std::filesystem::create_directory(dir_.path("options.txt"));
    hl::clearShownMessages();
    commandNow(kCmdSmoothStrokes);
    EXPECT_FALSE(shell().options.smoothStrokes);
    ASSERT_EQ(hl::shownMessages().size(), 1u);
    EXPECT_EQ(hl::shownMessages()[0].text, "The options could not be saved.");
}

TEST_F(FrameCommandsTest, EveryFilterRunsOnceAndUndoesWithOneUndo) {
    start();
    press(100, 100);
    move(140, 120);
    passes(3);
    release(140, 120);
    passes(2);
    for (const FilterInfo& f : filterTable()) {
        const std::uint64_t before = cellHash(document());
        commandNow(f.id);
        passes(2);
        EXPECT_TRUE(document().rendered) << f.name;
        EXPECT_FALSE(shell().painting.saved);
        commandNow(1200);
        EXPECT_EQ(cellHash(document()), before) << f.name << " is undone by one Undo";
    }
}

TEST_F(FrameCommandsTest, HighQualityRedrawsThePreviewAndZoomShowsInTheStatusLine) {
    start();
    commandNow(1250);
    EXPECT_EQ(shell().preview.highQuality, document().highQuality);
    EXPECT_FALSE(shell().previewDirty) << "the pass redrew the preview";
    commandNow(1263);
    EXPECT_EQ(platform::statusText(frame(), 2), "Zoom: 400%");
}

TEST_F(FrameCommandsTest, HelpOpensTheGuideAndTheWebSiteItemItsAddress) {
    // A run directory whose name needs escaping in an address.
    const std::string run = dir_.path("my run #2 100%");
    std::filesystem::create_directory(run);
    std::filesystem::current_path(run);
    start();
    const std::string guide = fileAddress(run + "/guide.html");
    const std::string escaped = "/my%20run%20%232%20100%25/guide.html";
    ASSERT_GT(guide.size(), escaped.size());
    EXPECT_EQ(guide.rfind("file:///", 0), 0u);
    EXPECT_EQ(guide.substr(guide.size() - escaped.size()), escaped);
    hl::clearShownMessages();
    commandNow(1401);
    ASSERT_EQ(hl::openedUrls().size(), 1u);
    EXPECT_EQ(hl::openedUrls()[0], guide);
    EXPECT_TRUE(platform::isWindowMinimised(frame())) << "out of the browser's way";
    platform::bringToFront(frame());
    commandNow(1403);
    ASSERT_EQ(hl::openedUrls().size(), 2u);
    EXPECT_EQ(hl::openedUrls()[1], webSiteItemAddress(shell().paths));
    EXPECT_TRUE(hl::openedUrls()[1] == guide || hl::openedUrls()[1].rfind("http", 0) == 0)
        << "the configured web site, or else the guide";
    EXPECT_TRUE(hl::shownMessages().empty());

    // No browser: a box names the guide's file, and the frame stays.
    platform::bringToFront(frame());
    hl::failOpeningUrls(true);
    for (const int item : {1401, 1403}) {
        hl::clearShownMessages();
        commandNow(item);
        ASSERT_EQ(hl::shownMessages().size(), 1u);
        EXPECT_EQ(hl::shownMessages()[0].icon, platform::Icon::Error);
        EXPECT_NE(hl::shownMessages()[0].text.find(run + "/guide.html"), std::string::npos)
            << hl::shownMessages()[0].text;
        EXPECT_FALSE(platform::isWindowMinimised(frame()));
    }
}

TEST_F(FrameCommandsTest, AboutShowsTheSplashUntilAKeyArrives) {
    start();
    shell().splash.create32(40, 30);
    shell().splash.clearWhite();
    const long double before = hl::now();
    hl::atTime(before + 0.5L, [] {
        hl::postKey(platform::findWindow("SplashWindowClass", "Splash Screen"), MessageKind::KeyDown,
                    platform::Key::Escape);
    });
    // Should the key be lost, a late one keeps the test from waiting forever.
    hl::atTime(before + 100.0L, [] {
        hl::postKey(platform::findWindow("SplashWindowClass", "Splash Screen"), MessageKind::KeyDown,
                    platform::Key::Escape);
    });
    commandNow(1400);
    EXPECT_EQ(platform::findWindow("SplashWindowClass", "Splash Screen"), platform::kNoWindow);
    EXPECT_GE(hl::now() - before, 0.5L);
    EXPECT_LT(hl::now() - before, 1.0L) << "the key closed it";
}

TEST_F(FrameCommandsTest, ClosingUnsavedAsksOnceAndNoClosesWithoutSaving) {
    start();
    press(10, 10);
    passes(1);
    release(10, 10);
    passes(1);
    ASSERT_FALSE(shell().painting.saved);
    hl::clearShownMessages();
    hl::plantAnswer(platform::Answer::No);
    command(1009);
    runMainLoop(program());
    EXPECT_TRUE(shell().quitRequested);
    ASSERT_EQ(hl::shownMessages().size(), 1u);
    EXPECT_EQ(hl::shownMessages()[0].caption, "Save Changes?");
    EXPECT_EQ(hl::shownMessages()[0].text, "Would you like to save your painting?");
    EXPECT_TRUE(hl::shownFileChoosers().empty());
    EXPECT_FALSE(platform::windowExists(shell().windows.canvas));
}

TEST_F(FrameCommandsTest, ClosingWithYesSavesThePainting) {
    start();
    press(10, 10);
    passes(2);
    release(10, 10);
    passes(1);
    hl::plantAnswer(platform::Answer::Yes);
    hl::plantFileChoice(dir_.path("kept.pai"));
    hl::postCommand(frame(), 1009);
    runMainLoop(program());
    Canvas back;
    EXPECT_EQ(readPaintingFile(dir_.path("kept.pai"), back), PaintingLoadResult::kOk);
    EXPECT_EQ(back.width, 600u);
}

TEST_F(FrameCommandsTest, SavedPaintingClosesWithoutAQuestion) {
    start();
    hl::clearShownMessages();
    hl::postCommand(frame(), 1009);
    runMainLoop(program());
    EXPECT_TRUE(hl::shownMessages().empty());
}

TEST_F(FrameCommandsTest, MenuShortcutsAreShownBesideTheFileItemsAndMakeTheirCommands) {
    start();
    const std::vector<platform::MenuItem> menus = frameMenu(shell().paths);
    std::vector<std::pair<std::string, std::string>> shown;
    for (const platform::MenuItem& item : menus[0].items) {
        if (!item.shortcut.empty()) shown.emplace_back(item.text, item.shortcut);
    }
    EXPECT_EQ(
        shown,
        (std::vector<std::pair<std::string, std::string>>{
            {"&New", "Ctrl+N"}, {"&Open", "Ctrl+O"}, {"&Save", "Ctrl+S"}, {"&Print", "Ctrl+P"}, {"E&xit", "Ctrl+Q"}}));
    EXPECT_TRUE(menus[1].items[0].shortcut.empty()) << "Ctrl+Z stays the key handler's own";

    press(10, 10);
    passes(4);
    release(10, 10);
    passes(1);
    hl::clearShownMessages();
    // Keys reach the handler from the canvas, the frame and the panels alike.
    key(platform::Key::Control, true);
    key(platform::characterKey('O'), true);
    passes(4);  // held: one command
    EXPECT_EQ(hl::shownMessages().size(), 1u) << "Open asks about the unsaved painting first";
    key(platform::characterKey('O'), false);
    hl::postKey(frame(), MessageKind::KeyDown, platform::characterKey('S'));
    passes(4);
    EXPECT_EQ(hl::shownFileChoosers(), std::vector<std::string>{"Save As"});
    hl::postKey(frame(), MessageKind::KeyUp, platform::characterKey('S'));
    hl::postKey(shell().windows.coloursPanel, MessageKind::KeyDown, platform::characterKey('P'));
    passes(4);
    EXPECT_EQ(hl::printDialogsShown(), 1);
    // Shift or Alt with the letter is another key: nothing.
    key(platform::Key::Shift, true);
    key(platform::characterKey('N'), true);
    passes(4);
    EXPECT_EQ(hl::shownMessages().size(), 1u);
    key(platform::characterKey('N'), false);
    key(platform::Key::Shift, false);
    key(platform::characterKey('N'), true);
    passes(4);
    EXPECT_EQ(hl::shownMessages().size(), 2u) << "New asks about the unsaved painting";
    hl::plantAnswer(platform::Answer::No);
    key(platform::characterKey('Q'), true);
    passes(6);
    EXPECT_TRUE(shell().quitRequested);
}

}  // namespace
}  // namespace sc::testing
