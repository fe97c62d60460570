// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "app/assets.h"
#include "app/file_fixture.h"
#include "app/import_image.h"
#include "engine/surface.h"
#include "formats/jgi_file.h"
#include "formats/test_pictures.h"

namespace sc {
namespace {

using testing::fileExists;
using testing::makeBmp;
using testing::readFileBytes;
using testing::Rgb;
using testing::TempDir;
using testing::writeFileBytes;

class ImportTest : public testing::FileOperationTest {
protected:
    void SetUp() override {
        FileOperationTest::SetUp();
        shell().pictureFailureShown = false;
    }
};

TEST_F(ImportTest, PixelsBecomeFlatPaintTheRightWayUp) {
    TempDir dir;
    // Top row grey, bottom row a pure colour; 124-byte header for the fallback reader.
    const auto pixel = [](std::uint32_t, std::uint32_t y) { return y == 0 ? Rgb{128, 128, 128} : Rgb{200, 40, 10}; };
    for (std::uint32_t header : {40u, 124u}) {
        SetUp();
        const std::string path = dir.path("p" + std::to_string(header) + ".bmp");
        writeFileBytes(path, makeBmp(3, 2, pixel, {header, false, 24}));
        shell().painting.document.rendered = true;
        ASSERT_TRUE(importPictureFile(shell().painting, shell().tools, path, shell().pictureFailureShown));
        const Canvas& d = shell().painting.document;
        ASSERT_EQ(d.width, 3u);
        ASSERT_EQ(d.height, 2u);
        const PaintCell grey = d.at(1, 0), colour = d.at(2, 1);
        EXPECT_EQ((std::array<int, 4>{grey.red, grey.green, grey.blue, grey.grain}),
                  (std::array<int, 4>{0, 0, 0, 128}));
        EXPECT_EQ((std::array<int, 4>{colour.red, colour.green, colour.blue, colour.grain}),
                  (std::array<int, 4>{190, 30, 0, 10}));
        EXPECT_EQ(colour.shine, 255);
        EXPECT_EQ(colour.height, 1.0f);
        EXPECT_EQ(d.kind, kDocumentCanvasKind);
        EXPECT_FALSE(d.rendered);
        EXPECT_FALSE(shell().painting.undoValid) << "the snapshot without canvas drops the undo copy";
        EXPECT_FALSE(shell().painting.saved);
        EXPECT_TRUE(messages().empty());
    }
}

TEST_F(ImportTest, LargePicturesHaveNoSizeLimit) {
    TempDir dir;
    writeFileBytes(dir.path("big.bmp"), makeBmp(3000, 2500, [](std::uint32_t x, std::uint32_t y) {
                       return Rgb{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7};
                   }));
    ASSERT_TRUE(importPictureFile(shell().painting, shell().tools, dir.path("big.bmp"), shell().pictureFailureShown));
    EXPECT_EQ(shell().painting.document.width, 3000u);
    EXPECT_EQ(shell().painting.document.height, 2500u);
    EXPECT_EQ(shell().painting.document.at(2999, 2499).grain, 7);
}

TEST_F(ImportTest, OnlyTheFirstFailureOfTheRunShowsTheLibraryMessage) {
    TempDir dir;
    paintDocument(4);
    writeFileBytes(dir.path("bad.png"), "\x89PNG\r\n\x1a\n broken");
    EXPECT_FALSE(importPictureFile(shell().painting, shell().tools, dir.path("bad.png"), shell().pictureFailureShown));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "An image failed to load!");
    EXPECT_EQ(messages()[0].caption, "Error");
    EXPECT_EQ(shell().painting.document.width, 6u);
    EXPECT_EQ(shell().painting.document.at(0, 0).red, 4);
    EXPECT_TRUE(shell().painting.saved) << "nothing changed, no snapshot";

    EXPECT_FALSE(
        importPictureFile(shell().painting, shell().tools, dir.path("missing.jpg"), shell().pictureFailureShown));
    EXPECT_EQ(messages().size(), 1u);
}

class AssetTest : public testing::FileOperationTest {
protected:
    void SetUp() override {
        FileOperationTest::SetUp();
        shell().pictureFailureShown = false;
        std::filesystem::create_directories(dir.path("WorkData/Styles"));
        std::filesystem::create_directories(dir.path("WorkData/Textures"));
        std::filesystem::create_directories(dir.path("data"));
        std::filesystem::create_directories(dir.path("user/data"));
    }
    std::string work() const { return dir.path("WorkData/"); }
    std::string cache() const { return dir.path("data/"); }
    TempDir dir;
};

TEST_F(AssetTest, FirstLookupCachesTheBitmapAndShowsTheDecodedCache) {
    // 4 x 4 blocks of one colour come through the codec exactly.
    const auto blocks = [](std::uint32_t x, std::uint32_t y) {
        return Rgb{static_cast<std::uint8_t>(x / 4 * 60), static_cast<std::uint8_t>(y / 4 * 50), 33};
    };
    writeFileBytes(work() + "tools.bmp", makeBmp(8, 8, blocks));
    Surface s;
    loadColourAssetFrom(shell(), s, "tools", work(), cache());
    ASSERT_TRUE(fileExists(cache() + "tools.jgi"));
    ASSERT_EQ(s.width(), 8u);
    EXPECT_EQ(s.bytesPerPixel(), 4) << "what is shown is the decoded cache";
    EXPECT_EQ(s.getPixel(5, 1), packColour(60, 0, 33));
    EXPECT_EQ(s.getPixel(2, 6), packColour(0, 50, 33));

    // The cache wins over a changed bitmap until it is deleted.
    writeFileBytes(work() + "tools.bmp", makeBmp(8, 8, [](std::uint32_t, std::uint32_t) { return Rgb{9, 9, 9}; }));
    loadColourAssetFrom(shell(), s, "tools", work(), cache());
    EXPECT_EQ(s.getPixel(5, 1), packColour(60, 0, 33));
    std::filesystem::remove(cache() + "tools.jgi");
    loadColourAssetFrom(shell(), s, "tools", work(), cache());
    EXPECT_EQ(s.getPixel(5, 1), packColour(9, 9, 9));
}

TEST_F(AssetTest, GreyAssetsShowTheRedComponent) {
    writeFileBytes(work() + "filenew.bmp", makeBmp(4, 4, [](std::uint32_t, std::uint32_t) {
                       return Rgb{150, 20, 90};
                   }));
    Surface s;
    loadGreyAssetFrom(shell(), s, "filenew", work(), cache());
    EXPECT_EQ(s.getPixel(3, 3), packColour(150, 150, 150));
    // One channel: 12-byte header, count, one flat block.
    EXPECT_EQ(readFileBytes(cache() + "filenew.jgi").size(), 12u + 4u + 2u);
}

TEST_F(AssetTest, AMissingBitmapLeavesAnEmptyCacheAndOneMessage) {
    Surface s;
    loadGreyAssetFrom(shell(), s, "paint0", work(), cache());
    loadGreyAssetFrom(shell(), s, "paint1", work(), cache());
    EXPECT_FALSE(s.valid());
    EXPECT_EQ(readFileBytes(cache() + "paint0.jgi").size(), 12u + 4u);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "An image failed to load!");
}

TEST_F(AssetTest, StyleAndTextureImagesFillTheToolState) {
    for (int i = 0; i < 18; ++i) {
        const auto grey = [i](std::uint32_t, std::uint32_t) {
            const auto v = static_cast<std::uint8_t>(i * 10);
            return Rgb{v, v, v};
        };
        writeFileBytes(work() + "Styles/paint" + std::to_string(i) + ".bmp", makeBmp(8, 8, grey));
        writeFileBytes(work() + "Textures/bump" + std::to_string(i) + ".bmp", makeBmp(4, 4, grey));
    }
    // The pictures come with the program, the cache is the user's.
    loadStyleAndTextureImagesFrom(shell().tools, shell().pictureFailureShown, dir.dir() + "/", dir.path("user/data/"));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(shell().tools.styleImages[17].width(), 8u);
    EXPECT_EQ(shell().tools.styleImages[17].getPixel(0, 0), packColour(170, 170, 170));
    EXPECT_EQ(shell().tools.textureImages[3].width(), 4u);
    EXPECT_EQ(shell().tools.textureImages[3].getPixel(1, 1), packColour(30, 30, 30));
    EXPECT_TRUE(fileExists(dir.path("user/data/bump17.jgi")));
    EXPECT_FALSE(fileExists(cache() + "bump17.jgi"));
    for (auto& image : shell().tools.styleImages) image.release();
    for (auto& image : shell().tools.textureImages) image.release();
}

}  // namespace
}  // namespace sc
