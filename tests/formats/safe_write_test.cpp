// Every writer puts its file in place only when the whole of it was written:
// a write that fails part-way (here: the file-size limit) reports failure and
// leaves the old file as it was, with no temporary file behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/canvas.h"
#include "engine/surface.h"
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

}  // namespace
}  // namespace sc
