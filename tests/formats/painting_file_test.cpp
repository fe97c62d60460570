// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "engine/canvas.h"
#include "formats/little_endian.h"
#include "formats/painting_file.h"
#include "formats/painting_v1.h"
#include "support/run_batch.h"

namespace sc {
namespace {

using testing::readFileBytes;
using testing::TempDir;
using testing::writeFileBytes;

std::uint32_t bitsOf(float f) {
    std::uint32_t b;
    std::memcpy(&b, &f, 4);
    return b;
}

float floatFromBits(std::uint32_t b) {
    float f;
    std::memcpy(&f, &b, 4);
    return f;
}

// Random colours, with one 4 x 4 block of a single value in the top-left
// corner where the canvas is large enough, and heights of every awkward kind.
void fillVaried(Canvas& c, unsigned seed) {
    std::srand(seed);
    const float heights[] = {0.0f,
                             -0.0f,
                             -3.5f,
                             1e38f,
                             -1e38f,
                             std::numeric_limits<float>::infinity(),
                             floatFromBits(0x7FC01234),
                             floatFromBits(0x7F800001),
                             1e-45f,
                             20.0f};
    for (std::uint32_t y = 0; y < c.height; ++y) {
        for (std::uint32_t x = 0; x < c.width; ++x) {
            PaintCell& p = c.at(x, y);
            const bool uniform = x < 4 && y < 4 && c.width >= 4 && c.height >= 4;
            p.red = uniform ? 10 : static_cast<std::uint8_t>(std::rand());
            p.green = uniform ? 20 : static_cast<std::uint8_t>(std::rand());
            p.blue = uniform ? 30 : static_cast<std::uint8_t>(std::rand());
            p.grain = uniform ? 40 : static_cast<std::uint8_t>(std::rand());
            p.shine = uniform ? 50 : static_cast<std::uint8_t>(std::rand());
            p.height = heights[(x + 3 * y) % 10];
        }
    }
}

void expectSamePainting(const Canvas& a, const Canvas& b) {
    ASSERT_EQ(a.width, b.width);
    ASSERT_EQ(a.height, b.height);
    for (std::uint32_t y = 0; y < a.height; ++y) {
        for (std::uint32_t x = 0; x < a.width; ++x) {
            const PaintCell &p = a.at(x, y), &q = b.at(x, y);
            const bool uniform = x < 4 && y < 4 && a.width >= 4 && a.height >= 4;
            const int tolerance = uniform ? 0 : 1;
            ASSERT_NEAR(p.red, q.red, tolerance);
            ASSERT_NEAR(p.green, q.green, tolerance);
            ASSERT_NEAR(p.blue, q.blue, tolerance);
            ASSERT_NEAR(p.grain, q.grain, tolerance);
            ASSERT_NEAR(p.shine, q.shine, tolerance);
            ASSERT_EQ(bitsOf(p.height), bitsOf(q.height)) << x << "," << y;
        }
    }
}

std::string header(std::uint32_t magic, std::uint32_t version, std::uint32_t w, std::uint32_t h) {
    std::string s(80, '\0');
    putU32(reinterpret_cast<std::uint8_t*>(s.data()), magic);
    putU32(reinterpret_cast<std::uint8_t*>(s.data()) + 4, version);
    putU32(reinterpret_cast<std::uint8_t*>(s.data()) + 8, w);
    putU32(reinterpret_cast<std::uint8_t*>(s.data()) + 12, h);
    return s;
}

TEST(PaintingFile, OneCellFileHasTheDocumentedLayout) {
    TempDir dir;
    Canvas c;
    ASSERT_TRUE(c.allocate(1, 1));
    c.at(0, 0) = PaintCell{12, 34, 56, 78, 90, {}, -2.25f};
    ASSERT_TRUE(writePaintingFile(dir.path("a.pai"), c));
    const std::string bytes = readFileBytes(dir.path("a.pai"));
    // Header, five channels of one flat 4 x 4 block (count 4 + 2 bytes), one height.
    ASSERT_EQ(bytes.size(), 80u + 5 * 6 + 4);
    const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
    EXPECT_EQ(getU32(b), 0x5ED7u);
    EXPECT_EQ(getU32(b + 4), 2u);
    EXPECT_EQ(getU32(b + 8), 1u);
    EXPECT_EQ(getU32(b + 12), 1u);
    EXPECT_EQ(getU32(b + 80), 2u);
    float h;
    std::memcpy(&h, b + bytes.size() - 4, 4);
    EXPECT_EQ(h, -2.25f);

    Canvas back;
    std::uint32_t version = 0;
    ASSERT_EQ(readPaintingFile(dir.path("a.pai"), back, &version), PaintingLoadResult::kOk);
    EXPECT_EQ(version, 2u);
    expectSamePainting(c, back);
}

TEST(PaintingFile, RoundTripsAtAwkwardSizesKeepHeightsBitForBit) {
    TempDir dir;
    for (auto [w, h] : {std::pair{5u, 3u}, std::pair{17u, 9u}, std::pair{1u, 33u}, std::pair{64u, 64u}}) {
        Canvas c;
        ASSERT_TRUE(c.allocate(w, h));
        fillVaried(c, w * 100 + h);
        ASSERT_TRUE(writePaintingFile(dir.path("p.pai"), c));
        Canvas back;
        ASSERT_EQ(readPaintingFile(dir.path("p.pai"), back), PaintingLoadResult::kOk);
        expectSamePainting(c, back);
    }
}

TEST(PaintingFile, ReadsVersionOneIncludingAnEmptyCanvas) {
    TempDir dir;
    Canvas c;
    ASSERT_TRUE(c.allocate(7, 3));
    fillVaried(c, 3);
    ASSERT_TRUE(writeRawPainting(c, dir.path("v1.pai")));
    Canvas back;
    std::uint32_t version = 0;
    ASSERT_EQ(readPaintingFile(dir.path("v1.pai"), back, &version), PaintingLoadResult::kOk);
    EXPECT_EQ(version, 1u);
    for (std::uint32_t i = 0; i < 21; ++i) {
        EXPECT_EQ(std::memcmp(&back.cells()[i], &c.cells()[i], 5), 0);
        EXPECT_EQ(bitsOf(back.cells()[i].height), bitsOf(c.cells()[i].height));
    }

    writeFileBytes(dir.path("empty.pai"), header(0x5ED7, 1, 0, 0));
    Canvas empty;
    ASSERT_TRUE(empty.allocate(5, 5));
    ASSERT_EQ(readPaintingFile(dir.path("empty.pai"), empty), PaintingLoadResult::kOk);
    EXPECT_EQ(empty.width, 0u);
    EXPECT_EQ(empty.height, 0u);
    EXPECT_EQ(empty.cellCount(), 0u);
}

TEST(PaintingFile, EveryTruncationIsRefused) {
    TempDir dir;
    Canvas c;
    ASSERT_TRUE(c.allocate(9, 6));
    fillVaried(c, 11);
    ASSERT_TRUE(writePaintingFile(dir.path("full.pai"), c));
    const std::string full = readFileBytes(dir.path("full.pai"));
    for (std::size_t n = 0; n < full.size(); ++n) {
        // A fresh name each time: truncating a file in place is slow on some file systems.
        const std::string cut = dir.path("cut" + std::to_string(n) + ".pai");
        writeFileBytes(cut, full.substr(0, n));
        Canvas back;
        const PaintingLoadResult r = readPaintingFile(cut, back);
        EXPECT_EQ(r, n < 4 ? PaintingLoadResult::kBadMagic : PaintingLoadResult::kDamaged) << "cut at " << n;
    }
    // Version 1 cut short too.
    ASSERT_TRUE(writeRawPainting(c, dir.path("v1.pai")));
    const std::string v1 = readFileBytes(dir.path("v1.pai"));
    writeFileBytes(dir.path("cut1.pai"), v1.substr(0, v1.size() - 1));
    Canvas back;
    EXPECT_EQ(readPaintingFile(dir.path("cut1.pai"), back), PaintingLoadResult::kDamaged);
}

TEST(PaintingFile, HeadersAreCheckedBeforeAnythingIsAllocated) {
    TempDir dir;
    auto result = [&](const std::string& content) {
        writeFileBytes(dir.path("h.pai"), content);
        Canvas back;
        return readPaintingFile(dir.path("h.pai"), back);
    };
    EXPECT_EQ(result(header(0x5ED8, 2, 1, 1)), PaintingLoadResult::kBadMagic);
    EXPECT_EQ(result(header(0x5ED7, 3, 1, 1)), PaintingLoadResult::kVersion3);
    EXPECT_EQ(result(header(0x5ED7, 0, 1, 1)), PaintingLoadResult::kLaterVersion);
    EXPECT_EQ(result(header(0x5ED7, 4, 1, 1)), PaintingLoadResult::kLaterVersion);
    // Sizes no file of this length can hold, and sizes whose byte counts overflow.
    EXPECT_EQ(result(header(0x5ED7, 2, 100000, 100000) + std::string(64, '\0')), PaintingLoadResult::kDamaged);
    EXPECT_EQ(result(header(0x5ED7, 2, 0xFFFFFFFF, 0xFFFFFFFF)), PaintingLoadResult::kDamaged);
    EXPECT_EQ(result(header(0x5ED7, 1, 0xFFFFFFFF, 0xFFFFFFFF)), PaintingLoadResult::kDamaged);
    EXPECT_EQ(result(header(0x5ED7, 1, 0x40000000, 4)), PaintingLoadResult::kDamaged);
    EXPECT_EQ(result(header(0x5ED7, 2, 1, 1).substr(0, 40)), PaintingLoadResult::kDamaged);
    // One side 0 and the other not: no painting has that shape. (A header of
    // width 0x7A06010B and height 0 once kept the reader walking empty block
    // columns for minutes.)
    for (std::uint32_t version : {1u, 2u}) {
        EXPECT_EQ(result(header(0x5ED7, version, 0x7A06010B, 0) + std::string(40, '\0')), PaintingLoadResult::kDamaged);
        EXPECT_EQ(result(header(0x5ED7, version, 0, 7) + std::string(40, '\0')), PaintingLoadResult::kDamaged);
    }
}

TEST(PaintingFile, DamagedChannelsAreRefused) {
    TempDir dir;
    Canvas c;
    ASSERT_TRUE(c.allocate(8, 8));
    fillVaried(c, 5);
    ASSERT_TRUE(writePaintingFile(dir.path("ok.pai"), c));
    const std::string good = readFileBytes(dir.path("ok.pai"));
    auto patched = [&](std::size_t at, const std::string& bytes) {
        std::string s = good;
        s.replace(at, bytes.size(), bytes);
        writeFileBytes(dir.path("bad.pai"), s);
        Canvas back;
        return readPaintingFile(dir.path("bad.pai"), back);
    };
    // The first channel's count: larger than the 2 x 8 x 8 buffer, or than the file.
    EXPECT_EQ(patched(80, std::string("\x81\x00\x00\x00", 4)), PaintingLoadResult::kDamaged);
    EXPECT_EQ(patched(80, std::string("\xFF\xFF\xFF\xFF", 4)), PaintingLoadResult::kDamaged);
    // The first block's depth nibble set to 15.
    EXPECT_EQ(patched(84, std::string(1, static_cast<char>(good[84] | 0xF0))), PaintingLoadResult::kDamaged);
    // A count too small for the blocks it must hold.
    EXPECT_EQ(patched(80, std::string("\x01\x00\x00\x00", 4)), PaintingLoadResult::kDamaged);
}

}  // namespace
}  // namespace sc
