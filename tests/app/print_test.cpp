// SPDX-License-Identifier: GPL-3.0-or-later
// Page Setup and Print: the fit-to-page arithmetic, and the printed page of
// the headless printer, whose printable size the test sets.
#include "app/print.h"
#include "platform/windows.h"
#include "shell/canvas_view.h"
#include "shell/frame_window.h"
#include "shell/shell_fixture.h"

namespace sc::testing {
namespace {

TEST(FitToPage, ScalesToTheWidthThenTakesTheMarginAndCentres) {
    const PrintPlacement p = fitToPage(512, 256, 4096, 8192);
    EXPECT_EQ(p.width, 3686);  // 4096 x 0.89999998, truncated
    EXPECT_EQ(p.height, 1843);
    EXPECT_EQ(p.x, 205);
    EXPECT_EQ(p.y, 3175);
}

TEST(FitToPage, ScalesToTheHeightWhenTheWidthMakesItTooTall) {
    const PrintPlacement p = fitToPage(256, 512, 4096, 4096);
    EXPECT_EQ(p.width, 1843);
    EXPECT_EQ(p.height, 3686);
    EXPECT_EQ(p.x, 1127);
    EXPECT_EQ(p.y, 205);
}

class PrintTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        start();
    }
    // A painted document of the given size, drawn as the main loop would.
    void documentOf(std::uint32_t w, std::uint32_t h) {
        newImage(program(), w, h);
        for (std::uint32_t y = 0; y < h; ++y) {
            for (std::uint32_t x = 0; x < w; ++x) {
                PaintCell& c = document().at(x, y);
                c.red = static_cast<std::uint8_t>(x);
                c.green = static_cast<std::uint8_t>(y);
                c.blue = 40;
            }
        }
        document().invalidate();
    }
};

TEST_F(PrintTest, PrintPlacesTheRenderedPaintingOnThePageOncePerCopy) {
    documentOf(512, 256);
    hl::setPrinterPage(4096, 8192);
    hl::plantPrintAnswer(true, 3);
    commandNow(kCmdPrint);
    ASSERT_EQ(hl::pagesPrinted(), 3);
    EXPECT_TRUE(document().rendered) << "Print renders first";
    const hl::PrintedPage& page = hl::lastPrintedPage();
    EXPECT_EQ(page.documentName, "Bitmap Printing Test");
    EXPECT_EQ(page.placed.left, 205);
    EXPECT_EQ(page.placed.top, 3175);
    EXPECT_EQ(page.placed.width(), 3686);
    EXPECT_EQ(page.placed.height(), 1843);
    EXPECT_EQ(page.picture.width(), 4096u);
    EXPECT_EQ(page.picture.height(), 8192u);
    EXPECT_EQ(page.picture.getPixel(204, 3175), 0xffffffu) << "margin stays white";
    EXPECT_EQ(page.picture.getPixel(205, 3175), document().surface.getPixel(0, 0));
    EXPECT_EQ(page.picture.getPixel(205 + 3685, 3175 + 1842), document().surface.getPixel(511, 255));
}

TEST_F(PrintTest, PageSetupSettingsApplyToTheNextPrint) {
    documentOf(256, 512);
    hl::setPrinterPage(4096, 8192);
    hl::plantPageSetupAnswer(platform::Point{4096, 4096});
    commandNow(kCmdPageSetup);
    EXPECT_EQ(hl::pageSetupsShown(), 1);
    hl::plantPrintAnswer(true);
    commandNow(kCmdPrint);
    ASSERT_EQ(hl::pagesPrinted(), 1);
    const platform::Rect placed = hl::lastPrintedPage().placed;
    EXPECT_EQ(placed.left, 1127);
    EXPECT_EQ(placed.top, 205);
    EXPECT_EQ(placed.width(), 1843);
    EXPECT_EQ(placed.height(), 3686);
}

TEST_F(PrintTest, CancelledOrFailedPrintEndsSilently) {
    documentOf(20, 10);
    hl::clearShownMessages();
    hl::plantPrintAnswer(false);
    commandNow(kCmdPrint);
    hl::plantPrintAnswer(true);
    hl::failNextPrintStart();
    commandNow(kCmdPrint);
    EXPECT_EQ(hl::printDialogsShown(), 2);
    EXPECT_EQ(hl::pagesPrinted(), 0);
    EXPECT_TRUE(hl::shownMessages().empty());
}

}  // namespace
}  // namespace sc::testing
