// SPDX-License-Identifier: GPL-3.0-or-later
// Every writer puts its file in place only when the whole of it was written:
// a write that fails part-way (here: the file-size limit) reports failure and
// leaves the old file as it was, with no temporary file behind.
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <vector>

#include "engine/canvas.h"
#include "engine/surface.h"
#include "formats/data_file.h"
#include "formats/jgi_file.h"
#include "formats/painting_file.h"
#include "formats/preset_lists.h"
#include "formats/prefs_file.h"
#include "support/run_batch.h"
#include "support/size_limit.h"

namespace sc {
namespace {

using testing::readFileBytes;
using testing::TempDir;
using testing::writeFileBytes;
using testing::writeUnderSizeLimit;

void expectOnlyTheOldFile(const TempDir& dir, const std::string& name, const std::string& content) {
    EXPECT_EQ(readFileBytes(dir.path(name)), content);
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.dir())) {
        ++entries;
        EXPECT_EQ(e.path().filename().string(), name);
    }
    EXPECT_EQ(entries, 1);
}

TEST(SafeWrites, PaintingCutShortLeavesTheOldOne) {
    TempDir dir;
    writeFileBytes(dir.path("p.pai"), "old painting");
    Canvas c;
    ASSERT_TRUE(c.allocate(64, 64));
    for (std::size_t i = 0; i < c.cellCount(); ++i) c.cells()[i].height = static_cast<float>(i);
    EXPECT_FALSE(writeUnderSizeLimit(1000, [&] { return writePaintingFile(dir.path("p.pai"), c); }));
    expectOnlyTheOldFile(dir, "p.pai", "old painting");
    // Without the limit the same write succeeds.
    EXPECT_TRUE(writePaintingFile(dir.path("p.pai"), c));
}

TEST(SafeWrites, AFullDeviceReportsFailure) {
    if (!testing::fileExists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    Canvas c;
    ASSERT_TRUE(c.allocate(64, 64));
    EXPECT_FALSE(writePaintingFile("/dev/full", c));
    Surface picture;
    ASSERT_TRUE(picture.create(8, 8, false));
    picture.clearWhite();
    EXPECT_NE(writeGreyJgi(picture, "/dev/full", 3), JgiResult::kOk);
}

TEST(SafeWrites, JgiPresetsAndPrefsCutShortLeaveTheOldOnes) {
    TempDir dir;
    Surface picture;
    ASSERT_TRUE(picture.create(64, 64, false));
    picture.clearWhite();
    writeFileBytes(dir.path("a.jgi"), "old jgi");
    EXPECT_NE(writeUnderSizeLimit(20, [&] { return writeColourJgi(picture, dir.path("a.jgi"), 3) == JgiResult::kOk; }),
              true);
    expectOnlyTheOldFile(dir, "a.jgi", "old jgi");

    TempDir dir2;
    BrushPresetList list;
    writeFileBytes(dir2.path("palette.dat"), "old list");
    EXPECT_FALSE(writeUnderSizeLimit(1000, [&] { return writeBrushPresetFile(dir2.path("palette.dat"), list); }));
    expectOnlyTheOldFile(dir2, "palette.dat", "old list");

    TempDir dir3;
    writeFileBytes(dir3.path("prefs.dat"), "x");
    EXPECT_FALSE(writeUnderSizeLimit(1, [&] { return writePrefsFile(dir3.path("prefs.dat"), ViewPreferences{}); }));
    expectOnlyTheOldFile(dir3, "prefs.dat", "x");
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(SafeWrites, AWriteProtectedFileIsRefusedAndAReplacedOneKeepsItsMode) {
    TempDir dir;
    const std::string path = dir.path("p.pai");
    Canvas c;
    ASSERT_TRUE(c.allocate(8, 8));
    writeFileBytes(path, "old painting");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(writePaintingFile(path, c));
    EXPECT_EQ(modeOf(path), 0640u) << "not the default mode of a new file";
    const std::string saved = readFileBytes(path);

    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    if (geteuid() != 0) {
        EXPECT_FALSE(writePaintingFile(path, c));
        expectOnlyTheOldFile(dir, "p.pai", saved);
        EXPECT_EQ(modeOf(path), 0444u);
        return;
    }
    // The superuser may write it, as a plain write may: mode and owner stay.
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(writePaintingFile(path, c));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    // An ordinary user may not, though the folder lets it make files: checked
    // in a child that has given up the superuser's rights.
    ASSERT_EQ(::chmod(dir.dir().c_str(), 0777), 0);
    EXPECT_EXIT(
        {
            if (setresgid(65534, 65534, 65534) != 0 || setresuid(65534, 65534, 65534) != 0) std::_Exit(3);
            const bool refused = !writePaintingFile(path, c) && readFileBytes(path) == saved;
            int entries = 0;
            for (const auto& e : std::filesystem::directory_iterator(dir.dir())) entries += e.exists() ? 1 : 0;
            std::_Exit(refused && entries == 1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// Children that have each opened a path for writing, written part of it
// and wait to be killed; killed at the latest when this goes.
class Writers {
public:
    ~Writers() {
        for (const pid_t pid : running_) finish(pid);
    }
    // The child's temporary file exists when this returns; -1 on failure.
    pid_t start(const std::string& path) {
        int ready[2];
        if (::pipe(ready) != 0) return -1;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            DataFile f;
            if (f.open(path, DataFile::kWrite) && f.write("partial", 7) && ::write(ready[1], "x", 1) == 1) ::pause();
            std::_Exit(1);
        }
        ::close(ready[1]);
        char c = 0;
        const bool started = pid > 0 && ::read(ready[0], &c, 1) == 1;
        ::close(ready[0]);
        if (pid > 0) running_.push_back(pid);
        return started ? pid : -1;
    }
    // Killed mid-write, as a save is when the program is killed.
    void kill(pid_t pid) {
        running_.erase(std::remove(running_.begin(), running_.end(), pid), running_.end());
        finish(pid);
    }

private:
    static void finish(pid_t pid) {
        if (pid <= 0) return;  // never a process group or every process
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    std::vector<pid_t> running_;
};

std::vector<std::string> namesIn(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.dir())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string temporaryOf(const std::string& target, pid_t writer) {
    return "." + target + ".sc-save-" + std::to_string(writer) + "_";
}

bool hasName(const std::vector<std::string>& names, const std::string& prefix) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return n.rfind(prefix, 0) == 0; });
}

TEST(SafeWrites, AKilledSaveLeavesATemporaryThatTheNextSaveOfItsTargetRemoves) {
    TempDir dir;
    writeFileBytes(dir.path("p.pai"), "old");
    writeFileBytes(dir.path("other.pai"), "other");
    Writers writers;
    const pid_t killed = writers.start(dir.path("p.pai"));
    const pid_t killedOther = writers.start(dir.path("other.pai"));
    const pid_t working = writers.start(dir.path("p.pai"));
    ASSERT_GT(killed, 0);
    ASSERT_GT(killedOther, 0);
    ASSERT_GT(working, 0);
    writers.kill(killed);
    writers.kill(killedOther);
    std::vector<std::string> names = namesIn(dir);
    ASSERT_EQ(names.size(), 5u);
    ASSERT_TRUE(hasName(names, temporaryOf("p.pai", killed)));

    Canvas c;
    ASSERT_TRUE(c.allocate(4, 4));
    ASSERT_TRUE(writePaintingFile(dir.path("p.pai"), c));
    names = namesIn(dir);
    EXPECT_FALSE(hasName(names, temporaryOf("p.pai", killed))) << "the dead writer's file is removed";
    EXPECT_TRUE(hasName(names, temporaryOf("p.pai", working))) << "a running save is left alone";
    EXPECT_TRUE(hasName(names, temporaryOf("other.pai", killedOther))) << "another target's file is left alone";
    EXPECT_EQ(names.size(), 4u);

    writers.kill(working);
    ASSERT_TRUE(writePaintingFile(dir.path("p.pai"), c));
    ASSERT_TRUE(writePaintingFile(dir.path("other.pai"), c));
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"other.pai", "p.pai"}));

    // A name of the longest length the file system allows: its temporary
    // name is shortened, and recognised all the same.
    const std::string longName = std::string(251, 'n') + ".pai";
    const pid_t killedLong = writers.start(dir.path(longName));
    ASSERT_GT(killedLong, 0);
    writers.kill(killedLong);
    EXPECT_EQ(namesIn(dir).size(), 3u);
    ASSERT_TRUE(writePaintingFile(dir.path(longName), c));
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{longName, "other.pai", "p.pai"}));
}

}  // namespace
}  // namespace sc
