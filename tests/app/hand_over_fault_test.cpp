// SPDX-License-Identifier: GPL-3.0-or-later
// What reaches the program from outside it: a hand-over file any program may
// have written (a huge line, binary bytes, a pipe in its place), a path
// naming a pipe, a device or a folder, and a very long command line. Nothing
// blocks, every path stays within 511 characters, and only a regular file the
// user can read is ever opened.
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "app/hand_over.h"
#include "app/painting_io.h"
#include "formats/painting_file.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "shell/shell_fixture.h"
#include "support/hang_guard.h"

namespace sc::testing {
namespace {

// Whether anything opened a path while the watch was held.
class OpenWatch {
public:
    explicit OpenWatch(const std::string& path) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (fd_ >= 0) watch_ = inotify_add_watch(fd_, path.c_str(), IN_OPEN);
    }
    ~OpenWatch() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool watching() const { return watch_ >= 0; }
    bool opened() const {
        alignas(inotify_event) char events[4096];
        return ::read(fd_, events, sizeof events) > 0;
    }

private:
    int fd_ = -1;
    int watch_ = -1;
};

class HandOverFaultTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        start();
        document().at(5, 5).red = 17;  // a painting to keep
        hl::clearShownMessages();
        before_ = cellHash(document());
    }
    // The running program receives a hand-over notice, as from a second start.
    void handOver() {
        ASSERT_TRUE(platform::notifyFirstInstance(kInstanceName));
        passes(2);
    }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> out;
        for (const auto& m : hl::shownMessages()) {
            if (m.text.rfind("Failed to ", 0) != 0) out.push_back(m.text);
        }
        return out;
    }
    // Refused without a load: one "cannot be opened" box, the painting and
    // its saved state as they were (a load would have taken an undo snapshot).
    void expectRefusedUnopened(const std::string& what) {
        EXPECT_EQ(shownTexts(), std::vector<std::string>{kCannotOpenText}) << what;
        EXPECT_EQ(document().width, 600u) << what;
        EXPECT_EQ(cellHash(document()), before_) << what;
        EXPECT_TRUE(shell().painting.saved) << what;
        hl::clearShownMessages();
    }

    std::uint64_t before_ = 0;
};

TEST_F(HandOverFaultTest, AHugeLineOrBinaryBytesAreBoundedAndOpenNothing) {
    std::mt19937 random(7);
    std::string noise(4096, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    struct Case {
        const char* name;
        std::string content;
    };
    const Case cases[] = {
        {"one 100 kB line", std::string(100 * 1024, 'x')},
        {"100 kB of separators", std::string(100 * 1024, '/')},
        {"a NUL first", std::string("\0/etc/hostname", 14)},
        {"a NUL inside", std::string("/etc\0/hostname\n", 15)},
        {"0xFF and CR/LF", "\xff\xfe\xff\r\n\r\n/etc/hostname"},
        {"a lone CR", "a\rb\r\rc\nd"},
        {"line ends only", "\r\n\n\r"},
        {"random bytes", noise},
        {"a folder", "."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFileBytes(kHandOverFileName, c.content);
        const std::string path = readHandOverFile();
        EXPECT_LE(path.size(), kHandOverPathMax);
        EXPECT_EQ(path.find('\0'), std::string::npos);
        EXPECT_EQ(path.find('\n'), std::string::npos);
        EXPECT_EQ(c.content.compare(0, path.size(), path), 0) << "a prefix of the first line";
        handOver();
        expectRefusedUnopened(c.name);
    }
}

TEST_F(HandOverFaultTest, APipeADeviceOrAFolderIsNeverOpened) {
    HangGuard guard(60);
    const std::string pipe = dir_.path("pipe.pai");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const OpenWatch pipeWatch(pipe);
    ASSERT_TRUE(pipeWatch.watching());
    for (const std::string& path : {pipe, dir_.path("data"), std::string("/dev/zero"), std::string()}) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(writeHandOverFile(path));
        handOver();
        expectRefusedUnopened("hand-over of " + path);
        hl::dropFiles(frame(), {path});
        passes(2);
        expectRefusedUnopened("drop of " + path);
    }
    EXPECT_FALSE(pipeWatch.opened()) << "the pipe was opened";

    // The hand-over file itself a pipe: read as nothing, without waiting.
    ASSERT_TRUE(::unlink(kHandOverFileName) == 0 || errno == ENOENT);
    ASSERT_EQ(::mkfifo(kHandOverFileName, 0600), 0);
    EXPECT_EQ(readHandOverFile(), "");
    handOver();
    expectRefusedUnopened("a pipe as the hand-over file");
    ::unlink(kHandOverFileName);
}

TEST_F(HandOverFaultTest, AnUnreadableFileIsNeverOpened) {
    Canvas c;
    ASSERT_TRUE(c.allocate(8, 8));
    const std::string path = dir_.path("locked.pai");
    ASSERT_TRUE(writePaintingFile(path, c));
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    ASSERT_TRUE(writeHandOverFile(path));
    if (geteuid() != 0) {
        handOver();
        expectRefusedUnopened("unreadable");
        return;
    }
    // The superuser reads every file: the hand-over is received by a child
    // that has given up its rights for those of an ordinary user (the folder
    // is opened to it, the file stays closed).
    ASSERT_EQ(::chmod(dir_.dir().c_str(), 0755), 0);
    EXPECT_EXIT(
        {
            if (setresgid(65534, 65534, 65534) != 0 || setresuid(65534, 65534, 65534) != 0) std::_Exit(3);
            handOver();
            const bool refused = shownTexts() == std::vector<std::string>{kCannotOpenText} &&
                                 document().width == 600u && cellHash(document()) == before_;
            std::_Exit(refused ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(HandOverFaultTest, AReadableFileThatIsNotAPaintingGetsTheUsualMessage) {
    writeFileBytes(dir_.path("notes.txt"), "just some text\n");
    ASSERT_TRUE(writeHandOverFile(dir_.path("notes.txt")));
    handOver();
    EXPECT_EQ(shownTexts(), std::vector<std::string>{kNotAPaintingText});
    EXPECT_EQ(cellHash(document()), before_);
    EXPECT_EQ(document().width, 600u);
    // A painting handed over the same way still opens (the refused load
    // counts as a change, so the question about it comes first).
    Canvas c;
    ASSERT_TRUE(c.allocate(12, 9));
    ASSERT_TRUE(writePaintingFile(dir_.path("real.pai"), c));
    ASSERT_TRUE(writeHandOverFile(dir_.path("real.pai")));
    hl::plantAnswer(platform::Answer::No);
    handOver();
    EXPECT_EQ(document().width, 12u);
}

class LongCommandLineTest : public ShellTest {};

TEST_F(LongCommandLineTest, TenKilobytesAreBoundedAndHarmless) {
    const std::string huge(10 * 1024, 'q');
    std::string first = "prog", second = huge.substr(0, 5000), third = huge.substr(0, 10 * 1024 - 5001);
    char* argv[] = {first.data(), second.data(), third.data()};
    const std::string text = commandTextFrom(3, argv);
    EXPECT_EQ(text.size(), 10u * 1024);
    EXPECT_EQ(text[5000], ' ');
    EXPECT_EQ(commandLinePath(text)->size(), kHandOverPathMax);
    EXPECT_EQ(commandLinePath("\"" + huge + "\"")->size(), kHandOverPathMax);
    EXPECT_EQ(commandLinePath(std::string(10 * 1024, '"')), std::string()) << "the second quote ends it";

    // A second start hands over an absolute path of at most 511 characters;
    // a longer one is refused rather than cut short to another file's name.
    hl::setOtherInstanceRunning(true);
    const std::string longest = "/" + std::string(kHandOverPathMax - 1, 'q');
    EXPECT_EQ(startUp(program(), "\"" + longest + "\""), StartResult::SecondInstance);
    EXPECT_EQ(readFileBytes(kHandOverFileName), longest);
    EXPECT_EQ(hl::notificationsSent(), 1);
    EXPECT_EQ(startUp(program(), text), StartResult::SecondInstance);
    EXPECT_EQ(readFileBytes(kHandOverFileName), longest) << "nothing written over the earlier one";
    EXPECT_EQ(hl::notificationsSent(), 1);
    ASSERT_EQ(hl::shownMessages().size(), 1u);
    EXPECT_EQ(hl::shownMessages()[0].text, kCannotOpenText);
    hl::setOtherInstanceRunning(false);
    freshProgram();

    // A first start says the file cannot be opened and runs with its own
    // document.
    ASSERT_EQ(startUp(program(), text), StartResult::Running);
    EXPECT_EQ(document().width, 600u);
    EXPECT_TRUE(shell().painting.saved);
    int cannotOpen = 0;
    for (const auto& m : hl::shownMessages()) cannotOpen += m.text == kCannotOpenText;
    EXPECT_EQ(cannotOpen, 1);
}

TEST_F(LongCommandLineTest, ACommandLineNamingAPipeDoesNotBlockTheStart) {
    HangGuard guard(60);
    const std::string pipe = dir_.path("pipe.pai");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(startUp(program(), "\"" + pipe + "\""), StartResult::Running);
    EXPECT_EQ(document().width, 600u);
    int cannotOpen = 0;
    for (const auto& m : hl::shownMessages()) cannotOpen += m.text == kCannotOpenText;
    EXPECT_EQ(cannotOpen, 1);
}

}  // namespace
}  // namespace sc::testing
