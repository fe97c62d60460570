// SPDX-License-Identifier: GPL-3.0-or-later
// The autosave folder: a run's name is its own while it holds the lock, the
// autosaves of runs that are gone are found with their paintings, and a run
// killed in the middle of an autosave leaves the previous one whole. A raw
// layers file that is cut short, too long or holds an impossible field is
// refused.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "engine/canvas.h"
#include "engine/layer.h"
#include "formats/autosave_files.h"
#include "formats/data_file.h"
#include "formats/painting_file.h"
#include "formats/painting_v1.h"
#include "formats/raw_layers_file.h"
#include "support/run_batch.h"

namespace sc {
namespace {

using testing::readFileBytes;
using testing::TempDir;
using testing::writeFileBytes;

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

PaintingLoadResult readRawLayers(const std::string& path, const std::string& bytes, std::vector<Layer>& layers,
                                 std::size_t& active) {
    writeFileBytes(path, bytes);
    DataFile file;
    Canvas into;
    if (!file.open(path, DataFile::kRead)) return PaintingLoadResult::kCannotOpen;
    return readRawLayersFile(file, into, layers, active);
}

TEST(AutosaveFiles, ARawLayersFileIsReadBitForBitAndADamagedOneIsRefused) {
    TempDir dir;
    const std::string path = dir.path("layers.pai");
    const std::vector<RawLayerEntry> table = {{"Ground", true, 1.0f, true}, {"Glaze", false, 0.25f, false}};
    std::string data;
    for (int i = 0; i < 6; ++i) {
        const PaintCell cell{static_cast<std::uint8_t>(i), 2, 3, 4, 5, {0, 0, 0}, -1.5f * static_cast<float>(i)};
        data.append(reinterpret_cast<const char*>(&cell), sizeof cell);
    }
    data += data;
    for (int i = 0; i < 6; ++i) {
        const float coverage = static_cast<float>(i) / 5.0f;
        data.append(reinterpret_cast<const char*>(&coverage), sizeof coverage);
    }
    const std::vector<std::byte> head = rawLayersHead(3, 2, table, 1);
    const std::string whole = std::string(reinterpret_cast<const char*>(head.data()), head.size()) + data;
    ASSERT_TRUE(writeRawLayersFile(path, head, table, 3, 2, reinterpret_cast<const std::byte*>(data.data())));
    ASSERT_EQ(readFileBytes(path), whole);

    std::vector<Layer> layers;
    std::size_t active = 0;
    ASSERT_EQ(readRawLayers(path, whole, layers, active), PaintingLoadResult::kOk);
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_EQ(active, 1u);
    EXPECT_EQ(layers[1].name, "Glaze");
    EXPECT_FALSE(layers[1].visible);
    EXPECT_EQ(layers[1].opacity, 0.25f);
    EXPECT_TRUE(layers[0].opaque());
    ASSERT_FALSE(layers[1].opaque());
    EXPECT_EQ(std::memcmp(layers[1].cells.get(), data.data(), 6 * sizeof(PaintCell)), 0);
    EXPECT_EQ(std::memcmp(layers[1].coverage.get(), data.data() + 12 * sizeof(PaintCell), 6 * sizeof(float)), 0);

    // Cut anywhere or longer: refused, and the layers given stay as they were.
    for (std::size_t size = 0; size < whole.size(); ++size) {
        EXPECT_EQ(readRawLayers(path, whole.substr(0, size), layers, active), PaintingLoadResult::kDamaged) << size;
    }
    EXPECT_EQ(readRawLayers(path, whole + '\0', layers, active), PaintingLoadResult::kDamaged);
    EXPECT_EQ(layers.size(), 2u);
    // Impossible fields: count, active layer, flags, opacity, name length, coverage.
    const std::size_t entry = kPaintingHeaderSize + 8;
    const std::size_t glaze = entry + 12 + 6;
    const std::pair<std::size_t, std::uint32_t> faults[] = {
        {kPaintingHeaderSize, 0},     {kPaintingHeaderSize, 33},
        {kPaintingHeaderSize + 4, 2}, {entry, 4},
        {glaze + 4, 0x7fc00000u},     {glaze + 4, 0x3fc00000u},
        {glaze + 8, 0xffffffffu},     {whole.size() - 4, 0x40000000u}};
    for (const auto& [at, value] : faults) {
        std::string bad = whole;
        std::memcpy(bad.data() + at, &value, sizeof value);
        EXPECT_EQ(readRawLayers(path, bad, layers, active), PaintingLoadResult::kDamaged) << at;
    }
}

}  // namespace
}  // namespace sc
