// SPDX-License-Identifier: GPL-3.0-or-later
// The autosave folder: a run's name is its own while it holds the lock, the
// autosaves of runs that are gone are found with their paintings, and a run
// killed in the middle of an autosave leaves the previous one whole.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "engine/canvas.h"
#include "formats/autosave_files.h"
#include "formats/data_file.h"
#include "formats/painting_file.h"
#include "support/run_batch.h"

namespace sc {
namespace {

using testing::readFileBytes;
using testing::TempDir;

void paint(Canvas& c, float seed) {
    for (std::size_t i = 0; i < c.cellCount(); ++i) {
        PaintCell& cell = c.cells()[i];
        cell.red = static_cast<std::uint8_t>(i * 7 + static_cast<std::size_t>(seed));
        cell.shine = static_cast<std::uint8_t>(i);
        cell.height = seed + static_cast<float>(i % 97) * 0.37f;
    }
}

bool sameCells(const Canvas& a, const Canvas& b) {
    return a.width == b.width && a.height == b.height &&
           std::memcmp(a.cells(), b.cells(), a.cellCount() * sizeof(PaintCell)) == 0;
}

bool readBack(const std::string& path, Canvas& into) {
    DataFile file;
    return file.open(path, DataFile::kRead) && readPaintingFile(file, into, nullptr) == PaintingLoadResult::kOk;
}

std::size_t entries(const std::string& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
    return n;
}

// The orphans of the folder, expected to be one holding `painting` and `original`.
std::vector<OrphanAutosave> theOneOrphan(const std::string& folder, const Canvas& painting,
                                         const std::string& original) {
    std::vector<OrphanAutosave> orphans = findOrphanAutosaves(folder);
    EXPECT_EQ(orphans.size(), 1u);
    if (orphans.size() == 1) {
        EXPECT_EQ(orphans[0].original, original);
        Canvas back;
        EXPECT_TRUE(readBack(orphans[0].files.painting(), back) && sameCells(back, painting));
    }
    return orphans;
}

// A run's name claimed in a fresh folder, and a painting autosaved under it.
struct Autosaved {
    Autosaved(std::uint32_t width, std::uint32_t height, float seed, const std::string& original) {
        written = claimAutosaveName(folder, files, lock) && painting.allocate(width, height);
        paint(painting, seed);
        written = written && writeAutosave(files, painting.cells(), width, height, original);
    }
    TempDir dir;
    const std::string folder = dir.path("autosave/");
    AutosaveFiles files;
    AutosaveLock lock;
    Canvas painting;
    bool written = false;
};

TEST(AutosaveFiles, AHeldNameIsNeverOfferedAndAFreedOneIsWithItsPaintingAndPath) {
    Autosaved mine(31, 17, 3.0f, "/pictures/field.pai");
    ASSERT_TRUE(mine.written);
    const std::string& folder = mine.folder;
    const Canvas& c = mine.painting;
    AutosaveLock& lock = mine.lock;
    // A run that died before its first autosave: only a lock file.
    AutosaveFiles empty{folder, "1-1"};
    AutosaveLock emptyLock;
    ASSERT_TRUE(emptyLock.take(empty, true));
    emptyLock.release();

    EXPECT_TRUE(findOrphanAutosaves(folder).empty()) << "a running program's autosave is its own";
    EXPECT_FALSE(testing::fileExists(empty.lock())) << "a name without a painting is cleaned away";

    lock.release();
    std::vector<OrphanAutosave> orphans = theOneOrphan(folder, c, "/pictures/field.pai");
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_TRUE(findOrphanAutosaves(folder).empty()) << "an orphan being offered is not offered twice";

    // Adopted by a new run: the painting is the new run's, the old name gone.
    const AutosaveFiles next{folder, "2-2"};
    AutosaveLock nextLock;
    ASSERT_TRUE(nextLock.take(next, true));
    ASSERT_TRUE(adoptAutosave(orphans[0].files, next));
    removeAutosaveName(orphans[0].files);
    EXPECT_EQ(readFileBytes(next.original()), "/pictures/field.pai");
    EXPECT_EQ(entries(folder), 3u) << "the new run's painting, path and lock";
}

TEST(AutosaveFiles, AKillDuringTheWriteLeavesThePreviousAutosaveWhole) {
    Autosaved autosaved(200, 150, 1.0f, "/p/a.pai");
    ASSERT_TRUE(autosaved.written);
    const std::string& folder = autosaved.folder;
    const AutosaveFiles& files = autosaved.files;
    const Canvas& previous = autosaved.painting;
    autosaved.lock.release();

    const pid_t child = ::fork();
    if (child == 0) {
        // The file-size limit's signal ends the process part-way through the
        // painting, as a kill would; no core file.
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        const rlimit limit{100000, 100000};
        setrlimit(RLIMIT_FSIZE, &limit);
        AutosaveLock childLock;
        if (!childLock.take(files, false)) std::_Exit(2);
        Canvas next;
        if (!next.allocate(200, 150)) std::_Exit(3);
        paint(next, 9.0f);
        std::_Exit(writeAutosave(files, next.cells(), next.width, next.height, "/p/a.pai") ? 0 : 4);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
    ASSERT_EQ(WTERMSIG(status), SIGXFSZ);

    std::vector<OrphanAutosave> orphans = theOneOrphan(folder, previous, "/p/a.pai");
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(entries(folder), 4u) << "painting, path, lock and the killed write's temporary file";
    removeAutosaveName(orphans[0].files);
    EXPECT_EQ(entries(folder), 0u) << "deleting an autosave takes the killed write's leftovers too";
}

}  // namespace
}  // namespace sc
