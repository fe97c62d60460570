// SPDX-License-Identifier: GPL-3.0-or-later
// The New Image dialog run by the program headless: its fields, its push
// buttons, closing it, and the other windows disabled while it runs.
#include <filesystem>

#include "app/new_image_driver.h"
#include "platform/furniture.h"
#include "platform/test_queries.h"
#include "shell/shell_fixture.h"
#include "ui/floating_windows.h"
#include "ui/new_image_dialog.h"

namespace sc::testing {
namespace {

class NewImageDialogTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        // The skin pictures, when built, give the buttons their own size.
        const std::filesystem::path work = std::filesystem::path(SMUDGECRAFT_RUN_DIR) / "WorkData";
        if (std::filesystem::exists(work / "filenew.bmp")) {
            std::filesystem::create_directory_symlink(work, dir_.path("WorkData"));
        }
        start();
    }
};

TEST(FieldNumber, ReadsUnsignedNumbersAndZeroForAnythingElse) {
    EXPECT_EQ(fieldNumber("600"), 600);
    EXPECT_EQ(fieldNumber("  42"), 42);
    EXPECT_EQ(fieldNumber(""), 0);
    EXPECT_EQ(fieldNumber("42 "), 0);
    EXPECT_EQ(fieldNumber("-5"), 0);
    EXPECT_EQ(fieldNumber("12a"), 0);
    EXPECT_EQ(fieldNumber("4294967295"), -1);
    EXPECT_EQ(fieldNumber("4294967296"), 0);
}

TEST_F(NewImageDialogTest, OpensCentredWithTheSizeAndDisablesEveryOtherWindow) {
    bool checked = false;
    hl::atTime(hl::now() + 0.02L, [&] {
        const WindowId w = newImageWindow();
        ASSERT_NE(w, platform::kNoWindow);
        checked = true;
        EXPECT_EQ(platform::editText(w, kWidthFieldId), "640");
        EXPECT_EQ(platform::editText(w, kHeightFieldId), "480");
        // Desktop 1280 x 1000: ((1280 - 234) / 2, (1000 - 149) / 2 - 50).
        EXPECT_EQ(platform::windowPosition(w).x, 523);
        EXPECT_EQ(platform::windowPosition(w).y, 375);
        EXPECT_FALSE(platform::isWindowEnabled(frame()));
        EXPECT_FALSE(platform::isWindowEnabled(shell().windows.documentArea));
        for (int i = 0; i < panels().floating.count; ++i)
            EXPECT_FALSE(platform::isWindowEnabled(panels().floating.windows[i]));
        EXPECT_TRUE(platform::isWindowEnabled(w));
    });
    answerNewImage(std::nullopt, std::nullopt, DialogEnd::Ok);
    const NewImageSize size = runNewImageDialog(shell(), panels().floating, 640, 480);
    EXPECT_TRUE(checked);
    EXPECT_EQ(size.width, 640);
    EXPECT_EQ(size.height, 480);
    EXPECT_EQ(newImageWindow(), platform::kNoWindow);
    EXPECT_TRUE(platform::isWindowEnabled(frame()));
    for (int i = 0; i < panels().floating.count; ++i)
        EXPECT_TRUE(platform::isWindowEnabled(panels().floating.windows[i]));
}

TEST_F(NewImageDialogTest, ReturnsTheFieldsAsTyped) {
    answerNewImage("3000", std::nullopt, DialogEnd::Ok);
    NewImageSize size = runNewImageDialog(shell(), panels().floating, 600, 600);
    EXPECT_EQ(size.width, 3000);
    EXPECT_EQ(size.height, 600);
    answerNewImage(std::nullopt, "", DialogEnd::Ok);
    size = runNewImageDialog(shell(), panels().floating, 600, 600);
    EXPECT_EQ(size.height, 0) << "a cleared field reads 0";
    answerNewImage("12a", "7", DialogEnd::Ok);
    size = runNewImageDialog(shell(), panels().floating, 600, 600);
    EXPECT_EQ(size.width, 0);
    EXPECT_EQ(size.height, 7);
    answerNewImage("640", "480", DialogEnd::EnterKey);
    size = runNewImageDialog(shell(), panels().floating, 600, 600);
    EXPECT_EQ(size.width, 640) << "Enter answers OK";
    EXPECT_EQ(size.height, 480);
}

TEST_F(NewImageDialogTest, CancelTheCloseButtonAndEscapeAllCancel) {
    for (const DialogEnd end : {DialogEnd::Cancel, DialogEnd::Close, DialogEnd::EscapeKey}) {
        const long double t = hl::now();
        answerNewImage("10", "10", end);
        EXPECT_EQ(runNewImageDialog(shell(), panels().floating, 600, 600).width, kNewImageCancelled);
        EXPECT_LT(hl::now() - t, 30.0L) << "ended by the answer, not by the driver's late close";
    }
}

TEST_F(NewImageDialogTest, OkReleasedOutsideItDoesNotEndTheDialog) {
    bool stillOpen = false;
    const long double t = hl::now();
    hl::atTime(t + 0.02L, [] {
        const WindowId w = newImageWindow();
        hl::postPointer(w, MessageKind::MouseMove, 40, 110);
        hl::postPointer(w, MessageKind::LeftDown, 40, 110);
        hl::postPointer(w, MessageKind::MouseMove, 200, 20);
        hl::postPointer(w, MessageKind::LeftUp, 200, 20);
    });
    hl::atTime(t + 1.0L, [&] {
        const WindowId w = newImageWindow();
        stillOpen = w != platform::kNoWindow;
        clickDialog(w, 140, 110);
    });
    hl::atTime(t + 60.0L, [] {
        platform::Message m;
        m.kind = MessageKind::Close;
        m.window = newImageWindow();
        platform::postMessage(m);
    });
    EXPECT_EQ(runNewImageDialog(shell(), panels().floating, 600, 600).width, kNewImageCancelled);
    EXPECT_TRUE(stillOpen);
}

TEST_F(NewImageDialogTest, FailuresToMakeItsWindowsAreReported) {
    hl::clearShownMessages();
    hl::failEditFieldCreation(true);
    answerNewImage(std::nullopt, std::nullopt, DialogEnd::Ok);
    EXPECT_EQ(runNewImageDialog(shell(), panels().floating, 5, 6).width, 5) << "the dialog still runs";
    hl::failEditFieldCreation(false);
    int editFailures = 0;
    for (const auto& m : hl::shownMessages()) editFailures += m.text == "Edit Box Failed." ? 1 : 0;
    EXPECT_EQ(editFailures, 2);

    hl::clearShownMessages();
    hl::failWindowCreation(kNewImageClass);
    EXPECT_EQ(runNewImageDialog(shell(), panels().floating, 5, 6).width, kNewImageCancelled);
    ASSERT_FALSE(hl::shownMessages().empty());
    EXPECT_EQ(hl::shownMessages().back().text, "Failed To Create Palette Window");
    EXPECT_TRUE(platform::isWindowEnabled(frame()));
}

}  // namespace
}  // namespace sc::testing
