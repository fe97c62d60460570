// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and exit: the command line, "prefs.dat" and "options.txt", the first document and
// brush, the second instance's hand-over, dropped files, the association
// files, where the program's and the user's files live, and the files
// written at exit.
#include <sys/stat.h>

#include <filesystem>

#include "app/file_association.h"
#include "app/hand_over.h"
#include "app/painting_io.h"
#include "app/presets.h"
#include "app/run_paths.h"
#include "formats/painting_file.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/test_queries.h"
#include "shell/command_line.h"
#include "shell/frame_window.h"
#include "shell/shell_fixture.h"
#include "shell/start_up.h"

namespace sc::testing {
namespace {

class StartUpTest : public ShellTest {
protected:
    // A 30 x 20 painting with one red cell, written beside the run directory.
    std::string writePainting(const std::string& name) {
        Canvas c;
        c.allocate(30, 20);
        c.at(3, 4).red = 7;
        const std::string path = dir_.path(name);
        EXPECT_TRUE(writePaintingFile(path, c));
        return path;
    }
};

TEST(CommandLinePath, QuotesAreDroppedAndTheSecondOneEndsThePath) {
    EXPECT_FALSE(commandLinePath(""));
    EXPECT_FALSE(commandLinePath("abc")) << "3 characters or fewer are ignored";
    EXPECT_EQ(commandLinePath("\"a.pai\""), "a.pai");
    EXPECT_EQ(commandLinePath("abcd"), "abcd");
    EXPECT_EQ(commandLinePath("a\"b\"c"), "ab");
    EXPECT_EQ(commandLinePath("/tmp/x y.pai\""), "/tmp/x y.pai") << "one stray quote";
    EXPECT_EQ(commandLinePath(std::string(2000, 'p'))->size(), 511u) << "bounded by the 512-byte buffer";
}

TEST(CommandLinePath, OptionsAreReadBeforeThePaintingAndTheDesktopKeepsItsOwn) {
    using A = CommandLineAction;
    EXPECT_EQ(readCommandLine({}).action, A::Run);
    EXPECT_EQ(readCommandLine({"a.pai"}).action, A::Run);
    EXPECT_EQ(readCommandLine({"a.pai", "--help"}).action, A::Help);
    EXPECT_EQ(readCommandLine({"--version"}).action, A::Version);
    EXPECT_EQ(readCommandLine({"-platform", "offscreen", "-reverse", "a.pai"}).action, A::Run);
    EXPECT_EQ(readCommandLine({"--", "-odd.pai"}).action, A::Run) << "\"--\" ends the options";
    const CommandLine bad = readCommandLine({"a.pai", "--lighting", "-z"});
    EXPECT_EQ(bad.action, A::BadUsage);
    EXPECT_EQ(bad.badOption, "--lighting") << "the first word not understood";
    EXPECT_EQ(readCommandLine({"-platform"}).action, A::BadUsage) << "an option without its word";

    char name[] = "smudgecraft", dashes[] = "--", odd[] = "-odd.pai";
    char* argv[] = {name, dashes, odd, nullptr};
    EXPECT_EQ(commandTextFrom(3, argv), "-odd.pai");
}

TEST_F(StartUpTest, FirstStartMakesTheDocumentPrefsAndBrush) {
    ASSERT_FALSE(fileExists("prefs.dat"));
    start();
    EXPECT_EQ(document().width, 600u);
    EXPECT_EQ(document().kind, kDocumentCanvasKind);
    EXPECT_TRUE(document().highQuality);
    EXPECT_TRUE(document().lighting);
    EXPECT_EQ(readFileBytes("prefs.dat"), std::string("\x01\x01", 2)) << "a missing file is created";
    EXPECT_TRUE(platform::menuChecked(frame(), 1250));
    EXPECT_TRUE(platform::menuChecked(frame(), 1252));
    for (int id : {1100, 1101, 1102, 1103}) EXPECT_TRUE(platform::menuChecked(frame(), id));
    EXPECT_EQ(shell().tools.live.size, 30);
    EXPECT_TRUE(shell().painting.saved);
    EXPECT_TRUE(shell().painting.undoValid);
    EXPECT_EQ(shell().painting.history.budget(), std::uint64_t{256} << 20);
    EXPECT_EQ(shell().painting.history.stepCount(), 0u);
    EXPECT_EQ(platform::caption(frame()), "Smudgecraft");
    EXPECT_EQ(platform::statusText(frame(), 1), "600x600");
    EXPECT_EQ(platform::statusText(frame(), 2), "Zoom: 100%");
    for (const int id : {1000, 1001, 1002, 1004, 1005, 1006, 1007, 1280}) {
        EXPECT_TRUE(platform::menuItemEnabled(frame(), id)) << id;
    }
}

TEST_F(StartUpTest, PrefsFileDecidesTheViewAndIsWrittenAtExit) {
    writeFileBytes("prefs.dat", std::string("\x00\x01", 2));
    writeFileBytes("options.txt", "history-budget-mb = 20\n");
    start();
    EXPECT_EQ(shell().painting.history.budget(), std::uint64_t{20} << 20) << "the options file beside it";
    EXPECT_FALSE(document().highQuality);
    EXPECT_TRUE(document().lighting);
    EXPECT_FALSE(platform::menuChecked(frame(), 1250));
    commandNow(1250);
    commandNow(1252);
    EXPECT_TRUE(document().highQuality);
    EXPECT_FALSE(document().lighting);
    EXPECT_TRUE(platform::menuChecked(frame(), 1250));
    command(1009);
    runMainLoop(program());
    exitProgram(program());
    EXPECT_EQ(readFileBytes("prefs.dat"), std::string("\x01\x00", 2));
    EXPECT_EQ(readFileBytes("data/palette.dat").size(), 2704u);
    EXPECT_EQ(readFileBytes("data/strokes.dat").size(), 604u);
}

TEST_F(StartUpTest, CommandLinePaintingIsOpenedInAWindowOfItsSize) {
    const std::string path = writePainting("given.pai");
    start("\"" + path + "\"");
    EXPECT_EQ(document().width, 30u);
    EXPECT_EQ(document().at(3, 4).red, 7);
    EXPECT_EQ(platform::clientRect(canvasWindow()).width(), 30);
}

TEST_F(StartUpTest, ASecondStartFromAnotherDirectoryHandsOverItsPaintingOnce) {
    const std::string runtime = dir_.path("runtime");
    const std::string handOver = runtime + "/" + kHandOverFileName;
    std::filesystem::create_directory(runtime);
    hl::setRuntimeDirectory(runtime);
    start();
    std::filesystem::create_directory(dir_.path("elsewhere"));
    const std::string path = writePainting("elsewhere/handed.pai");
    // A second start in this process, run from the other directory with a
    // relative path; the first instance holds the lock.
    std::filesystem::current_path(dir_.path("elsewhere"));
    hl::setOtherInstanceRunning(true);
    EXPECT_EQ(startUp(program(), "handed.pai"), StartResult::SecondInstance);
    hl::setOtherInstanceRunning(false);
    std::filesystem::current_path(dir_.dir());
    EXPECT_EQ(readFileBytes(handOver), path) << "absolute, plain text, no line end";
    passes(2);
    EXPECT_EQ(document().width, 30u);
    EXPECT_FALSE(fileExists(handOver)) << "taken by the first instance";

    // A later notice without a fresh hand-over opens nothing; nor does a
    // relative path left in the file by anything else.
    shell().painting.saved = true;
    const std::uint64_t opened = cellHash(document());
    for (const std::string leftOver : {"", "handed.pai"}) {
        if (*leftOver.c_str()) writeFileBytes(handOver, leftOver);
        hl::clearShownMessages();
        platform::Message notice;
        notice.kind = MessageKind::HandOver;
        notice.window = frame();
        platform::postMessage(notice);
        passes(2);
        EXPECT_EQ(cellHash(document()), opened);
        ASSERT_EQ(hl::shownMessages().size(), 1u);
        EXPECT_EQ(hl::shownMessages()[0].text, kCannotOpenText);
    }
}

TEST_F(StartUpTest, HandOverMessageOpensTheFileOnce) {
    start();
    const std::string path = writePainting("handed.pai");
    ASSERT_TRUE(writeHandOverFile(path));
    ASSERT_TRUE(platform::notifyFirstInstance(kInstanceName));
    passes(3);
    EXPECT_EQ(document().width, 30u);
    EXPECT_EQ(platform::clientRect(canvasWindow()).width(), 30);
    EXPECT_FALSE(shell().painting.undoValid) << "after an open only the brush can be undone";
    EXPECT_TRUE(shell().painting.saved) << "nothing unsaved in a file just opened";
    EXPECT_EQ(platform::caption(frame()), "handed.pai - Smudgecraft");
    EXPECT_FALSE(fileExists(kHandOverFileName)) << "taken by the first instance";
    document().at(0, 0).red = 9;
    passes(5);
    EXPECT_EQ(document().at(0, 0).red, 9) << "not opened again";
}

TEST_F(StartUpTest, ADropOrAHandOverAsksBeforeReplacingAnUnsavedPainting) {
    start();
    const std::string path = writePainting("handed.pai");
    pressNow(100, 100);
    release(100, 100);
    passes(1);
    ASSERT_FALSE(shell().painting.saved);
    const std::uint64_t painted = cellHash(document());
    auto deliver = [&](bool drop) {
        if (drop) {
            hl::dropFiles(frame(), {path});
        } else {
            ASSERT_TRUE(writeHandOverFile(path));
            ASSERT_TRUE(platform::notifyFirstInstance(kInstanceName));
        }
        passes(2);
    };
    for (const bool drop : {true, false}) {
        SCOPED_TRACE(drop ? "drop" : "hand-over");
        hl::clearShownMessages();
        // Cancel, and a Yes whose chooser is cancelled, keep the strokes.
        for (const platform::Answer a : {platform::Answer::Cancel, platform::Answer::Yes}) {
            hl::plantAnswer(a);
            deliver(drop);
            EXPECT_EQ(document().width, 600u);
            EXPECT_EQ(cellHash(document()), painted);
            EXPECT_FALSE(shell().painting.saved);
        }
        ASSERT_EQ(hl::shownMessages().size(), 2u);
        EXPECT_EQ(hl::shownMessages()[0].caption, "Save Changes?");
        EXPECT_EQ(hl::shownMessages()[0].text, "Would you like to save your painting?");
        EXPECT_EQ(hl::shownMessages()[0].buttons, platform::Buttons::YesNoCancel);
    }
    // Yes with a save keeps the strokes in their file, then opens.
    hl::plantAnswer(platform::Answer::Yes);
    hl::plantFileChoice(dir_.path("strokes.pai"));
    deliver(true);
    EXPECT_EQ(document().width, 30u);
    Canvas kept;
    ASSERT_EQ(readPaintingFile(dir_.path("strokes.pai"), kept), PaintingLoadResult::kOk);
    EXPECT_EQ(kept.width, 600u);
}

TEST_F(StartUpTest, SecondStartWhoseFirstInstanceDoesNotAnswerSaysSo) {
    hl::setOtherInstanceRunning(true, false);
    EXPECT_EQ(startUp(program(), "/tmp/some.pai"), StartResult::SecondInstance);
    ASSERT_FALSE(hl::shownMessages().empty());
    EXPECT_EQ(hl::shownMessages().back().text, "Failed send 'OPEN' message to running instance!");
    hl::clearShownMessages();
    EXPECT_EQ(startUp(program(), ""), StartResult::SecondInstance);
    EXPECT_TRUE(hl::shownMessages().empty()) << "without a path it exits silently";
}

TEST_F(StartUpTest, OnlyTheFirstDroppedFileIsOpenedAndOnlyOnce) {
    start();
    const std::string first = writePainting("first.pai");
    Canvas other;
    other.allocate(8, 8);
    ASSERT_TRUE(writePaintingFile(dir_.path("second.pai"), other));
    hl::dropFiles(frame(), {first, dir_.path("second.pai")});
    passes(2);
    EXPECT_EQ(document().width, 30u);
    EXPECT_TRUE(shell().painting.saved) << "nothing unsaved in a file just opened";
    document().at(1, 1).red = 3;
    passes(5);
    EXPECT_EQ(document().at(1, 1).red, 3);
    hl::clearShownMessages();
    command(kCmdExit);
    passes(2);
    EXPECT_TRUE(hl::shownMessages().empty()) << "closing asks nothing";
    EXPECT_TRUE(shell().quitRequested);
}

TEST_F(StartUpTest, TheAssociationFilesAreWrittenOnlyWhenMissingOrDifferent) {
    start();
    const std::string data = dir_.path("xdg");
    const std::string desktop = data + "/applications/smudgecraft.desktop";
    const std::string mime = data + "/mime/packages/smudgecraft.xml";
    EXPECT_NE(readFileBytes(mime).find("<glob pattern=\"*.pai\"/>"), std::string::npos);
    EXPECT_NE(readFileBytes(desktop).find("Exec=\"/usr/local/bin/smudgecraft\" %f"), std::string::npos);
    const std::size_t started = hl::startedPrograms().size();
    EXPECT_TRUE(registerFileType("Smudgecraft", "/usr/local/bin/smudgecraft", ".pai", dir_.dir()));
    EXPECT_EQ(hl::startedPrograms().size(), started) << "nothing rewritten, no database update";
    EXPECT_TRUE(registerFileType("Smudgecraft", "/opt/sc \"new\"", ".pai", dir_.dir()));
    EXPECT_NE(readFileBytes(desktop).find("Exec=\"/opt/sc \\\"new\\\"\" %f"), std::string::npos);
}

TEST_F(StartUpTest, AnUnwritableDataDirectoryShowsTheMessage) {
    writeFileBytes(dir_.path("notadir"), "x");
    setenv("XDG_DATA_HOME", dir_.path("notadir").c_str(), 1);
    EXPECT_FALSE(registerFileType("Smudgecraft", "/p", ".pai", dir_.dir()));
    ASSERT_FALSE(hl::shownMessages().empty());
    EXPECT_EQ(hl::shownMessages().back().text, "Couldn't set filetype key!");
}

namespace fs = std::filesystem;

TEST(RunPaths, AnInstallationABuildTreeOrTheCurrentDirectory) {
    TempDir dir;
    const std::string root = fs::canonical(dir.dir()).string();
    fs::create_directories(root + "/usr/share/smudgecraft/WorkData");
    fs::create_directories(root + "/build/run/WorkData");
    fs::create_directories(root + "/build/bin");

    setenv("XDG_DATA_HOME", (root + "/xdg").c_str(), 1);
    setenv("XDG_CACHE_HOME", (root + "/xdgcache").c_str(), 1);
    RunPaths p = locateRunPaths(root + "/usr/bin/smudgecraft");
    EXPECT_EQ(p.layout, RunLayout::Installed);
    EXPECT_EQ(p.shared, root + "/usr/share/smudgecraft/");
    EXPECT_EQ(p.user, root + "/xdg/smudgecraft/");
    EXPECT_EQ(p.cache, root + "/xdgcache/smudgecraft/") << "the picture cache is no user's file";
    // A relative XDG_DATA_HOME or XDG_CACHE_HOME does not count: the home's
    // defaults serve.
    const std::string home = getenv("HOME") ? getenv("HOME") : "";
    setenv("XDG_DATA_HOME", "relative/data", 1);
    setenv("XDG_CACHE_HOME", "relative/cache", 1);
    setenv("HOME", (root + "/home").c_str(), 1);
    p = locateRunPaths(root + "/usr/bin/smudgecraft");
    EXPECT_EQ(p.user, root + "/home/.local/share/smudgecraft/");
    EXPECT_EQ(p.cache, root + "/home/.cache/smudgecraft/");
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CACHE_HOME");

    p = locateRunPaths(root + "/build/bin/smudgecraft");
    EXPECT_EQ(p.layout, RunLayout::BuildTree);
    EXPECT_EQ(p.shared, root + "/build/run/");
    EXPECT_EQ(p.user, p.shared);
    EXPECT_EQ(p.cache, p.user + "data/");

    for (const std::string& program : {root + "/elsewhere/bin/smudgecraft", std::string()}) {
        p = locateRunPaths(program);
        EXPECT_EQ(p.layout, RunLayout::CurrentDirectory);
        EXPECT_EQ(p.shared + p.user, "") << "relative names as they are";
        EXPECT_EQ(p.cache, "data/");
    }
}

// An installed program started from an unrelated directory: pictures and
// starting lists from the installation, the user's files in the data
// folder, the painting named relative to where the user started.
TEST_F(StartUpTest, AnInstalledProgramKeepsTheUsersFilesInItsDataFolderOnly) {
    const std::string share = dir_.path("usr/share");
    fs::create_directories(share + "/smudgecraft/presets");
    fs::create_directories(share + "/applications");
    fs::create_directories(share + "/mime/packages");
    writeFileBytes(share + "/applications/org.example.smudgecraft.desktop", "[Desktop Entry]\n");
    writeFileBytes(share + "/mime/packages/smudgecraft.xml", "<mime-info/>\n");
    BrushPresetList starting;
    for (int i = 0; i < 3; ++i) {
        starting.slots[i].used = 1;
        starting.slots[i].settings.red = static_cast<std::uint8_t>(10 + i);
    }
    ASSERT_TRUE(writeBrushPresetFile(share + "/smudgecraft/presets/palette.dat", starting));
    shell().paths = {RunLayout::Installed, share + "/smudgecraft/", dir_.path("xdg/smudgecraft/"),
                     dir_.path("cache/smudgecraft/")};
    fs::create_directories(dir_.path("work/sub"));
    fs::current_path(dir_.path("work"));
    writePainting("work/sub/given.pai");

    start("sub/given.pai");
    EXPECT_EQ(document().width, 30u) << "the relative path was opened";
    EXPECT_EQ(shell().brushPresets.slots[2].settings.red, 12) << "the starting brushes";
    EXPECT_FALSE(shell().brushPresets.slots[3].used);
    EXPECT_TRUE(shell().strokePresets.slots[0].used) << "no starting strokes: the default stroke";
    command(1009);
    runMainLoop(program());
    exitProgram(program());

    const std::string user = dir_.path("xdg/smudgecraft/");
    EXPECT_EQ(readFileBytes(user + "prefs.dat"), std::string("\x01\x01", 2));
    EXPECT_EQ(readFileBytes(user + "data/palette.dat").size(), 2704u);
    EXPECT_EQ(readFileBytes(user + "data/strokes.dat").size(), 604u);
    EXPECT_FALSE(fileExists(user + "data/splash.jgi")) << "the picture cache is kept apart from the lists";
    EXPECT_TRUE(fileExists(dir_.path("cache/smudgecraft/splash.jgi")));
    struct stat folder {};
    ASSERT_EQ(::stat(user.c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u) << "a new data folder is the user's alone";
    EXPECT_FALSE(fileExists(dir_.path("xdg/applications"))) << "the installation brings the association";
    std::vector<std::string> inWork;
    for (const auto& e : fs::recursive_directory_iterator(dir_.path("work"))) inWork.push_back(e.path().string());
    EXPECT_EQ(inWork.size(), 2u) << "only sub/ and the painting where the user started";

    // The user's own lists are never replaced by the starting ones.
    freshProgram();
    shell().paths = {RunLayout::Installed, share + "/smudgecraft/", user, dir_.path("cache/smudgecraft/")};
    BrushPresetList mine;
    mine.slots[0].used = 1;
    mine.slots[0].settings.red = 99;
    ASSERT_TRUE(writeBrushPresetFile(user + "data/palette.dat", mine));
    start();
    EXPECT_EQ(shell().brushPresets.slots[0].settings.red, 99);
    EXPECT_FALSE(shell().brushPresets.slots[1].used);
}

TEST_F(StartUpTest, AnUnwritableDataFolderStillStartsAndLosesNothing) {
    writeFileBytes(dir_.path("file"), "x");
    shell().paths = {RunLayout::Installed, dir_.path("nothing/"), dir_.path("file/smudgecraft/")};
    start();
    EXPECT_EQ(document().width, 600u);
    EXPECT_TRUE(document().highQuality) << "both preferences on without a prefs file";
    command(1009);
    runMainLoop(program());
    exitProgram(program());
    EXPECT_EQ(readFileBytes(dir_.path("file")), "x");
    // Only the missing pictures are reported, as on any start without them.
    for (const auto& m : hl::shownMessages()) {
        EXPECT_TRUE(m.text == "An image failed to load!" || m.text == "Failed To Load Bitmap") << m.text;
    }
}

}  // namespace
}  // namespace sc::testing
