// SPDX-License-Identifier: GPL-3.0-or-later
// Faults the user does not choose, through the program's own commands:
// a full file system while saving a painting, the preset lists or the files
// written at exit, and painting files cut short anywhere. In every case the
// old file, or the painting on screen, stays exactly as it was.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <limits>

#include "app/file_commands.h"
#include "app/painting_io.h"
#include "app/presets.h"
#include "formats/painting_file.h"
#include "formats/painting_v1.h"
#include "formats/prefs_file.h"
#include "platform/dialogs.h"
#include "shell/frame_window.h"
#include "shell/shell_fixture.h"
#include "support/size_limit.h"

namespace sc::testing {
namespace {

using platform::Answer;

// Below any painting or list file (the stroke list holds 604 bytes);
// "prefs.dat" holds 2, so the exit test uses a limit of 1.
constexpr rlim_t kTightLimit = 100;

std::string cellBytes(const Canvas& c) {
    return std::string(reinterpret_cast<const char*>(c.cells()), c.cellCount() * sizeof(PaintCell));
}

// The names in a folder: a failed write must leave no temporary file.
std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool hasTemporaryFile(const std::string& dir) {
    for (const std::string& name : namesIn(dir)) {
        if (name.find(".sc-save-") != std::string::npos) return true;
    }
    return false;
}

class FaultTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        shell().lastChosenPath.clear();
        start();
        hl::clearShownMessages();  // start-up's own complaints about missing files
    }
    // Texts of the boxes shown, without the picture cache's complaints.
    static std::vector<std::string> shownTexts() {
        std::vector<std::string> out;
        for (const auto& m : hl::shownMessages()) {
            if (m.text.rfind("Failed to ", 0) != 0) out.push_back(m.text);
        }
        return out;
    }
    // Every cell of the document differs from a blank one.
    void fillDocument(std::uint8_t seed) {
        Canvas& d = document();
        for (std::size_t i = 0; i < d.cellCount(); ++i) {
            PaintCell& c = d.cells()[i];
            c.red = static_cast<std::uint8_t>(seed + i);
            c.green = static_cast<std::uint8_t>(seed ^ (i >> 3));
            c.blue = static_cast<std::uint8_t>(i >> 7);
            c.grain = seed;
            c.shine = 100;
            c.height = static_cast<float>(i % 97) * 0.25f - 3.0f;
        }
        d.invalidate();
        shell().painting.saved = false;
    }
    std::string makeFolder(const std::string& name) {
        std::filesystem::create_directory(dir_.path(name));
        return dir_.path(name);
    }
};

// ---- A full file system -------------------------------------------------

TEST_F(FaultTest, SaveOnAFullDiskKeepsTheOldPaintingAndSaysSo) {
    const std::string folder = makeFolder("work");
    const std::string path = folder + "/mine.pai";
    fillDocument(10);
    hl::plantFileChoice(path);
    commandNow(kCmdSave);
    ASSERT_TRUE(shell().painting.saved);
    const std::string good = readFileBytes(path);
    ASSERT_GT(good.size(), kTightLimit);

    fillDocument(99);  // unsaved changes, so the new file would differ
    hl::clearShownMessages();
    hl::plantFileChoice(path);
    writeUnderSizeLimit(kTightLimit, [&] { commandNow(kCmdSave); });
    EXPECT_EQ(readFileBytes(path), good) << "the old painting, byte for byte";
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"mine.pai"}) << "no temporary file";
    EXPECT_EQ(shownTexts(), std::vector<std::string>{kFileSaveFailedText});
    EXPECT_EQ(hl::shownMessages().back().caption, "Error");
    EXPECT_FALSE(shell().painting.saved);

    // A device that is always full, reached through a link the user chose.
    ASSERT_EQ(::symlink("/dev/full", (folder + "/full.pai").c_str()), 0);
    hl::clearShownMessages();
    hl::plantFileChoice(folder + "/full.pai");
    commandNow(kCmdSave);
    EXPECT_EQ(shownTexts(), std::vector<std::string>{kFileSaveFailedText});
    EXPECT_FALSE(shell().painting.saved);
    struct stat st {};
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"full.pai", "mine.pai"}));

    // With room again the same command writes the new painting.
    hl::plantFileChoice(path);
    commandNow(kCmdSave);
    EXPECT_TRUE(shell().painting.saved);
    EXPECT_NE(readFileBytes(path), good);
}

TEST_F(FaultTest, ClosingWithAYesOnAFullDiskKeepsTheProgramAndThePainting) {
    const std::string path = makeFolder("work") + "/mine.pai";
    writeFileBytes(path, "old painting");
    fillDocument(5);
    const std::string painted = cellBytes(document());
    hl::plantAnswer(Answer::Yes);
    hl::plantFileChoice(path);
    writeUnderSizeLimit(kTightLimit, [&] {
        commandNow(kCmdExit);
        passes(1);
    });
    EXPECT_TRUE(platform::windowExists(frame()));
    EXPECT_FALSE(shell().quitRequested);
    EXPECT_EQ(cellBytes(document()), painted);
    EXPECT_EQ(readFileBytes(path), "old painting");
}

TEST_F(FaultTest, PresetListsOnAFullDiskKeepTheOldListFiles) {
    const std::string folder = makeFolder("lists");
    writeFileBytes(folder + "/palette.dat", "old brushes");
    writeFileBytes(folder + "/strokes.dat", "old strokes");
    EXPECT_FALSE(writeUnderSizeLimit(kTightLimit, [&] { return saveBrushPresets(shell(), folder + "/palette.dat"); }));
    EXPECT_FALSE(writeUnderSizeLimit(kTightLimit, [&] { return saveStrokePresets(shell(), folder + "/strokes.dat"); }));
    EXPECT_EQ(readFileBytes(folder + "/palette.dat"), "old brushes");
    EXPECT_EQ(readFileBytes(folder + "/strokes.dat"), "old strokes");
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"palette.dat", "strokes.dat"}));
    EXPECT_TRUE(saveBrushPresets(shell(), folder + "/palette.dat"));
    EXPECT_TRUE(saveStrokePresets(shell(), folder + "/strokes.dat"));
    EXPECT_EQ(readFileBytes(folder + "/palette.dat").size(), 2704u);
}

TEST_F(FaultTest, ExitOnAFullDiskKeepsAllThreeOldFilesAndSaysNothing) {
    exitProgram(program());  // the files as this run would leave them
    const std::string prefs = readFileBytes("prefs.dat");
    const std::string palette = readFileBytes(kPaletteFile);
    const std::string strokes = readFileBytes(kStrokesFile);
    ASSERT_EQ(prefs.size(), 2u);
    ASSERT_EQ(palette.size(), 2704u);
    ASSERT_EQ(strokes.size(), 604u);

    // Changes that each of the three files would take.
    commandNow(kCmdHighQuality);
    addBrushPreset(shell());
    addStrokePreset(shell(), StrokeDynamics{});
    hl::clearShownMessages();

    writeUnderSizeLimit(1, [this] { exitProgram(program()); });
    EXPECT_EQ(readFileBytes("prefs.dat"), prefs);
    EXPECT_EQ(readFileBytes(kPaletteFile), palette);
    EXPECT_EQ(readFileBytes(kStrokesFile), strokes);
    EXPECT_FALSE(hasTemporaryFile(dir_.dir()));
    EXPECT_FALSE(hasTemporaryFile(dir_.path("data")));
    EXPECT_TRUE(shownTexts().empty()) << "a list file that cannot be written is skipped silently";

    // The same exit with room writes all three anew.
    exitProgram(program());
    EXPECT_NE(readFileBytes("prefs.dat"), prefs);
    EXPECT_NE(readFileBytes(kPaletteFile), palette);
    EXPECT_NE(readFileBytes(kStrokesFile), strokes);
}

// ---- Painting files cut short ------------------------------------------

class TruncatedPaintingTest : public FaultTest {
protected:
    // Opens every cut of `whole` (every tenth byte, then the whole file)
    // with File, Open. Only the whole file may change the document; every
    // cut says the file is damaged and leaves the painting on screen alone.
    void openEveryCut(const std::string& whole, const Canvas& expected) {
        fillDocument(42);
        const std::string before = cellBytes(document());
        const std::uint32_t width = document().width, height = document().height;
        const platform::Rect window = platform::clientRect(canvasWindow());
        const std::string path = dir_.path("cut.pai");

        std::vector<std::size_t> cuts;
        for (std::size_t n = 0; n < whole.size(); n += 10) cuts.push_back(n);
        cuts.push_back(whole.size());
        for (const std::size_t n : cuts) {
            SCOPED_TRACE("cut at " + std::to_string(n) + " of " + std::to_string(whole.size()));
            writeFileBytes(path, whole.substr(0, n));
            hl::clearShownMessages();
            if (!shell().painting.saved) hl::plantAnswer(Answer::No);
            hl::plantFileChoice(path);
            commandNow(kCmdOpen);
            if (n < whole.size()) {
                EXPECT_EQ(shownTexts(),
                          (std::vector<std::string>{kSaveChangesText, kNotAPaintingText, kFileLoadFailedText}));
                ASSERT_EQ(document().width, width);
                ASSERT_EQ(document().height, height);
                ASSERT_TRUE(cellBytes(document()) == before) << "cells changed";
                ASSERT_EQ(platform::clientRect(canvasWindow()).width(), window.width());
                ASSERT_EQ(platform::clientRect(canvasWindow()).height(), window.height());
            } else {
                EXPECT_EQ(shownTexts(), std::vector<std::string>{kSaveChangesText});
                ASSERT_EQ(document().width, expected.width);
                ASSERT_EQ(document().height, expected.height);
                EXPECT_TRUE(cellBytes(document()) == cellBytes(expected)) << "the whole file, bit for bit";
                EXPECT_EQ(platform::clientRect(canvasWindow()).width(), static_cast<int>(expected.width));
            }
        }
    }
    static void fillCanvas(Canvas& c) {
        for (std::size_t i = 0; i < c.cellCount(); ++i) {
            PaintCell& p = c.cells()[i];
            p.red = static_cast<std::uint8_t>(i * 7);
            p.green = static_cast<std::uint8_t>(i * 13);
            p.blue = static_cast<std::uint8_t>(255 - i);
            p.grain = static_cast<std::uint8_t>(i % 5);
            p.shine = static_cast<std::uint8_t>(i % 201);
            p.height = (i % 11 == 0) ? std::numeric_limits<float>::quiet_NaN() : static_cast<float>(i) * -0.125f;
        }
    }
};

TEST_F(TruncatedPaintingTest, AVersion2FileCutAnywhereIsRefusedWithoutTouchingThePainting) {
    Canvas c;
    ASSERT_TRUE(c.allocate(24, 16));
    fillCanvas(c);
    const std::string source = dir_.path("whole.pai");
    ASSERT_TRUE(writePaintingFile(source, c));
    Canvas expected;  // what the whole file holds after the lossy colour coding
    ASSERT_EQ(readPaintingFile(source, expected), PaintingLoadResult::kOk);
    openEveryCut(readFileBytes(source), expected);
}

TEST_F(TruncatedPaintingTest, AVersion1FileCutAnywhereIsRefusedWithoutTouchingThePainting) {
    Canvas c;
    ASSERT_TRUE(c.allocate(16, 12));
    fillCanvas(c);
    const std::string source = dir_.path("whole.pai");
    ASSERT_TRUE(writeRawPainting(c, source));
    openEveryCut(readFileBytes(source), c);
}

}  // namespace
}  // namespace sc::testing
