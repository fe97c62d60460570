// SPDX-License-Identifier: GPL-3.0-or-later
// Autosave and recovery: the autosave of an unsaved painting holds its exact
// cells (every layer's) of one moment and its file, is written when a modal dialog opens,
// and goes once the painting is saved or the program exits cleanly; a folder
// that cannot be written is told on the status line until an autosave is
// written again; the autosaves of runs that did not end cleanly are offered
// at start, drawn before anything asks over them; the real program, killed
// while painting, is recovered bit for bit, and under a file-size limit it
// lives on and keeps its last autosave.
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <functional>

#include "app/autosave.h"
#include "app/file_commands.h"
#include "app/hand_over.h"
#include "app/layers.h"
#include "app/new_image_driver.h"
#include "app/painting_io.h"
#include "formats/autosave_files.h"
#include "formats/data_file.h"
#include "formats/painting_file.h"
#include "formats/raw_layers_file.h"
#include "platform/desktop.h"
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
    // Makes the next autosave due, then runs passes until it is done: the
    // passes copy the painting band by band, and while the writer's own
    // thread writes the copy the test waits for the writer's signal that it
    // ended, which the next pass collects.
    void autosaveNow() {
        autosave().dueAt = 0.0L;
        waitForWriter();
    }
    // Runs passes until no copy or write is under way.
    void waitForWriter() {
        for (int pass = 0; pass < 100000; ++pass) {
            passes(1);
            if (!autosaveBusy(autosave())) return;
            if (autosave().writer.joinable()) autosave().writerDone.wait(false);
        }
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

    EXPECT_EQ(platform::caption(frame()), "*Smudgecraft");

    hl::plantFileChoice(dir_.path("p.pai"));
    commandNow(kCmdSave);
    autosaveNow();
    EXPECT_FALSE(fileExists(files.painting()));
    EXPECT_FALSE(fileExists(files.original()));
    EXPECT_EQ(platform::caption(frame()), "p.pai - Smudgecraft");

    paintStroke(200, 150);
    autosaveNow();
    EXPECT_EQ(readFileBytes(files.original()), dir_.path("p.pai")) << "the file the painting belongs to";
    EXPECT_EQ(platform::caption(frame()), "*p.pai - Smudgecraft");

    // "Save Changes?" answered Yes saves to a new name; the Open it came
    // before is then cancelled. The painting belongs to the new file.
    hl::plantAnswer(Answer::Yes);
    hl::plantFileChoice(dir_.path("q.pai"));
    commandNow(kCmdOpen);
    ASSERT_TRUE(shell().painting.saved);
    paintStroke(250, 150);
    autosaveNow();
    EXPECT_EQ(readFileBytes(files.original()), dir_.path("q.pai"));
    EXPECT_EQ(platform::caption(frame()), "*q.pai - Smudgecraft");

    exitProgram(program());
    EXPECT_EQ(filesIn(dir_.path("autosave")), 0u) << "a clean exit leaves nothing";
}

// The main loop stands still while a modal dialog is up, so the painting is
// autosaved as one opens: a question, a file chooser, the New Image dialog.
TEST_F(AutosaveTest, AnUnsavedPaintingIsAutosavedWhenADialogOpens) {
    start();
    ASSERT_GT(autosave().intervalSeconds, 100.0L) << "no autosave by the interval here";
    const AutosaveFiles files = autosave().files;
    commandNow(kCmdOpen);  // a chooser, cancelled: nothing unsaved yet
    waitForWriter();
    EXPECT_FALSE(fileExists(files.painting()));

    paintStroke(100, 100);
    hl::plantAnswer(Answer::Cancel);
    commandNow(kCmdOpen);
    waitForWriter();
    Canvas back;
    ASSERT_TRUE(readBack(files.painting(), back));
    EXPECT_TRUE(sameCells(back, document()));

    paintStroke(300, 200);
    commandNow(kCmdExportImage);  // a file chooser, cancelled
    waitForWriter();
    ASSERT_TRUE(readBack(files.painting(), back));
    EXPECT_TRUE(sameCells(back, document()));

    paintStroke(200, 300);
    answerNewImage(std::nullopt, std::nullopt, DialogEnd::Cancel);  // the New Image dialog's own loop
    commandNow(kCmdImageSize);
    waitForWriter();
    ASSERT_TRUE(readBack(files.painting(), back));
    EXPECT_TRUE(sameCells(back, document()));
}

// A copy is taken a band a pass; a stroke or a history step meanwhile in
// the part already copied is copied again, so the autosave is one moment.
TEST_F(AutosaveTest, ChangesToThePartAlreadyCopiedReachTheAutosave) {
    start();
    answerNewImage("2000", "2000", DialogEnd::Ok);
    commandNow(kCmdNew);
    ASSERT_EQ(document().width, 2000u);
    paintStroke(300, 1500);
    autosave().dueAt = 0.0L;
    passes(20);
    ASSERT_TRUE(autosave().copying) << "a copy under way, its top rows done";
    paintStroke(100, 60);
    waitForWriter();
    Canvas back;
    ASSERT_TRUE(readBack(autosave().files.painting(), back));
    EXPECT_TRUE(sameCells(back, document())) << "the stroke on the copied rows";

    autosave().dueAt = 0.0L;
    passes(3);
    ASSERT_TRUE(autosave().copying);
    commandNow(kCmdStepBackward);  // takes the stroke back off the copied rows
    waitForWriter();
    ASSERT_TRUE(readBack(autosave().files.painting(), back));
    EXPECT_TRUE(sameCells(back, document())) << "the step back";
}

// A painting of layers is autosaved layer by layer: a stroke on a layer the
// copy has passed reaches it, and recovery brings back every layer as it was.
TEST_F(AutosaveTest, EveryLayerIsAutosavedAsOneMomentAndRecoveredBitForBit) {
    start();
    answerNewImage("1000", "1000", DialogEnd::Ok);
    commandNow(kCmdNew);
    Painting& p = shell().painting;
    paintStroke(300, 500);
    ASSERT_EQ(addLayer(p, shell().tools, "Glaze"), LayerError::kNone);
    ASSERT_EQ(addLayer(p, shell().tools, "Sketch"), LayerError::kNone);
    paintStroke(200, 400);
    ASSERT_EQ(setLayerVisible(p, shell().tools, 2, false), LayerError::kNone);
    ASSERT_EQ(setLayerOpacity(p, shell().tools, 1, 0.75f), LayerError::kNone);
    ASSERT_EQ(selectLayer(p, 1), LayerError::kNone);
    passes(2);
    // Past the background's cells and the Glaze's cells and coverage.
    autosave().dueAt = 0.0L;
    passes(28);
    ASSERT_TRUE(autosave().copying);
    const std::size_t copied = autosave().copied;
    ASSERT_GT(copied, std::size_t{1000} * 1000 * (12 + 16));
    paintStroke(100, 60);
    ASSERT_GT(autosave().copied, copied) << "the stroke did not start the copy again";
    waitForWriter();

    std::vector<Layer> expected(layerCount(p));
    for (std::size_t l = 0; l < expected.size(); ++l) ASSERT_TRUE(copyLayer(p.layers.layers[l], expected[l]));
    const std::uint64_t shown = cellHash(document());
    const AutosaveFiles orphan{autosave().files.folder, "500-1"};
    fs::copy_file(autosave().files.painting(), orphan.painting());
    fs::copy_file(autosave().files.original(), orphan.original());
    writeFileBytes(orphan.lock(), "");
    exitProgram(program());

    freshProgram();
    hl::plantAnswer(Answer::Yes);
    start();
    ASSERT_EQ(questionsAsked(), 1u);
    EXPECT_FALSE(shell().painting.saved);
    ASSERT_EQ(layerCount(shell().painting), 3u);
    EXPECT_EQ(activeLayer(shell().painting), 1u);
    for (std::size_t l = 0; l < expected.size(); ++l) {
        const Layer& back = shell().painting.layers.layers[l];
        const Layer& was = expected[l];
        EXPECT_EQ(back.name, was.name);
        EXPECT_EQ(back.visible, was.visible);
        EXPECT_EQ(back.opacity, was.opacity);
        ASSERT_EQ(back.opaque(), was.opaque());
        EXPECT_EQ(std::memcmp(back.cells.get(), was.cells.get(), was.cellCount() * sizeof(PaintCell)), 0) << l;
        if (!was.opaque()) {
            EXPECT_EQ(std::memcmp(back.coverage.get(), was.coverage.get(), was.cellCount() * sizeof(float)), 0) << l;
        }
    }
    EXPECT_EQ(cellHash(document()), shown);
}

TEST_F(AutosaveTest, AFolderThatCannotBeWrittenIsToldOnTheStatusLineUntilAnAutosaveIsWrittenAgain) {
    // Read-only in effect: "autosave" is a file, so nothing can be made in it.
    writeFileBytes(dir_.path("autosave"), "in the way");
    start();
    paintStroke(100, 100);
    hl::clearShownMessages();
    autosaveNow();
    EXPECT_EQ(shell().statusHint, kAutosaveFailedText);
    EXPECT_EQ(platform::statusText(frame(), 3), kAutosaveFailedText);
    fs::remove(dir_.path("autosave"));

    // A full folder: the writes fail part-way.
    shell().statusHint = "painting";
    writeUnderSizeLimit(1000, [this] { autosaveNow(); });
    EXPECT_FALSE(fileExists(autosave().files.painting())) << "nothing half-written";
    EXPECT_EQ(shell().statusHint, "painting") << "told once for failures in a row";
    EXPECT_TRUE(hl::shownMessages().empty());

    paintStroke(150, 100);
    autosaveNow();
    EXPECT_TRUE(fileExists(autosave().files.painting())) << "room again: the autosave is written";

    // A failure after an autosave that worked is told again, and the notice
    // goes with the next autosave written, giving back the hint it covered.
    paintStroke(200, 100);
    writeUnderSizeLimit(1000, [this] { autosaveNow(); });
    EXPECT_EQ(shell().statusHint, kAutosaveFailedText);
    paintStroke(250, 100);
    autosaveNow();
    EXPECT_EQ(shell().statusHint, "painting");
    EXPECT_EQ(platform::statusText(frame(), 3), "painting");
    EXPECT_TRUE(hl::shownMessages().empty());
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
    EXPECT_EQ(platform::caption(frame()), "*field.pai - Smudgecraft");
    EXPECT_EQ(shell().lastChosenPath, "/paintings/field.pai") << "Save starts at its file";
    EXPECT_FALSE(fileExists(orphan.lock()));
    Canvas kept;
    ASSERT_TRUE(readBack(autosave().files.painting(), kept)) << "protected until this run's own autosave";
    EXPECT_TRUE(sameCells(kept, c));

    hl::plantFileChoice(dir_.path("field.pai"));
    commandNow(kCmdSave);
    autosaveNow();
    EXPECT_EQ(platform::caption(frame()), "field.pai - Smudgecraft");
    EXPECT_FALSE(fileExists(autosave().files.painting()));
}

// A painting handed over while the recovery question is up asks about the
// recovered one only once that is drawn.
TEST_F(AutosaveTest, TheRecoveredPaintingIsDrawnBeforeAHandOverAsksAboutIt) {
    Canvas c;
    ASSERT_TRUE(c.allocate(64, 48));
    for (std::size_t i = 0; i < c.cellCount(); ++i) c.cells()[i].green = 200;
    leaveOrphan("100-1", c, "");
    ASSERT_TRUE(writePaintingFile(dir_.path("handed.pai"), c));
    hl::plantAnswer(Answer::Yes);
    ASSERT_EQ(startUp(program(), ""), StartResult::Running);
    ASSERT_TRUE(writeHandOverFile(dir_.path("handed.pai")));
    ASSERT_TRUE(platform::notifyFirstInstance(kInstanceName));
    bool drawn = false;
    platform::setBeforeModalHook([&] { drawn = document().rendered && !platform::hasOutOfDatePart(canvasWindow()); });
    hl::clearShownMessages();
    hl::plantAnswer(Answer::Cancel);
    passes(2);
    ASSERT_EQ(hl::shownMessages().size(), 1u);
    EXPECT_EQ(hl::shownMessages()[0].caption, kSaveChangesCaption);
    EXPECT_TRUE(drawn);
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

    // Damaged (not a painting; a painting of layers cut short): the usual
    // message, then kept as it was on No and deleted on Yes.
    const std::vector<RawLayerEntry> table = {{"Ground", true, 1.0f, true}, {"Glaze", true, 0.5f, false}};
    const std::vector<std::byte> head = rawLayersHead(20, 20, table, 1);
    const std::string cutShort =
        std::string(reinterpret_cast<const char*>(head.data()), head.size()) + std::string(400 * 28 - 1, '\0');
    for (const std::string& bytes : {std::string("not a painting at all"), cutShort}) {
        const AutosaveFiles damaged = leaveOrphan("400-1", c, "");
        writeFileBytes(damaged.painting(), bytes);
        for (const Answer remove : {Answer::No, Answer::Yes}) {
            freshProgram();
            hl::plantAnswer(Answer::Yes);
            hl::plantAnswer(Answer::Ok);  // the usual message
            hl::plantAnswer(remove);
            start();
            ASSERT_EQ(questionsAsked(), 2u);
            EXPECT_EQ(hl::shownMessages()[1].text, kNotAPaintingText);
            EXPECT_EQ(fileExists(damaged.painting()), remove == Answer::No);
            if (remove == Answer::No) {
                EXPECT_EQ(readFileBytes(damaged.painting()), bytes);
            }
            EXPECT_TRUE(shell().painting.saved) << "the blank painting stays";
            EXPECT_EQ(layerCount(shell().painting), 1u);
            exitProgram(program());
        }
    }
}

// The names created, moved and removed in a folder from the moment this is
// made, read in order: a wait never misses what came before it began.
class FolderEvents {
public:
    explicit FolderEvents(const std::string& folder) : fd_(::inotify_init1(IN_CLOEXEC)) {
        if (fd_ >= 0 && ::inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_DELETE | IN_MOVED_FROM) < 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    FolderEvents(const FolderEvents&) = delete;
    FolderEvents& operator=(const FolderEvents&) = delete;
    ~FolderEvents() {
        if (fd_ >= 0) ::close(fd_);
    }

    // Waits up to 90 seconds for an event of `mask` on a name holding
    // `part`; false as soon as the program `child` has ended without it.
    bool waitFor(pid_t child, const std::string& part, std::uint32_t mask) {
        return waitUntil(child, [&] {
            while (!pending_.empty()) {
                const auto [name, what] = pending_.front();
                pending_.erase(pending_.begin());
                if ((what & mask) != 0 && name.find(part) != std::string::npos) return true;
            }
            return false;
        });
    }
    // Waits up to 90 seconds, woken by the folder's events, until `done`;
    // false as soon as the program `child` has ended first.
    bool waitUntil(pid_t child, const std::function<bool()>& done) {
        for (int second = 0; fd_ >= 0 && second < 90; ++second) {
            if (done()) return true;
            if (::waitpid(child, nullptr, WNOHANG) != 0) return false;
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0) continue;
            alignas(inotify_event) char buffer[4096];
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
                inotify_event event{};
                std::memcpy(&event, buffer + at, sizeof event);
                const char* name = buffer + at + sizeof event;
                pending_.emplace_back(event.len > 0 ? std::string(name) : std::string(), event.mask);
                at += static_cast<ssize_t>(sizeof event + event.len);
            }
        }
        return done();
    }

private:
    int fd_;
    std::vector<std::pair<std::string, std::uint32_t>> pending_;
};

// The real program on Qt's offscreen desktop, installed under the test's
// folder (so that its user folder follows XDG_DATA_HOME), driven by a script
// with a one-second autosave interval; `fileSizeLimit` bytes (when given)
// limit the files it writes, as `ulimit -f` would.
class RealProgramTest : public AutosaveTest {
protected:
    pid_t startRealProgram(const std::string& script, rlim_t fileSizeLimit = RLIM_INFINITY) {
        const fs::path tree = dir_.path("tree");
        fs::create_directories(tree / "bin");
        fs::create_directories(tree / "share");
        fs::copy_file(SMUDGECRAFT_PROGRAM, tree / "bin" / "smudgecraft");
        fs::create_directory_symlink(SMUDGECRAFT_RUN_DIR, tree / "share" / "smudgecraft");
        fs::create_directories(dir_.path("runtime"));
        fs::permissions(dir_.path("runtime"), fs::perms::owner_all);
        writeFileBytes(dir_.path("drive.txt"), script);
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
        envp_.clear();
        env_ = std::move(env);
        for (std::string& e : env_) envp_.push_back(e.data());
        envp_.push_back(nullptr);
        binary_ = (tree / "bin" / "smudgecraft").string();
        // The autosave folder is made here, so that its files can be watched
        // from the start.
        fs::create_directories(folder());
        fs::permissions(dir_.path("xdg/smudgecraft"), fs::perms::owner_all);
        fs::permissions(folder(), fs::perms::owner_all);
        const std::string errors = dir_.path("child.err");
        const pid_t child = ::fork();
        if (child == 0) {
            const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(err, 1);
            ::dup2(err, 2);
            // The limit's signal as a shell leaves it: its default action.
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            if (fileSizeLimit != RLIM_INFINITY) ::setrlimit(RLIMIT_FSIZE, &limit);
            char* argv[] = {binary_.data(), nullptr};
            ::execve(binary_.c_str(), argv, envp_.data());
            ::_exit(127);
        }
        return child;
    }
    std::string folder() { return dir_.path("xdg/smudgecraft/autosave"); }
    // The file of the folder's autosave with that ending; empty when none.
    std::string autosaved(const std::string& ending) {
        std::error_code ec;
        for (fs::directory_iterator i(folder(), ec), end; !ec && i != end; i.increment(ec)) {
            if (i->path().extension() == ending) return i->path().string();
        }
        return std::string();
    }
    // Files left by writes cut short, here and in the autosave folder.
    std::size_t temporaryFiles() {
        std::size_t n = 0;
        for (const std::string& d : {dir_.dir(), folder()}) {
            std::error_code ec;
            for (fs::directory_iterator i(d, ec), end; !ec && i != end; i.increment(ec)) {
                n += i->path().filename().string().find(".sc-save-") != std::string::npos ? 1 : 0;
            }
        }
        return n;
    }
    // Waits up to 90 seconds for the folder to hold a file with that ending,
    // woken by the folder's events rather than a clock; false as soon as the
    // program has ended.
    bool waitFor(pid_t child, const std::string& ending) {
        const int watch = ::inotify_init1(IN_CLOEXEC);
        if (watch < 0 || ::inotify_add_watch(watch, folder().c_str(), IN_CREATE | IN_MOVED_TO) < 0) return false;
        for (int second = 0; autosaved(ending).empty() && second < 90 && ::waitpid(child, nullptr, WNOHANG) == 0;
             ++second) {
            pollfd p{watch, POLLIN, 0};
            if (::poll(&p, 1, 1000) > 0) {
                alignas(inotify_event) char buffer[4096];
                // The events only wake the loop; what they name is looked up above.
                if (::read(watch, buffer, sizeof buffer) < 0) break;
            }
        }
        ::close(watch);
        return !autosaved(ending).empty();
    }
    std::string said() { return readFileBytes(dir_.path("child.err")); }
    static std::string paintingScript(int moves) {
        std::string script = "press 200 200\n";
        for (int i = 0; i < moves; ++i) {
            script += "move " + std::to_string(100 + (i * 7) % 400) + ' ' + std::to_string(100 + (i * 3) % 350) + '\n';
        }
        return script;
    }

private:
    std::vector<std::string> env_;
    std::vector<char*> envp_;
    std::string binary_;
};

// Killed with SIGKILL once it has autosaved, started again here, it recovers
// cells equal to the last autosave bit for bit. Before the kill its files are
// limited to 1000 KB: the autosaves then fail, the program lives on, and the
// last one written stays whole.
TEST_F(RealProgramTest, AProgramKilledWhilePaintingIsRecoveredBitForBitAndALimitCostsNoAutosave) {
    const pid_t child = startRealProgram(paintingScript(4000) + "wait 100000\n");
    ASSERT_GT(child, 0);
    ASSERT_TRUE(waitFor(child, ".pai")) << "no autosave; the program said: " << said();
    // Painting goes on: a later autosave may be under way when the limit
    // comes. A write that fails removes its temporary file (one that works
    // renames it): the program has lived through the failure when it does.
    FolderEvents events(folder());
    const rlimit limit{1000 * 1024, RLIM_INFINITY};
    ASSERT_EQ(::prlimit(child, RLIMIT_FSIZE, &limit, nullptr), 0);
    EXPECT_TRUE(events.waitFor(child, ".sc-save-", IN_DELETE)) << "a failed autosave cleaned up: " << said();
    EXPECT_EQ(::waitpid(child, nullptr, WNOHANG), 0) << "alive under the limit: " << said();
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << said();

    Canvas last;
    ASSERT_TRUE(readBack(autosaved(".pai"), last)) << "the last autosave written is whole";
    bool painted = false;
    for (std::size_t i = 0; i < last.cellCount() && !painted; ++i) painted = last.cells()[i].height != 0.0f;
    EXPECT_TRUE(painted) << "the autosave holds the stroke";

    shell().paths.user = dir_.path("xdg/smudgecraft/");
    hl::plantAnswer(Answer::Yes);
    start();
    EXPECT_EQ(questionsAsked(), 1u);
    EXPECT_TRUE(sameCells(document(), last));
    exitProgram(program());
    EXPECT_EQ(filesIn(folder()), 0u);
}

// Started under a limit its painting outgrows, the program's autosaves and a
// Save fail (the Save says so in its box, which stays up); it is not ended,
// no temporary file is left, and the old file keeps its bytes.
TEST_F(RealProgramTest, UnderAFileSizeLimitSaveAndAutosaveFailWithoutEndingTheProgram) {
    writeFileBytes(dir_.path("kept.pai"), "the old painting");
    FolderEvents saves(dir_.dir());
    const pid_t child = startRealProgram(
        paintingScript(200) + "release 300 300\nwait 500\nsave " + dir_.path("kept.pai") + "\nwait 100000\n",
        1000 * 1024);
    ASSERT_GT(child, 0);
    ASSERT_TRUE(waitFor(child, ".path")) << "no autosave tried; the program said: " << said();
    // The failed Save removes its temporary file (after the write the limit
    // stopped, so the program lived through it) before its box opens.
    ASSERT_TRUE(saves.waitFor(child, ".kept.pai.sc-save-", IN_DELETE)) << "the Save failed: " << said();
    // An autosave may be under way; a failed one leaves no file behind.
    FolderEvents autosaves(folder());
    EXPECT_TRUE(autosaves.waitUntil(child, [&] { return temporaryFiles() == 0; })) << said();
    EXPECT_EQ(::waitpid(child, nullptr, WNOHANG), 0) << "alive under the limit: " << said();
    EXPECT_EQ(readFileBytes(dir_.path("kept.pai")), "the old painting");
    EXPECT_TRUE(autosaved(".pai").empty()) << "no autosave could be written";
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

}  // namespace
}  // namespace sc::testing
