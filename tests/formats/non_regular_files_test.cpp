// SPDX-License-Identifier: GPL-3.0-or-later
// Paths that name something other than a regular file: reading refuses a
// pipe, a device or a directory at once (a plain open of a pipe blocks
// until a writer comes, and a device like /dev/zero never ends), and writing
// to a pipe nobody reads fails instead of waiting for a reader.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "engine/canvas.h"
#include "engine/surface.h"
#include "formats/data_file.h"
#include "formats/jgi_file.h"
#include "formats/painting_file.h"
#include "formats/picture_file.h"
#include "formats/preset_lists.h"
#include "formats/prefs_file.h"
#include "support/hang_guard.h"
#include "support/run_batch.h"

namespace sc {
namespace {

using testing::HangGuard;
using testing::TempDir;
using testing::writeFileBytes;

bool opensForReading(const std::string& path) {
    DataFile f;
    return f.open(path, DataFile::kRead);
}

TEST(NonRegularFiles, ReadingOpensOnlyRegularFiles) {
    TempDir dir;
    writeFileBytes(dir.path("plain.dat"), "abc");
    ASSERT_EQ(::symlink(dir.path("plain.dat").c_str(), dir.path("link.dat").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.path("pipe").c_str(), 0600), 0);
    HangGuard guard(20);

    DataFile f;
    ASSERT_TRUE(f.open(dir.path("link.dat"), DataFile::kRead)) << "a link to a regular file is followed";
    char text[4] = {};
    EXPECT_TRUE(f.read(text, 3));
    EXPECT_STREQ(text, "abc");
    f.close();

    EXPECT_FALSE(opensForReading(dir.path("pipe"))) << "a pipe without a writer";
    EXPECT_FALSE(opensForReading(dir.dir()));
    EXPECT_FALSE(opensForReading("/dev/zero")) << "never ends";
    EXPECT_FALSE(opensForReading("/dev/null"));

    // A pipe with a writer holding it open and data waiting is refused too:
    // its end would come only when the writer closed it.
    const int writer = ::open(dir.path("pipe").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "xyz", 3), 3);
    EXPECT_FALSE(opensForReading(dir.path("pipe")));
    ::close(writer);

    EXPECT_TRUE(isReadableRegularFile(dir.path("link.dat")));
    for (const std::string& path :
         {std::string(), dir.path("missing"), dir.path("pipe"), dir.dir(), std::string("/dev/zero")}) {
        EXPECT_FALSE(isReadableRegularFile(path)) << path;
    }
}

TEST(NonRegularFiles, EveryReaderRefusesAPipeWithoutWaiting) {
    TempDir dir;
    const std::string pipe = dir.path("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    HangGuard guard(20);
    Canvas canvas;
    EXPECT_EQ(readPaintingFile(pipe, canvas), PaintingLoadResult::kCannotOpen);
    EXPECT_EQ(readPaintingFile("/dev/zero", canvas), PaintingLoadResult::kCannotOpen);
    ViewPreferences prefs;
    EXPECT_FALSE(readPrefsFile(pipe, prefs));
    BrushPresetList brushes;
    EXPECT_FALSE(readBrushPresetFile(pipe, brushes));
    EXPECT_FALSE(readBrushPresetFile("/dev/zero", brushes));
    StrokePresetList strokes;
    EXPECT_FALSE(readStrokePresetFile(pipe, strokes));
    Surface picture;
    EXPECT_EQ(readColourJgi(picture, pipe), JgiResult::kCannotOpen);
    EXPECT_EQ(readPictureFile(pipe, picture), PictureLoadResult::kCannotOpen);
}

TEST(NonRegularFiles, APipeIsWrittenInPlaceOnlyWhileSomeoneReadsIt) {
    TempDir dir;
    const std::string pipe = dir.path("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    HangGuard guard(20);

    // Nobody reads: the open fails at once and the pipe stays a pipe.
    DataFile f;
    EXPECT_FALSE(f.open(pipe, DataFile::kWrite));
    Canvas canvas;
    ASSERT_TRUE(canvas.allocate(4, 4));
    EXPECT_FALSE(writePaintingFile(pipe, canvas));
    struct stat st {};
    ASSERT_EQ(::stat(pipe.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.dir())) ++entries;
    EXPECT_EQ(entries, 1) << "no temporary file beside it";

    // Someone reads: the bytes go through the pipe, as before.
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    ASSERT_TRUE(f.open(pipe, DataFile::kWrite));
    EXPECT_TRUE(f.write("abc", 3));
    EXPECT_TRUE(f.close());
    char got[8] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 3);
    EXPECT_STREQ(got, "abc");
    ::close(reader);
}

}  // namespace
}  // namespace sc
