// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "engine/canvas.h"
#include "formats/bmp_writer.h"
#include "formats/data_file.h"
#include "formats/painting_v1.h"
#include "support/run_batch.h"

namespace sc {
namespace {

using testing::readFileBytes;
using testing::TempDir;

TEST(BmpWriter, HeaderAndPixelBytes) {
    Surface s;
    ASSERT_TRUE(s.create(3, 2, false));
    s.clearWhite();
    s.setPixel(0, 0, 1, 2, 3);  // top row: last in the file
    TempDir dir;
    ASSERT_TRUE(writeBmp(s, dir.path("a.bmp")));
    const std::string b = readFileBytes(dir.path("a.bmp"));
    ASSERT_EQ(b.size(), 78u);
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
    };
    EXPECT_EQ(u32(2), 78u);
    EXPECT_EQ(u32(6), 0u);
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), 3u);
    EXPECT_EQ(u32(22), 2u);
    EXPECT_EQ(b[26], 1);
    EXPECT_EQ(b[28], 24);
    for (std::size_t at = 30; at < 54; at += 4) EXPECT_EQ(u32(at), 0u);
    EXPECT_EQ(std::memcmp(b.data() + 54 + 12, "\x03\x02\x01", 3), 0);
}

TEST(BmpWriter, RefusesInvalidOrFourByteSurfaces) {
    TempDir dir;
    Surface invalid;
    EXPECT_FALSE(writeBmp(invalid, dir.path("x.bmp")));
    Surface alpha;
    ASSERT_TRUE(alpha.create32(2, 2));
    EXPECT_FALSE(writeBmp(alpha, dir.path("x.bmp")));
    EXPECT_FALSE(testing::fileExists(dir.path("x.bmp")));
}

TEST(RawPainting, RoundTripKeepsEveryBitAndZeroesUnusedBytes) {
    Canvas c;
    ASSERT_TRUE(c.allocate(5, 3));
    const float heights[] = {-3.5f, 1e30f, std::numeric_limits<float>::quiet_NaN(), 0.0f,
                             -std::numeric_limits<float>::infinity()};
    for (std::uint32_t i = 0; i < c.cellCount(); ++i) {
        c.cells()[i] = PaintCell{static_cast<std::uint8_t>(i),
                                 static_cast<std::uint8_t>(2 * i),
                                 7,
                                 9,
                                 200,
                                 {0xAA, 0xBB, 0xCC},
                                 heights[i % 5]};
    }
    TempDir dir;
    ASSERT_TRUE(writeRawPainting(c, dir.path("p.pai")));
    const std::string bytes = readFileBytes(dir.path("p.pai"));
    ASSERT_EQ(bytes.size(), 80u + 15 * 12);
    for (std::size_t i = 16; i < 80; ++i) EXPECT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(bytes[80 + 5], 0);  // unused bytes of the first cell

    DataFile file;
    ASSERT_TRUE(file.open(dir.path("p.pai"), DataFile::kRead));
    std::uint8_t raw[kPaintingHeaderSize];
    ASSERT_TRUE(file.read(raw, sizeof raw));
    const PaintingHeader h = decodePaintingHeader(raw);
    EXPECT_EQ(h.magic, kPaintingMagic);
    EXPECT_EQ(h.version, 1u);
    Canvas back;
    ASSERT_TRUE(back.allocate(h.width, h.height));
    ASSERT_TRUE(readRawCells(file, back));
    for (std::uint32_t i = 0; i < c.cellCount(); ++i) {
        EXPECT_EQ(back.cells()[i].red, c.cells()[i].red);
        EXPECT_EQ(back.cells()[i].shine, 200);
        std::uint32_t x, y;
        std::memcpy(&x, &back.cells()[i].height, 4);
        std::memcpy(&y, &c.cells()[i].height, 4);
        EXPECT_EQ(x, y);
    }
}

TEST(RawPainting, ShortFileIsRefused) {
    TempDir dir;
    Canvas c;
    ASSERT_TRUE(c.allocate(4, 4));
    ASSERT_TRUE(writeRawPainting(c, dir.path("p.pai")));
    std::string bytes = readFileBytes(dir.path("p.pai"));
    bytes.resize(bytes.size() - 1);
    testing::writeFileBytes(dir.path("p.pai"), bytes);
    DataFile file;
    ASSERT_TRUE(file.open(dir.path("p.pai"), DataFile::kRead));
    std::uint8_t raw[kPaintingHeaderSize];
    ASSERT_TRUE(file.read(raw, sizeof raw));
    EXPECT_FALSE(readRawCells(file, c));
}

TEST(DataFile, ModesAndSafeWrites) {
    TempDir dir;
    const std::string path = dir.path("f.dat");
    DataFile f;
    EXPECT_FALSE(f.open(path, 3));
    EXPECT_FALSE(f.isOpen());
    EXPECT_FALSE(f.open(path, DataFile::kRead));  // does not exist
    ASSERT_TRUE(f.open(path, DataFile::kWrite));
    EXPECT_TRUE(f.write("abc", 3));
    // Until close, the target does not exist: nothing half-written is visible.
    EXPECT_FALSE(testing::fileExists(path));
    EXPECT_TRUE(f.close());
    EXPECT_TRUE(f.close());  // closing twice does nothing further
    EXPECT_EQ(readFileBytes(path), "abc");

    ASSERT_TRUE(f.open(path, DataFile::kAppend));
    f.writeText("de");
    f.close();
    EXPECT_EQ(readFileBytes(path), "abcde");

    {
        DataFile abandoned;
        ASSERT_TRUE(abandoned.open(path, DataFile::kWrite));
        abandoned.write("zzz", 3);
    }  // destroyed while open: the old file stays
    EXPECT_EQ(readFileBytes(path), "abcde");

    ASSERT_TRUE(f.open(path, DataFile::kRead));
    char line[4];
    ASSERT_TRUE(f.readLine(line, sizeof line));
    EXPECT_STREQ(line, "abc");
    EXPECT_EQ(f.remaining(), 2u);
    char big[10] = {};
    EXPECT_FALSE(f.read(big, 10));  // short read reported
    f.close();
    EXPECT_FALSE(f.open(dir.dir(), DataFile::kRead));  // a directory is not a file
}

TEST(DataFile, WriteIntoAFullDeviceFailsAndLeavesTheDevice) {
    // A device is written in place, never replaced by a renamed file.
    DataFile f;
    ASSERT_TRUE(f.open("/dev/full", DataFile::kWrite));
    f.write("x", 1);
    EXPECT_FALSE(f.close());
    struct stat st {};
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(DataFile, WritingThroughALinkReplacesTheFileNotTheLink) {
    TempDir dir;
    testing::writeFileBytes(dir.path("real.dat"), "old");
    ASSERT_EQ(::symlink(dir.path("real.dat").c_str(), dir.path("link.dat").c_str()), 0);
    DataFile f;
    ASSERT_TRUE(f.open(dir.path("link.dat"), DataFile::kWrite));
    f.write("new", 3);
    ASSERT_TRUE(f.close());
    struct stat st {};
    ASSERT_EQ(::lstat(dir.path("link.dat").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readFileBytes(dir.path("real.dat")), "new");
}

}  // namespace
}  // namespace sc
