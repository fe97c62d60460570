// Autosave and recovery: the autosave of an unsaved painting holds its exact
// cells and its file, and goes once the painting is saved or the program
// exits cleanly; a folder that cannot be written is told once, on the status
// line; the autosaves of runs that did not end cleanly are offered at start;
// and the real program, killed while painting, is recovered bit for bit.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>

#include "app/autosave.h"
#include "app/painting_io.h"
#include "formats/autosave_files.h"
#include "formats/data_file.h"
#include "formats/painting_file.h"
#include "platform/dialogs.h"
#include "platform/test_queries.h"
#include "shell/frame_window.h"
#include "shell/recovery.h"
#include "shell/shell_fixture.h"
#include "support/size_limit.h"

extern char** environ;

namespace sc::testing {
namespace {

namespace fs = std::filesystem;
using platform::Answer;

bool readBack(const std::string& path, Canvas& into) {
    DataFile file;
    return file.open(path, DataFile::kRead) && readPaintingFile(file, into, nullptr) == PaintingLoadResult::kOk;
}

bool sameCells(const Canvas& a, const Canvas& b) {
    return a.hasCells() && b.hasCells() && a.width == b.width && a.height == b.height &&
           std::memcmp(a.cells(), b.cells(), a.cellCount() * sizeof(PaintCell)) == 0;
}

std::size_t filesIn(const std::string& folder) {
    std::size_t n = 0;
    std::error_code ec;
    for (fs::directory_iterator i(folder, ec), end; !ec && i != end; i.increment(ec)) ++n;
    return n;
}

class AutosaveTest : public ShellTest {
protected:
    // With the pictures, start-up asks nothing but the recovery question.
    void SetUp() override {
        ShellTest::SetUp();
        fs::create_directory_symlink(fs::path(SMUDGECRAFT_RUN_DIR) / "WorkData", dir_.path("WorkData"));
    }
    Autosave& autosave() { return program().autosave; }

    void paintStroke(int x, int y) {
        pressNow(x, y);
        move(x + 60, y + 25);
        passes(6);
        release(x + 60, y + 25);
        passes(2);
    }
    // Makes the next autosave due, then runs passes (with the writer's own
    // thread working in real time) until it is done.
    void autosaveNow() {
        autosave().dueAt = 0.0L;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        do {
            passes(1);
            if (!autosaveBusy(autosave())) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        } while (std::chrono::steady_clock::now() < until);
        FAIL() << "the autosave did not finish";
    }
    // The autosave of a run that ended without cleaning up.
    AutosaveFiles leaveOrphan(const std::string& name, const Canvas& c, const std::string& original) {
        const AutosaveFiles files{dir_.path("autosave/"), name};
        fs::create_directories(files.folder);
        AutosaveLock lock;
        EXPECT_TRUE(lock.take(files, true));
        EXPECT_TRUE(writeAutosave(files, c.cells(), c.width, c.height, original));
        return files;
    }
    std::size_t questionsAsked() {
        std::size_t n = 0;
        for (const hl::ShownMessage& m : hl::shownMessages()) n += m.caption == kRecoverCaption ? 1 : 0;
        return n;
    }
};

TEST_F(AutosaveTest, AnUnsavedPaintingIsAutosavedExactlyAndTheAutosaveGoesOnSaveAndAtACleanExit) {
    start();
    autosaveNow();
    EXPECT_FALSE(fileExists(autosave().files.painting())) << "a painting without changes has no autosave";

    paintStroke(100, 100);
    autosaveNow();
    const AutosaveFiles files = autosave().files;
    Canvas back;
    ASSERT_TRUE(readBack(files.painting(), back));
    EXPECT_TRUE(sameCells(back, document()));
    EXPECT_EQ(readFileBytes(files.original()), "") << "never saved";

    hl::plantFileChoice(dir_.path("p.pai"));
    commandNow(kCmdSave);
    passes(1);
    EXPECT_FALSE(fileExists(files.painting()));
    EXPECT_FALSE(fileExists(files.original()));

    paintStroke(200, 150);
    autosaveNow();
    EXPECT_EQ(readFileBytes(files.original()), dir_.path("p.pai")) << "the file the painting belongs to";
    exitProgram(program());
    EXPECT_EQ(filesIn(dir_.path("autosave")), 0u) << "a clean exit leaves nothing";
}

TEST_F(AutosaveTest, AFolderThatCannotBeWrittenIsToldOnceOnTheStatusLineWithoutABox) {
    // Read-only in effect: "autosave" is a file, so nothing can be made in it.
    writeFileBytes(dir_.path("autosave"), "in the way");
    start();
    paintStroke(100, 100);
    hl::clearShownMessages();
    autosaveNow();
    EXPECT_EQ(shell().statusHint, kAutosaveFailedText);
    fs::remove(dir_.path("autosave"));

    // A full folder: the writes fail part-way.
    shell().statusHint = "painting";
    writeUnderSizeLimit(1000, [this] { autosaveNow(); });
    EXPECT_FALSE(fileExists(autosave().files.painting())) << "nothing half-written";
    EXPECT_EQ(shell().statusHint, "painting") << "told once a run";
    EXPECT_TRUE(hl::shownMessages().empty());

    paintStroke(150, 100);
    autosaveNow();
    EXPECT_TRUE(fileExists(autosave().files.painting())) << "room again: the autosave is written";
}

TEST_F(AutosaveTest, YesOpensTheAutosaveUnsavedAndTitledAsItsFileUntilSaved) {
    Canvas c;
    ASSERT_TRUE(c.allocate(64, 48));
    for (std::size_t i = 0; i < c.cellCount(); ++i) {
        c.cells()[i].green = static_cast<std::uint8_t>(i * 13);
        c.cells()[i].height = static_cast<float>(i % 50) * 0.25f - 3.0f;
    }
    const AutosaveFiles orphan = leaveOrphan("100-1", c, "/paintings/field.pai");
    hl::plantAnswer(Answer::Yes);
    start();
    EXPECT_EQ(questionsAsked(), 1u);
    EXPECT_TRUE(sameCells(document(), c));
    EXPECT_FALSE(shell().painting.saved);
    EXPECT_EQ(platform::caption(frame()), "Smudgecraft - field.pai");
    EXPECT_EQ(shell().lastChosenPath, "/paintings/field.pai") << "Save starts at its file";
    EXPECT_FALSE(fileExists(orphan.lock()));
    Canvas kept;
    ASSERT_TRUE(readBack(autosave().files.painting(), kept)) << "protected until this run's own autosave";
    EXPECT_TRUE(sameCells(kept, c));

    hl::plantFileChoice(dir_.path("field.pai"));
    commandNow(kCmdSave);
    passes(1);
    EXPECT_EQ(platform::caption(frame()), kFrameTitle);
    EXPECT_FALSE(fileExists(autosave().files.painting()));
}

TEST_F(AutosaveTest, NoDeletesARunningProgramsAutosaveIsNotOfferedAndADamagedOneGoesOnlyWhenTheUserSays) {
    Canvas c;
    ASSERT_TRUE(c.allocate(20, 20));
    const AutosaveFiles declined = leaveOrphan("200-1", c, "");
    const AutosaveFiles running = leaveOrphan("300-1", c, "");
    AutosaveLock runningLock;
    ASSERT_TRUE(runningLock.take(running, false));
    hl::plantAnswer(Answer::No);
    start();
    EXPECT_EQ(questionsAsked(), 1u);
    EXPECT_FALSE(fileExists(declined.painting()));
    EXPECT_TRUE(fileExists(running.painting())) << "two programs never share an autosave";
    exitProgram(program());
    runningLock.release();
    fs::remove(running.painting());

    // Damaged: the usual message, then kept on No and deleted on Yes.
    const AutosaveFiles damaged = leaveOrphan("400-1", c, "");
    writeFileBytes(damaged.painting(), "not a painting at all");
    for (const Answer remove : {Answer::No, Answer::Yes}) {
        freshProgram();
        hl::plantAnswer(Answer::Yes);
        hl::plantAnswer(Answer::Ok);  // the usual message
        hl::plantAnswer(remove);
        start();
        ASSERT_EQ(questionsAsked(), 2u);
        EXPECT_EQ(hl::shownMessages()[1].text, kNotAPaintingText);
        EXPECT_EQ(fileExists(damaged.painting()), remove == Answer::No);
        EXPECT_TRUE(shell().painting.saved) << "the blank painting stays";
        exitProgram(program());
    }
}

// The real program on Qt's offscreen desktop, painting from a script with a
// one-second interval, killed with SIGKILL once it has autosaved; started
// again here, it recovers cells equal to the last autosave bit for bit.
TEST_F(AutosaveTest, AProgramKilledWhilePaintingIsRecoveredBitForBit) {
    // An installation of the built program, so that its user folder follows
    // XDG_DATA_HOME.
    const fs::path tree = dir_.path("tree");
    fs::create_directories(tree / "bin");
    fs::create_directories(tree / "share");
    fs::copy_file(SMUDGECRAFT_PROGRAM, tree / "bin" / "smudgecraft");
    fs::create_directory_symlink(SMUDGECRAFT_RUN_DIR, tree / "share" / "smudgecraft");
    fs::create_directories(dir_.path("runtime"));
    fs::permissions(dir_.path("runtime"), fs::perms::owner_all);
    {
        std::ofstream script(dir_.path("drive.txt"));
        script << "press 200 200\n";
        for (int i = 0; i < 4000; ++i) script << "move " << 100 + (i * 7) % 400 << ' ' << 100 + (i * 3) % 350 << '\n';
        script << "wait 100000\n";
    }
    std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "XDG_DATA_HOME=" + dir_.path("xdg"),
                                    "XDG_RUNTIME_DIR=" + dir_.path("runtime"), "SMUDGECRAFT_AUTOSAVE_SECONDS=1",
                                    "SMUDGECRAFT_MESSAGE_SCRIPT=" + dir_.path("drive.txt")};
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("QT_QPA_PLATFORM=", 0) != 0 && entry.rfind("XDG_", 0) != 0 &&
            entry.rfind("SMUDGECRAFT_", 0) != 0) {
            env.push_back(entry);
        }
    }
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    const std::string binary = (tree / "bin" / "smudgecraft").string();
    const std::string errors = dir_.path("child.err");
    const pid_t child = ::fork();
    if (child == 0) {
        const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(err, 1);
        ::dup2(err, 2);
        char* argv[] = {const_cast<char*>(binary.c_str()), nullptr};
        ::execve(binary.c_str(), argv, envp.data());
        ::_exit(127);
    }
    ASSERT_GT(child, 0);

    const std::string folder = dir_.path("xdg/smudgecraft/autosave");
    auto autosaved = [&] {
        std::error_code ec;
        for (fs::directory_iterator i(folder, ec), end; !ec && i != end; i.increment(ec)) {
            if (i->path().extension() == ".pai") return i->path().string();
        }
        return std::string();
    };
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    while (autosaved().empty() && std::chrono::steady_clock::now() < until && ::waitpid(child, nullptr, WNOHANG) == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // Painting goes on: a later autosave may be under way when the kill comes.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_FALSE(autosaved().empty()) << "no autosave; the program said: " << readFileBytes(errors);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << readFileBytes(errors);

    Canvas last;
    ASSERT_TRUE(readBack(autosaved(), last));
    bool painted = false;
    for (std::size_t i = 0; i < last.cellCount() && !painted; ++i) painted = last.cells()[i].height != 0.0f;
    EXPECT_TRUE(painted) << "the autosave holds the stroke";

    shell().paths.user = dir_.path("xdg/smudgecraft/");
    hl::plantAnswer(Answer::Yes);
    start();
    EXPECT_EQ(questionsAsked(), 1u);
    EXPECT_TRUE(sameCells(document(), last));
    exitProgram(program());
    EXPECT_EQ(filesIn(folder), 0u);
}

}  // namespace
}  // namespace sc::testing
