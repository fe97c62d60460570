// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands through the menu messages, answered with planted
// choices: Save, Open, "Save Changes?", New, Image Size, Import and Export,
// and that a save that did not happen never lets a painting be discarded.
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

#include "app/file_commands.h"
#include "app/import_image.h"
#include "app/new_image_driver.h"
#include "app/painting_io.h"
#include "engine/surface.h"
#include "formats/bmp_writer.h"
#include "formats/little_endian.h"
#include "formats/painting_file.h"
#include "formats/picture_file.h"
#include "platform/dialogs.h"
#include "shell/canvas_view.h"
#include "shell/frame_window.h"
#include "shell/shell_fixture.h"
#include "support/run_batch.h"

namespace sc::testing {
namespace {

using platform::Answer;

class FileCommandsTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        shell().lastChosenPath.clear();
        start();
        hl::clearShownMessages();  // start-up's own complaints about missing files
    }
    // One stroke: the painting then has unsaved changes.
    void paintSomething() {
        pressNow(100, 100);
        move(160, 130);
        passes(3);
        release(160, 130);
        passes(2);
        ASSERT_FALSE(shell().painting.saved);
    }
    // Texts of the boxes shown, leaving out the picture cache's own complaints
    // (the test folder has no skin pictures).
    static std::vector<std::string> shownTexts() {
        std::vector<std::string> out;
        for (const auto& m : hl::shownMessages()) {
            if (m.text.rfind("Failed to ", 0) != 0) out.push_back(m.text);
        }
        return out;
    }
    void writeHeaderOnly(const std::string& path, std::uint32_t magic, std::uint32_t version) {
        std::string bytes(80, '\0');
        auto* p = reinterpret_cast<std::uint8_t*>(bytes.data());
        putU32(p, magic);
        putU32(p + 4, version);
        putU32(p + 8, 4);
        putU32(p + 12, 4);
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string unwritable() { return dir_.path("no/such/folder/x.pai"); }
};

TEST_F(FileCommandsTest, SaveWritesInHighQualityAndTheNextChooserOffersThePath) {
    paintSomething();
    document().highQuality = false;
    hl::plantFileChoice(dir_.path("work"));  // typed without an extension
    commandNow(kCmdSave);
    EXPECT_TRUE(shell().painting.saved);
    EXPECT_FALSE(document().highQuality) << "the view's setting comes back";
    Canvas back;
    EXPECT_EQ(readPaintingFile(dir_.path("work.pai"), back), PaintingLoadResult::kOk);
    ASSERT_EQ(hl::shownFileChoices().size(), 1u);
    const platform::FileChoice& c = hl::shownFileChoices()[0];
    EXPECT_EQ(c.filter, "Smudgecraft file (*.pai)");
    EXPECT_EQ(c.defaultExtension, "pai");
    commandNow(kCmdSave);  // cancelled
    ASSERT_EQ(hl::shownFileChoices().size(), 2u);
    EXPECT_EQ(hl::shownFileChoices()[1].startPath, dir_.path("work.pai"));
}

// A cancelled or failed save leaves the painting unsaved, so New, Open and
// closing still ask about it.
TEST_F(FileCommandsTest, SaveThatDidNotHappenLeavesThePaintingUnsaved) {
    paintSomething();
    commandNow(kCmdSave);
    EXPECT_FALSE(shell().painting.saved) << "chooser cancelled";
    EXPECT_TRUE(shownTexts().empty());

    hl::plantFileChoice(unwritable());
    commandNow(kCmdSave);
    EXPECT_FALSE(shell().painting.saved) << "write failed";
    ASSERT_EQ(shownTexts(), std::vector<std::string>{"File Save failed!"});
    EXPECT_EQ(hl::shownMessages().back().caption, "Error");
}

TEST_F(FileCommandsTest, OpenWithUnsavedChangesAsksFirst) {
    Canvas other;
    ASSERT_TRUE(other.allocate(30, 20));
    ASSERT_TRUE(writePaintingFile(dir_.path("other.pai"), other));
    paintSomething();
    const std::uint64_t painted = cellHash(document());

    hl::plantAnswer(Answer::Cancel);
    commandNow(kCmdOpen);
    ASSERT_EQ(hl::shownMessages().size(), 1u);
    EXPECT_EQ(hl::shownMessages()[0].caption, "Save Changes?");
    EXPECT_EQ(hl::shownMessages()[0].text, "Would you like to save your painting?");
    EXPECT_EQ(hl::shownMessages()[0].buttons, platform::Buttons::YesNoCancel);
    EXPECT_TRUE(hl::shownFileChoosers().empty()) << "Cancel stops before the chooser";
    EXPECT_EQ(cellHash(document()), painted);

    hl::plantAnswer(Answer::Yes);
    hl::plantFileChoice(dir_.path("mine.pai"));
    hl::plantFileChoice(dir_.path("other.pai"));
    commandNow(kCmdOpen);
    Canvas mine;
    EXPECT_EQ(readPaintingFile(dir_.path("mine.pai"), mine), PaintingLoadResult::kOk);
    EXPECT_EQ(document().width, 30u);
    EXPECT_EQ(platform::clientRect(canvasWindow()).width(), 30);
    EXPECT_TRUE(shell().painting.saved);

    paintSomething();
    hl::plantAnswer(Answer::No);
    hl::plantFileChoice(dir_.path("mine.pai"));
    commandNow(kCmdOpen);
    EXPECT_EQ(hl::shownFileChoosers().size(), 3u) << "No opens without saving";
    EXPECT_EQ(document().width, 600u);
}

TEST_F(FileCommandsTest, RefusedFileKeepsThePaintingAndUndoAvailable) {
    paintSomething();
    writeHeaderOnly(dir_.path("bad.pai"), 0x1234, 2);
    writeHeaderOnly(dir_.path("later.pai"), 0x5ED7, 7);
    const std::uint64_t painted = cellHash(document());
    struct Case {
        const char* file;
        const char* readerText;
    };
    for (const Case c : {Case{"bad.pai", "The file you selected is either corrupt \nor not a valid Smudgecraft file."},
                         Case{"later.pai", "The file you selected requires a later version of Smudgecraft!"}}) {
        hl::clearShownMessages();
        hl::plantAnswer(Answer::No);
        hl::plantFileChoice(dir_.path(c.file));
        commandNow(kCmdOpen);
        EXPECT_EQ(shownTexts(), (std::vector<std::string>{"Would you like to save your painting?", c.readerText,
                                                          "File Load failed!"}));
        EXPECT_EQ(cellHash(document()), painted) << c.file;
        EXPECT_TRUE(shell().painting.undoValid) << c.file;
        EXPECT_FALSE(shell().painting.saved) << c.file;
    }
    commandNow(kCmdUndo);
    EXPECT_EQ(cellHash(document()), painted) << "the snapshot holds the same painting";
}

TEST_F(FileCommandsTest, UndoAfterASuccessfulOpenSwapsOnlyBrushSettings) {
    Canvas other;
    ASSERT_TRUE(other.allocate(40, 10));
    ASSERT_TRUE(writePaintingFile(dir_.path("other.pai"), other));
    shell().tools.live.size = 11;
    hl::plantFileChoice(dir_.path("other.pai"));
    commandNow(kCmdOpen);
    ASSERT_EQ(document().width, 40u);
    EXPECT_TRUE(shell().painting.saved);
    EXPECT_FALSE(shell().painting.undoValid);
    const std::uint64_t opened = cellHash(document());
    shell().tools.live.size = 55;
    commandNow(kCmdUndo);
    EXPECT_EQ(cellHash(document()), opened);
    EXPECT_EQ(document().width, 40u);
    EXPECT_EQ(shell().tools.live.size, 11);
}

// "Save Changes?" answered Yes stops the command when the save did not
// happen.
TEST_F(FileCommandsTest, YesWithoutASaveStopsOpenImportAndNew) {
    paintSomething();
    const std::uint64_t painted = cellHash(document());
    for (const int id : {kCmdOpen, kCmdImportImage}) {
        const std::size_t before = hl::shownFileChoosers().size();
        hl::plantAnswer(Answer::Yes);  // and the save chooser is cancelled
        commandNow(id);
        EXPECT_EQ(hl::shownFileChoosers().size(), before + 1) << "only the save chooser, command " << id;
        hl::plantAnswer(Answer::Yes);
        hl::plantFileChoice(unwritable());
        commandNow(id);
        EXPECT_EQ(hl::shownFileChoosers().size(), before + 2) << id;
        EXPECT_EQ(shownTexts().back(), "File Save failed!");
        EXPECT_EQ(cellHash(document()), painted);
        EXPECT_FALSE(shell().painting.saved);
    }
    bool seen = false;
    hl::plantAnswer(Answer::Yes);
    answerNewImage("10", "10", DialogEnd::Ok, &seen);
    commandNow(kCmdNew);
    passes(2);
    EXPECT_FALSE(seen) << "New stopped before its dialog";
    EXPECT_EQ(document().width, 600u);
}

// Closing stays open unless the question is answered No or the chosen save
// happened: a question closed without an answer (Escape, its close button)
// keeps the program too.
TEST_F(FileCommandsTest, ClosingStaysOpenUnlessNoOrTheChosenSaveHappened) {
    paintSomething();
    const std::uint64_t painted = cellHash(document());
    hl::plantAnswer(Answer::Cancel);
    commandNow(kCmdExit);
    passes(1);
    EXPECT_TRUE(platform::windowExists(frame()));
    EXPECT_FALSE(shell().quitRequested);
    EXPECT_EQ(cellHash(document()), painted);

    hl::plantAnswer(Answer::Yes);
    commandNow(kCmdExit);
    passes(1);
    EXPECT_TRUE(platform::windowExists(frame()));
    EXPECT_FALSE(shell().quitRequested);

    hl::plantAnswer(Answer::Yes);
    hl::plantFileChoice(unwritable());
    commandNow(kCmdExit);
    passes(1);
    EXPECT_TRUE(platform::windowExists(frame()));
    EXPECT_EQ(shownTexts().back(), "File Save failed!");

    hl::plantAnswer(Answer::No);
    commandNow(kCmdExit);
    passes(1);
    EXPECT_TRUE(shell().quitRequested);
}

TEST_F(FileCommandsTest, NewChecksTheSizeLimits) {
    takeUndoSnapshot(shell().painting, shell().tools, true);
    shell().painting.saved = true;
    ASSERT_EQ(shell().painting.history.stepCount(), 1u);
    answerNewImage("2000", "2000", DialogEnd::Ok);
    commandNow(kCmdNew);
    EXPECT_EQ(document().width, 2000u);
    EXPECT_EQ(document().height, 2000u);
    EXPECT_TRUE(shell().painting.saved);
    EXPECT_EQ(shell().painting.history.stepCount(), 0u) << "a new painting, a new history";
    takeUndoSnapshot(shell().painting, shell().tools, true);
    shell().painting.saved = true;
    for (const char* w : {"2001", "0"}) {
        hl::clearShownMessages();
        answerNewImage(w, "10", DialogEnd::Ok);
        commandNow(kCmdNew);
        ASSERT_EQ(shownTexts(),
                  std::vector<std::string>{
                      "The document can be no less than 1x1 pixels and no greater than 2000x2000 pixels!"})
            << w;
        EXPECT_EQ(hl::shownMessages().back().caption, "Warning");
        EXPECT_EQ(hl::shownMessages().back().icon, platform::Icon::Exclamation);
        EXPECT_EQ(document().width, 2000u) << w;
    }
    answerNewImage("10", "10", DialogEnd::Cancel);
    commandNow(kCmdNew);
    EXPECT_EQ(document().width, 2000u) << "cancelled";
    EXPECT_EQ(shell().painting.history.stepCount(), 1u) << "New that made nothing keeps the history";
}

// The private writable memory this process has mapped now (VmData), in
// bytes: what RLIMIT_DATA counts, reserved malloc arenas included. Unused
// where the sanitizer builds leave out the test that reads it.
[[maybe_unused]] std::uint64_t dataInUse() {
    std::ifstream status("/proc/self/status");
    std::string key;
    std::uint64_t kilobytes = 0;
    while (status >> key) {
        if (key == "VmData:") {
            status >> kilobytes;
            break;
        }
    }
    return kilobytes * 1024u;
}

TEST_F(FileCommandsTest, ANewPaintingThatCannotBeMadeKeepsTheOldOneAndSaysSo) {
    paintSomething();
    const std::uint64_t painted = cellHash(document());
    const WindowId window = canvasWindow();
    auto keptAndSaidSo = [&] {
        return document().width == 600u && cellHash(document()) == painted && !shell().painting.saved &&
               canvasWindow() == window && !shownTexts().empty() && shownTexts().back() == kNewImageFailedText &&
               hl::shownMessages().back().caption == "Error";
    };
    // Beyond any memory.
    EXPECT_FALSE(newImage(program(), 0xffffffffu, 0xffffffffu));
    EXPECT_TRUE(keptAndSaidSo());
#if !defined(__SANITIZE_ADDRESS__)
    // File, New of an allowed size with too little memory left (the address
    // sanitizer maps more memory than such a limit allows). The
    // undo copy of the stroke stays too.
    hl::clearShownMessages();
    auto newWithTooLittleMemory = [&] {
        // The data limit also counts memory a malloc arena made usable inside
        // space it had reserved earlier, which an address-space limit misses.
        const rlimit tight{dataInUse() + (16u << 20), RLIM_INFINITY};
        if (setrlimit(RLIMIT_DATA, &tight) != 0) return 3;
        hl::plantAnswer(Answer::No);
        answerNewImage("2000", "2000", DialogEnd::Ok);
        commandNow(kCmdNew);
        passes(2);
        return keptAndSaidSo() && shell().painting.undoValid ? 0 : 1;
    };
    EXPECT_EXIT(std::_Exit(newWithTooLittleMemory()), ::testing::ExitedWithCode(0), "");
#endif
}

TEST_F(FileCommandsTest, ImageSizeResamplesAndUndoSwapsBothWays) {
    paintSomething();
    const std::uint64_t original = cellHash(document());
    answerNewImage("300", "200", DialogEnd::Ok);
    commandNow(kCmdImageSize);
    ASSERT_EQ(document().width, 300u);
    ASSERT_EQ(document().height, 200u);
    EXPECT_TRUE(document().rendered);
    EXPECT_EQ(platform::clientRect(canvasWindow()).width(), 300);
    const std::uint64_t resized = cellHash(document());
    commandNow(kCmdUndo);
    EXPECT_EQ(document().width, 600u);
    EXPECT_EQ(cellHash(document()), original);
    EXPECT_EQ(platform::clientRect(canvasWindow()).width(), 600);
    commandNow(kCmdUndo);
    EXPECT_EQ(document().width, 300u);
    EXPECT_EQ(cellHash(document()), resized);
}

TEST_F(FileCommandsTest, ImportTurnsAPictureIntoAFlatPainting) {
    Surface picture;
    ASSERT_TRUE(picture.create(2, 1, false));
    picture.setPixel(0, 0, 128, 128, 128);
    picture.setPixel(1, 0, 200, 40, 10);
    ASSERT_TRUE(writeBmp(picture, dir_.path("photo.bmp")));
    hl::plantFileChoice(dir_.path("photo.bmp"));
    commandNow(kCmdImportImage);
    EXPECT_EQ(
        hl::shownFileChoices().back().filter,
        "All Formats (*.jpg *.jpeg *.bmp *.tif *.tiff *.png);;JPEG (*.jpg);;BITMAP (*.bmp);;PNG (*.png);;TIFF (*.tif)");
    EXPECT_TRUE(hl::shownFileChoices().back().defaultExtension.empty());
    ASSERT_EQ(document().width, 2u);
    EXPECT_EQ(platform::clientRect(canvasWindow()).width(), 2);
    const PaintCell& grey = document().at(0, 0);
    EXPECT_EQ(grey.red + grey.green + grey.blue, 0);
    EXPECT_EQ(grey.grain, 128);
    EXPECT_EQ(grey.shine, 255);
    EXPECT_EQ(grey.height, 1.0f);
    const PaintCell& colour = document().at(1, 0);
    EXPECT_EQ(colour.red, 190);
    EXPECT_EQ(colour.green, 30);
    EXPECT_EQ(colour.grain, 10);
    EXPECT_FALSE(shell().painting.saved);
    EXPECT_FALSE(shell().painting.undoValid);
}

TEST_F(FileCommandsTest, FailedImportSaysSoEveryTimeAndKeepsThePainting) {
    shell().pictureFailureShown = false;
    std::ofstream(dir_.path("not.jpg")) << "not a picture";
    const std::uint64_t before = cellHash(document());
    for (int i = 0; i < 2; ++i) {
        hl::plantFileChoice(dir_.path("not.jpg"));
        commandNow(kCmdImportImage);
    }
    EXPECT_EQ(shownTexts(),
              (std::vector<std::string>{"An image failed to load!", "Image failed to load!", "Image failed to load!"}));
    EXPECT_EQ(cellHash(document()), before);
}

TEST_F(FileCommandsTest, ExportOfAThreeByTwoCanvasIs78Bytes) {
    answerNewImage("3", "2", DialogEnd::Ok);
    commandNow(kCmdNew);
    passes(1);
    ASSERT_EQ(document().width, 3u);
    hl::plantFileChoice(dir_.path("small"));
    commandNow(kCmdExportImage);
    EXPECT_EQ(hl::shownFileChoices().back().filter,
              "Bitmap Image (*.bmp);;PNG Image (*.png);;TIFF Image (*.tif *.tiff);;JPEG Image (*.jpg *.jpeg)");
    const std::string bytes = readFileBytes(dir_.path("small.bmp"));
    ASSERT_EQ(bytes.size(), 78u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(getU32(reinterpret_cast<const std::uint8_t*>(bytes.data()) + 2), 78u);
    // Each 12-byte row: three white pixels, then three bytes of zero padding.
    EXPECT_EQ(bytes.substr(54),
              std::string(9, '\xFF') + std::string(3, '\0') + std::string(9, '\xFF') + std::string(3, '\0'));
    commandNow(kCmdExportImage);  // cancelled: nothing happens
    EXPECT_TRUE(shownTexts().empty());

    // A folder that cannot be written: nothing is written, and the box says so.
    hl::plantFileChoice(dir_.path("no/such/folder/x.png"));
    commandNow(kCmdExportImage);
    ASSERT_EQ(shownTexts(), std::vector<std::string>{kExportFailedText});
    EXPECT_EQ(hl::shownMessages().back().caption, "Error");
    EXPECT_EQ(hl::shownMessages().back().icon, platform::Icon::Error);
    hl::clearShownMessages();

    // An empty painting has no picture: nothing is written and, as in the
    // batch tool, the box says so.
    Canvas empty;
    ASSERT_TRUE(empty.allocate(0, 0));
    ASSERT_TRUE(writePaintingFile(dir_.path("empty.pai"), empty));
    hl::plantFileChoice(dir_.path("empty.pai"));
    commandNow(kCmdOpen);
    ASSERT_EQ(document().width, 0u);
    passes(1);
    hl::plantFileChoice(dir_.path("empty.bmp"));
    commandNow(kCmdExportImage);
    EXPECT_FALSE(fileExists(dir_.path("empty.bmp")));
    EXPECT_EQ(shownTexts(), std::vector<std::string>{kExportFailedText});
}

TEST_F(FileCommandsTest, ExportWritesTheFormatOfTheExtensionAndAsksAJpegItsQuality) {
    paintSomething();
    passes(1);
    const Surface& picture = document().surface;
    hl::plantFileChoice(dir_.path("painting.png"));
    commandNow(kCmdExportImage);
    Surface back;
    ASSERT_EQ(readPictureFile(dir_.path("painting.png"), back), PictureLoadResult::kOk);
    ASSERT_EQ(back.width(), 600u);
    bool same = true;
    for (std::uint32_t y = 0; y < 600; y += 3) {
        for (std::uint32_t x = 0; x < 600; x += 3) same = same && back.getPixel(x, y) == picture.getPixel(x, y);
    }
    EXPECT_TRUE(same);
    EXPECT_TRUE(hl::shownNumberQuestions().empty()) << "only a JPEG asks";

    // A JPEG asks, offering 90 and then the last quality chosen; Cancel writes nothing.
    hl::plantFileChoice(dir_.path("low.jpg"));
    hl::plantNumber(5);
    commandNow(kCmdExportImage);
    hl::plantFileChoice(dir_.path("cancelled.jpeg"));
    hl::plantNumber(std::nullopt);
    commandNow(kCmdExportImage);
    hl::plantFileChoice(dir_.path("high.JPG"));
    hl::plantNumber(100);
    commandNow(kCmdExportImage);
    ASSERT_EQ(hl::shownNumberQuestions().size(), 3u);
    EXPECT_EQ(hl::shownNumberQuestions()[0].caption, kJpegQualityCaption);
    EXPECT_EQ(hl::shownNumberQuestions()[0].value, 90);
    EXPECT_EQ(hl::shownNumberQuestions()[0].minimum, 1);
    EXPECT_EQ(hl::shownNumberQuestions()[0].maximum, 100);
    EXPECT_EQ(hl::shownNumberQuestions()[1].value, 5);
    EXPECT_EQ(hl::shownNumberQuestions()[2].value, 5);
    EXPECT_FALSE(fileExists(dir_.path("cancelled.jpeg")));
    EXPECT_LT(readFileBytes(dir_.path("low.jpg")).size(), readFileBytes(dir_.path("high.JPG")).size());
    EXPECT_EQ(readPictureFile(dir_.path("high.JPG"), back), PictureLoadResult::kOk);
    EXPECT_TRUE(shownTexts().empty());
}

}  // namespace
}  // namespace sc::testing
