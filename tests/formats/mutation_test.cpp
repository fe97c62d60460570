// SPDX-License-Identifier: GPL-3.0-or-later
// Files with a few bytes changed or cut off: every reader must come back
// with an answer, never read or write outside its buffers (run under the
// sanitizer build to see that), and never call a damaged painting complete.
#include <gtest/gtest.h>

#include <random>

#include "engine/canvas.h"
#include "engine/surface.h"
#include "formats/jgi_file.h"
#include "formats/painting_file.h"
#include "formats/picture_file.h"
#include "formats/picture_writers.h"
#include "formats/test_pictures.h"
#include "support/run_batch.h"

namespace sc {
namespace {

using testing::readFileBytes;
using testing::TempDir;
using testing::writeFileBytes;

// "<prefix><n><suffix>", built without the string concatenations some
// compilers warn about wrongly.
std::string numbered(const char* prefix, int n, const char* suffix) {
    std::string s = prefix;
    s += std::to_string(n);
    s += suffix;
    return s;
}

std::string mutate(const std::string& original, std::mt19937& random) {
    std::string m = original;
    const int changes = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < changes; ++i) {
        const std::size_t at = random() % m.size();
        switch (random() % 3) {
            case 0: m[at] = static_cast<char>(random()); break;
            case 1: m[at] = static_cast<char>(m[at] ^ (1 << (random() % 8))); break;
            default: m[at] = (random() % 2) ? '\xFF' : '\0'; break;
        }
    }
    if (random() % 8 == 0) m.resize(random() % m.size());
    return m;
}

TEST(MutatedFiles, PaintingsAndJgiFilesAreReadSafely) {
    TempDir dir;
    Canvas c;
    ASSERT_TRUE(c.allocate(9, 6));
    for (std::uint32_t i = 0; i < c.cellCount(); ++i) {
        c.cells()[i].red = static_cast<std::uint8_t>(i * 11);
        c.cells()[i].height = static_cast<float>(i);
    }
    ASSERT_TRUE(writePaintingFile(dir.path("p.pai"), c));
    Surface s;
    ASSERT_TRUE(s.create(13, 7, false));
    s.clearWhite();
    s.setPixel(3, 3, 1, 2, 3);
    ASSERT_EQ(writeColourJgi(s, dir.path("j.jgi"), 3), JgiResult::kOk);
    const std::string painting = readFileBytes(dir.path("p.pai"));
    const std::string jgi = readFileBytes(dir.path("j.jgi"));

    std::mt19937 random(12345);
    for (int i = 0; i < 200; ++i) {
        const std::string m = mutate(painting, random);
        const std::string path = dir.path(numbered("m", i, ".pai"));
        writeFileBytes(path, m);
        Canvas back;
        const PaintingLoadResult r = readPaintingFile(path, back);
        // A file shorter than the original's layout can never be complete.
        if (m.size() < painting.size() && m.substr(0, 16) == painting.substr(0, 16)) {
            EXPECT_NE(r, PaintingLoadResult::kOk) << i;
        }
        if (r == PaintingLoadResult::kOk) {
            EXPECT_EQ(back.cellCount(), static_cast<std::size_t>(back.width) * back.height);
        }

        const std::string jpath = dir.path(numbered("m", i, ".jgi"));
        writeFileBytes(jpath, mutate(jgi, random));
        Surface target;
        readColourJgi(target, jpath);
    }
}

TEST(MutatedFiles, PicturesAreReadSafely) {
    TempDir dir;
    const auto pixel = [](std::uint32_t x, std::uint32_t y) {
        return testing::Rgb{static_cast<std::uint8_t>(x * 20), static_cast<std::uint8_t>(y * 30),
                            static_cast<std::uint8_t>(x * y)};
    };
    std::vector<std::string> originals = {
        testing::makeBmp(13, 7, pixel, {40, false, 24}),
        testing::makeBmp(13, 7, pixel, {124, true, 32}),
        testing::makeBmp(40, 40, testing::quadrants(40, 40), {40, false, 8}),
        testing::makeBmp(9, 5, testing::quadrants(9, 5), {124, false, 8}),
        testing::makeBmp(13, 7, pixel, {12, false, 24}),
        testing::makeBmp(13, 7, pixel, {56, false, 32}),
        testing::makeBmp(40, 40, testing::quadrants(40, 40), {64, false, 8}),
    };
    ASSERT_TRUE(testing::writePngFile(dir.path("a.png"), 13, 7, pixel));
    ASSERT_TRUE(testing::writeTiffFile(dir.path("a.tif"), 13, 7, pixel, 2, 3));
    // Tiles re-laid as a strip, alpha marked associated, on separate planes.
    testing::TiffOptions tiles{.tileWidth = 16, .tileLength = 16, .separatePlanes = true};
    tiles.alphaKind = testing::TiffAlpha::kUnassociated;
    tiles.alpha = [](std::uint32_t x, std::uint32_t) { return static_cast<std::uint8_t>(x * 40); };
    ASSERT_TRUE(testing::writeTiffFile(dir.path("t.tif"), 21, 18, pixel, tiles));
    ASSERT_TRUE(testing::writeJpegFile(dir.path("a.jpg"), 21, 18, pixel, {.restartRows = 1}));
    ASSERT_TRUE(testing::writeJpegFile(dir.path("p.jpg"), 21, 18, pixel, {.progressive = true}));
    for (const char* name : {"a.png", "a.tif", "t.tif", "a.jpg", "p.jpg"})
        originals.push_back(readFileBytes(dir.path(name)));

    std::mt19937 random(777);
    int n = 0;
    for (const std::string& original : originals) {
        for (int i = 0; i < 40; ++i, ++n) {
            const std::string path = dir.path(numbered("m", n, ""));
            writeFileBytes(path, mutate(original, random));
            Surface s;
            if (readPictureFile(path, s) == PictureLoadResult::kOk) {
                EXPECT_EQ(s.bytesPerPixel(), 3);
                EXPECT_GT(s.width(), 0u);
            }
        }
    }
}

}  // namespace
}  // namespace sc
