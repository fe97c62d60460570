// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "engine/surface.h"
#include "formats/bmp_writer.h"
#include "formats/picture_export.h"
#include "formats/picture_file.h"
#include "formats/picture_writers.h"
#include "formats/test_pictures.h"
#include "support/run_batch.h"

namespace sc {
namespace {

using testing::BmpForm;
using testing::quadrants;
using testing::readFileBytes;
using testing::TempDir;
using testing::writeFileBytes;

constexpr std::uint32_t kRed = packColour(255, 0, 0), kGreen = packColour(0, 255, 0);
constexpr std::uint32_t kBlue = packColour(0, 0, 255), kWhite = packColour(255, 255, 255);

// The four corners must show the quadrant colours the right way up.
void expectQuadrants(const Surface& s, std::uint32_t w, std::uint32_t h, int tolerance = 0) {
    ASSERT_TRUE(s.valid());
    ASSERT_EQ(s.width(), w);
    ASSERT_EQ(s.height(), h);
    EXPECT_EQ(s.bytesPerPixel(), 3);
    auto near = [&](std::uint32_t got, std::uint32_t want, const char* where) {
        for (int shift : {0, 8, 16}) {
            const int g = static_cast<int>((got >> shift) & 0xFF), e = static_cast<int>((want >> shift) & 0xFF);
            EXPECT_NEAR(g, e, tolerance) << where;
        }
    };
    near(s.getPixel(0, 0), kRed, "top left");
    near(s.getPixel(w - 1, 0), kGreen, "top right");
    near(s.getPixel(0, h - 1), kBlue, "bottom left");
    near(s.getPixel(w - 1, h - 1), kWhite, "bottom right");
}

Surface load(const std::string& path, PictureLoadResult expected = PictureLoadResult::kOk) {
    Surface s;
    EXPECT_EQ(readPictureFile(path, s), expected) << path;
    return s;
}

TEST(PictureFile, EveryFormatArrivesTopRowFirst) {
    TempDir dir;
    const std::uint32_t w = 16, h = 10;
    ASSERT_TRUE(testing::writePngFile(dir.path("a.png"), w, h, quadrants(w, h)));
    expectQuadrants(load(dir.path("a.png")), w, h);
    ASSERT_TRUE(testing::writeTiffFile(dir.path("a.tif"), w, h, quadrants(w, h)));
    expectQuadrants(load(dir.path("a.tif")), w, h);
    ASSERT_TRUE(testing::writeJpegFile(dir.path("a.jpg"), 16, 16, quadrants(16, 16)));
    expectQuadrants(load(dir.path("a.jpg")), 16, 16, 12);
}

TEST(PictureFile, EveryBmpFormArrivesTopRowFirst) {
    TempDir dir;
    const std::uint32_t w = 6, h = 4;
    const BmpForm forms[] = {
        {40, false, 24},  {40, true, 24},   {40, false, 32},  {12, false, 24}, {52, false, 24},
        {52, false, 32},  {56, false, 32},  {56, true, 24},   {64, false, 24}, {108, false, 24},
        {108, false, 32}, {124, false, 24}, {124, false, 32}, {124, true, 32},
    };
    for (const BmpForm& form : forms) {
        SCOPED_TRACE(::testing::Message() << form.headerSize << (form.topDown ? " top-down " : " ") << form.bits);
        std::string name = std::to_string(form.headerSize);
        name += std::to_string(form.bits);
        name += form.topDown ? "t.bmp" : "b.bmp";
        writeFileBytes(dir.path(name), testing::makeBmp(w, h, quadrants(w, h), form));
        expectQuadrants(load(dir.path(name)), w, h);
    }
    // Palette pictures.
    writeFileBytes(dir.path("p.bmp"), testing::makeBmp(40, 40, quadrants(40, 40), {40, false, 8}));
    expectQuadrants(load(dir.path("p.bmp")), 40, 40);
    writeFileBytes(dir.path("p5.bmp"), testing::makeBmp(6, 4, quadrants(6, 4), {124, false, 8}));
    expectQuadrants(load(dir.path("p5.bmp")), 6, 4);
    for (const std::uint32_t header : {52u, 64u}) {
        const std::string name = "p" + std::to_string(header) + ".bmp";
        writeFileBytes(dir.path(name), testing::makeBmp(40, 40, quadrants(40, 40), {header, false, 8}));
        expectQuadrants(load(dir.path(name)), 40, 40);
    }
    // OS/2's compression 3 is Huffman coding, which nothing here reads; a
    // header longer than the file is damaged.
    std::string huffman = testing::makeBmp(6, 4, quadrants(6, 4), {64, false, 24});
    testing::putLe32(huffman, 30, 3);
    writeFileBytes(dir.path("huffman.bmp"), huffman);
    load(dir.path("huffman.bmp"), PictureLoadResult::kUnsupported);
    writeFileBytes(dir.path("short56.bmp"), testing::makeBmp(6, 4, quadrants(6, 4), {56, false, 32}).substr(0, 60));
    load(dir.path("short56.bmp"), PictureLoadResult::kDamaged);
}

TEST(PictureFile, RunLengthBmpsDecodeAndRunsOutsideTheirRowAreRefused) {
    TempDir dir;
    // 4 x 2, 8-bit run-length, two palette entries: bottom row colour 0, top row colour 1.
    auto rle = [](const std::string& data) {
        std::string f(14 + 40 + 8, '\0');
        f[0] = 'B';
        f[1] = 'M';
        testing::putLe32(f, 10, 14 + 40 + 8);
        testing::putLe32(f, 14, 40);
        testing::putLe32(f, 18, 4);
        testing::putLe32(f, 22, 2);
        testing::putLe16(f, 26, 1);
        testing::putLe16(f, 28, 8);
        testing::putLe32(f, 30, 1);
        testing::putLe32(f, 46, 2);
        f[54 + 2] = static_cast<char>(200);  // entry 0: red 200
        f[58 + 0] = static_cast<char>(100);  // entry 1: blue 100
        return f + data;
    };
    writeFileBytes(dir.path("ok.bmp"), rle(std::string("\x04\x00\x00\x00\x04\x01\x00\x01", 8)));
    const Surface s = load(dir.path("ok.bmp"));
    ASSERT_TRUE(s.valid());
    EXPECT_EQ(s.getPixel(3, 0), packColour(0, 0, 100));
    EXPECT_EQ(s.getPixel(0, 1), packColour(200, 0, 0));

    // A run longer than the row, and a move past the row's end, would write
    // outside the picture.
    writeFileBytes(dir.path("long.bmp"), rle(std::string("\xFF\x00\x00\x00\x04\x01\x00\x01", 8)));
    load(dir.path("long.bmp"), PictureLoadResult::kDamaged);
    writeFileBytes(dir.path("move.bmp"), rle(std::string("\x00\x02\x09\x00\x01\x01\x00\x01", 8)));
    load(dir.path("move.bmp"), PictureLoadResult::kDamaged);
    writeFileBytes(dir.path("cut.bmp"), rle(std::string("\x04\x00\x00", 3)));
    load(dir.path("cut.bmp"), PictureLoadResult::kDamaged);
    // Colour 2 of a two-colour palette: beyond the palette.
    writeFileBytes(dir.path("index.bmp"), rle(std::string("\x04\x02\x00\x00\x04\x01\x00\x01", 8)));
    load(dir.path("index.bmp"), PictureLoadResult::kDamaged);

    // 4-bit: a run alternates its two colours; a literal run of three, padded.
    std::string four = rle(std::string("\x04\x01\x00\x00\x00\x03\x10\x10\x00\x00\x00\x01", 12));
    testing::putLe16(four, 28, 4);
    testing::putLe32(four, 30, 2);
    writeFileBytes(dir.path("four.bmp"), four);
    const Surface f = load(dir.path("four.bmp"));
    ASSERT_TRUE(f.valid());
    EXPECT_EQ(f.getPixel(0, 1), packColour(200, 0, 0));
    EXPECT_EQ(f.getPixel(1, 1), packColour(0, 0, 100));
    EXPECT_EQ(f.getPixel(0, 0), packColour(0, 0, 100));
    EXPECT_EQ(f.getPixel(1, 0), packColour(200, 0, 0));
    EXPECT_EQ(f.getPixel(3, 0), 0u) << "pixels the stream skips stay black";
}

// A 2 x 1 BMP of 16 or 32 bits a pixel: `header` bytes of header, the masks
// (bit fields) when given, `paletteEntries` palette entries, then the pixels.
std::string directBmp(std::uint32_t header, std::uint16_t bits, const std::vector<std::uint32_t>& masks,
                      std::uint32_t paletteEntries, std::uint32_t first, std::uint32_t second) {
    const bool masksAfterHeader = header == 40 && !masks.empty();
    const std::size_t offset = 14 + header + (masksAfterHeader ? 12 : 0) + 4 * paletteEntries;
    std::string f(offset + 8, '\0');
    f[0] = 'B';
    f[1] = 'M';
    testing::putLe32(f, 10, static_cast<std::uint32_t>(offset));
    testing::putLe32(f, 14, header);
    testing::putLe32(f, 18, 2);
    testing::putLe32(f, 22, 1);
    testing::putLe16(f, 26, 1);
    testing::putLe16(f, 28, bits);
    testing::putLe32(f, 30, masks.empty() ? 0 : 3);
    testing::putLe32(f, 46, paletteEntries);
    for (std::size_t i = 0; i < masks.size(); ++i) testing::putLe32(f, 54 + 4 * i, masks[i]);
    for (std::uint32_t i = 0; i < paletteEntries; ++i)
        testing::putLe32(f, offset - 4 * (paletteEntries - i), 0x00FF00FFu);
    if (bits == 16) {
        testing::putLe16(f, offset, static_cast<std::uint16_t>(first));
        testing::putLe16(f, offset + 2, static_cast<std::uint16_t>(second));
    } else {
        testing::putLe32(f, offset, first);
        testing::putLe32(f, offset + 4, second);
    }
    return f;
}

TEST(PictureFile, BitFieldsOfAnyWidthExpandToFullChannels) {
    TempDir dir;
    struct Case {
        const char* name;
        std::string bytes;
        std::uint32_t first, second;  // the expected colours
    };
    const std::vector<std::uint32_t> rgb565 = {0xF800, 0x07E0, 0x001F}, rgb555 = {0x7C00, 0x03E0, 0x001F};
    const Case cases[] = {
        // 5-5-5 without bit fields: white is 255, and 10 of 31 is 82.
        {"555", directBmp(40, 16, {}, 0, 0x7FFF, 10u << 10 | 31u), kWhite, packColour(82, 0, 255)},
        {"555 fields", directBmp(40, 16, rgb555, 0, 0x7FFF, 0x03E0), kWhite, kGreen},
        {"565 fields", directBmp(40, 16, rgb565, 0, 0xFFFF, 0x07E0), kWhite, kGreen},
        {"565 in the header", directBmp(124, 16, rgb565, 0, 0xFFFF, 32u << 5), kWhite, packColour(0, 130, 0)},
        // A palette before the pixels changes nothing.
        {"555 with a palette", directBmp(40, 16, {}, 16, 0x7FFF, 0x001F), kWhite, kBlue},
        {"565 fields with a palette", directBmp(40, 16, rgb565, 2, 0xF800, 0x001F), kRed, kBlue},
        // Fields that are not whole bytes: 4-4-4, and 10-10-10 with two bits spare.
        {"444", directBmp(40, 16, {0x0F00, 0x00F0, 0x000F}, 0, 0x0FFF, 0x0808), kWhite, packColour(136, 0, 136)},
        {"10-10-10", directBmp(56, 32, {0x3FF00000, 0x000FFC00, 0x000003FF}, 0, 0x3FFFFFFF, 0x200u << 20), kWhite,
         packColour(128, 0, 0)},
    };
    for (const Case& c : cases) {
        const std::string path = dir.path(std::string(c.name) + ".bmp");
        writeFileBytes(path, c.bytes);
        const Surface s = load(path);
        ASSERT_TRUE(s.valid()) << c.name;
        EXPECT_EQ(s.getPixel(0, 0), c.first) << c.name;
        EXPECT_EQ(s.getPixel(1, 0), c.second) << c.name;
    }
    // A mask whose bits are not one run is not read; a 16-bit mask wider than 16 bits is damage.
    writeFileBytes(dir.path("split.bmp"), directBmp(40, 16, {0xF00F, 0x07E0, 0x0010}, 0, 0, 0));
    load(dir.path("split.bmp"), PictureLoadResult::kUnsupported);
    writeFileBytes(dir.path("wide.bmp"), directBmp(40, 16, {0xF80000, 0x07E0, 0x001F}, 0, 0, 0));
    load(dir.path("wide.bmp"), PictureLoadResult::kDamaged);
}

TEST(PictureFile, ColourIndicesBeyondThePaletteAreRefused) {
    TempDir dir;
    // Four colours, so four palette entries; then one pixel set to index 7.
    for (std::uint32_t header : {40u, 124u}) {
        std::string bmp = testing::makeBmp(6, 4, quadrants(6, 4), {header, false, 8});
        const std::string name = std::to_string(header) + ".bmp";
        writeFileBytes(dir.path(name), bmp);
        expectQuadrants(load(dir.path(name)), 6, 4);
        const std::size_t pixels = 14 + header + 4 * 4;
        bmp[pixels + 1] = 7;
        writeFileBytes(dir.path(name), bmp);
        load(dir.path(name), PictureLoadResult::kDamaged);
    }
}

TEST(PictureFile, BmpsThatClaimMoreThanTheyHoldAreRefused) {
    TempDir dir;
    std::string full = testing::makeBmp(20, 20, quadrants(20, 20));
    // A header claiming 30000 x 30000 on a file of a few hundred bytes.
    std::string huge = full;
    testing::putLe32(huge, 18, 30000);
    testing::putLe32(huge, 22, 30000);
    writeFileBytes(dir.path("huge.bmp"), huge);
    load(dir.path("huge.bmp"), PictureLoadResult::kDamaged);
    // Cut anywhere: refused.
    for (std::size_t n = 0; n < full.size(); n += 37) {
        std::string name = std::to_string(n);
        name += ".bmp";
        writeFileBytes(dir.path(name), full.substr(0, n));
        Surface s;
        EXPECT_NE(readPictureFile(dir.path(name), s), PictureLoadResult::kOk) << n;
    }
    // A palette picture cut inside its palette.
    const std::string palette = testing::makeBmp(40, 40, quadrants(40, 40), {40, false, 8});
    writeFileBytes(dir.path("pal.bmp"), palette.substr(0, 60));
    load(dir.path("pal.bmp"), PictureLoadResult::kDamaged);
}

TEST(PictureFile, PngsCutShortOrWithBadChunksAreRefused) {
    TempDir dir;
    ASSERT_TRUE(testing::writePngFile(dir.path("a.png"), 32, 32, quadrants(32, 32)));
    const std::string full = readFileBytes(dir.path("a.png"));
    // Cut anywhere, the end chunk included: refused.
    for (std::size_t n = 8; n < full.size(); n += 5) {
        writeFileBytes(dir.path("cut.png"), full.substr(0, n));
        load(dir.path("cut.png"), PictureLoadResult::kDamaged);
    }
    std::string length = full;
    length[33] = '\x7F';  // the length of the chunk after the header
    writeFileBytes(dir.path("len.png"), length);
    load(dir.path("len.png"), PictureLoadResult::kDamaged);
    // A header claiming far more pixels than the compressed data can expand to.
    std::string bomb = full;
    bomb[16] = bomb[20] = '\x01';
    writeFileBytes(dir.path("bomb.png"), bomb);
    load(dir.path("bomb.png"), PictureLoadResult::kDamaged);
}

// A pattern with every channel changing in both directions.
testing::Rgb varied(std::uint32_t x, std::uint32_t y) {
    return {static_cast<std::uint8_t>(x * 7 + y * 3), static_cast<std::uint8_t>(x * 2 + y * 11),
            static_cast<std::uint8_t>((x ^ y) * 5)};
}

// The surface holds exactly these RGB triples (top row first).
void expectPixels(const Surface& s, const std::vector<std::uint8_t>& rgb, const std::string& what) {
    ASSERT_TRUE(s.valid()) << what;
    ASSERT_EQ(rgb.size(), std::size_t{s.width()} * s.height() * 3) << what;
    int wrong = 0;
    for (std::uint32_t y = 0; y < s.height(); ++y) {
        for (std::uint32_t x = 0; x < s.width(); ++x) {
            const std::uint8_t* p = &rgb[(std::size_t{y} * s.width() + x) * 3];
            if (s.getPixel(x, y) != packColour(p[0], p[1], p[2]) && ++wrong <= 3) {
                ADD_FAILURE() << what << " at " << x << ", " << y;
            }
        }
    }
}

TEST(PictureFile, JpegsOfEveryKindArriveAsTheJpegLibraryDecodesThem) {
    TempDir dir;
    struct Case {
        const char* name;
        std::uint32_t w, h;
        testing::JpegOptions options;
    };
    const Case cases[] = {
        {"baseline", 16, 16, {}},
        {"progressive", 33, 17, {.progressive = true}},
        {"grey", 20, 9, {.grey = true}},
        {"restarts", 40, 24, {.subsampled = true, .restartRows = 1}},
        {"odd", 13, 7, {.subsampled = true}},
        {"arithmetic", 9, 9, {.arithmetic = true}},
    };
    for (const Case& c : cases) {
        const std::string path = dir.path(std::string(c.name) + ".jpg");
        ASSERT_TRUE(testing::writeJpegFile(path, c.w, c.h, varied, c.options)) << c.name;
        expectPixels(load(path), testing::decodeJpegAsLibraryDefaults(path), c.name);
    }
}

std::vector<std::uint8_t> variedRgb(std::uint32_t w, std::uint32_t h, bool grey = false) {
    std::vector<std::uint8_t> rgb;
    for (std::uint32_t y = 0; y < h; ++y) {
        for (std::uint32_t x = 0; x < w; ++x) {
            const testing::Rgb c = varied(x, y);
            rgb.insert(rgb.end(), {c.r, grey ? c.r : c.g, grey ? c.r : c.b});
        }
    }
    return rgb;
}

TEST(PictureFile, TiffsInTilesOfEveryShapeArriveWhole) {
    TempDir dir;
    const std::uint32_t w = 40, h = 24;  // tiles reach past the right and bottom edges
    struct Case {
        const char* name;
        testing::TiffOptions options;
    };
    const Case cases[] = {
        {"16x16", {.tileWidth = 16, .tileLength = 16}},
        {"16x32", {.tileWidth = 16, .tileLength = 32}},
        {"32x16", {.tileWidth = 32, .tileLength = 16}},
        {"32x32", {.tileWidth = 32, .tileLength = 32}},
        {"48x16", {.tileWidth = 48, .tileLength = 16}},
        {"16-bit big-endian", {.tileWidth = 16, .tileLength = 16, .bitsPerSample = 16, .bigEndian = true}},
        {"grey", {.tileWidth = 16, .tileLength = 16, .grey = true}},
        {"planes", {.tileWidth = 16, .tileLength = 16, .separatePlanes = true}},
        {"two pages", {.pages = 2, .tileWidth = 16, .tileLength = 16}},
        {"compressed", {.tileWidth = 16, .tileLength = 16, .compression = 5}},
    };
    for (const Case& c : cases) {
        const std::string path = dir.path(std::string(c.name) + ".tif");
        ASSERT_TRUE(testing::writeTiffFile(path, w, h, varied, c.options)) << c.name;
        expectPixels(load(path), variedRgb(w, h, c.options.grey), c.name);
    }
    // Tiles that stop short of their size, or are missing, are refused.
    ASSERT_TRUE(testing::writeTiffFile(dir.path("t.tif"), w, h, varied, {.tileWidth = 16, .tileLength = 16}));
    const std::string tiled = readFileBytes(dir.path("t.tif"));
    writeFileBytes(dir.path("cut.tif"), tiled.substr(0, tiled.size() - 100));
    load(dir.path("cut.tif"), PictureLoadResult::kDamaged);
}

TEST(PictureFile, ColoursUnderAlphaArriveAsStoredInEveryFormat) {
    TempDir dir;
    const std::uint32_t w = 12, h = 8;
    // Fully transparent, half and opaque columns.
    const testing::AlphaFunction alpha = [](std::uint32_t x, std::uint32_t) {
        return static_cast<std::uint8_t>(x < 4 ? 0 : x < 8 ? 128 : 255);
    };
    ASSERT_TRUE(testing::writePngFile(dir.path("a.png"), w, h, varied, alpha));
    expectPixels(load(dir.path("a.png")), variedRgb(w, h), "png");
    using testing::TiffAlpha;
    const struct {
        const char* name;
        testing::TiffOptions options;
    } cases[] = {
        {"unassociated", {.alphaKind = TiffAlpha::kUnassociated, .alpha = alpha}},
        {"associated", {.alphaKind = TiffAlpha::kAssociated, .alpha = alpha}},
        {"unassociated 16-bit", {.bitsPerSample = 16, .alphaKind = TiffAlpha::kUnassociated, .alpha = alpha}},
        {"unassociated big-endian planes",
         {.separatePlanes = true, .bigEndian = true, .alphaKind = TiffAlpha::kUnassociated, .alpha = alpha}},
        {"unassociated tiles",
         {.tileWidth = 16, .tileLength = 16, .alphaKind = TiffAlpha::kUnassociated, .alpha = alpha}},
        {"grey unassociated", {.grey = true, .alphaKind = TiffAlpha::kUnassociated, .alpha = alpha}},
    };
    for (const auto& c : cases) {
        const std::string path = dir.path(std::string(c.name) + ".tif");
        ASSERT_TRUE(testing::writeTiffFile(path, w, h, varied, c.options)) << c.name;
        expectPixels(load(path), variedRgb(w, h, c.options.grey), c.name);
    }
}

// Bytes of a JPEG with `junk` put in the middle of its first scan's coded data.
std::string withJunkInScan(const std::string& jpeg, const std::string& junk) {
    const std::size_t sos = jpeg.find("\xFF\xDA");
    const std::size_t length = static_cast<std::uint8_t>(jpeg[sos + 2]) << 8 | static_cast<std::uint8_t>(jpeg[sos + 3]);
    const std::size_t data = sos + 2 + length, end = jpeg.find('\xFF', data + 40);
    std::string out = jpeg;
    out.replace(data + 40, std::min(junk.size(), end - data - 40), junk);
    return out;
}

TEST(PictureFile, JpegAndTiffDamageIsRefused) {
    TempDir dir;
    ASSERT_TRUE(testing::writeJpegFile(dir.path("a.jpg"), 32, 32, quadrants(32, 32)));
    const std::string jpeg = readFileBytes(dir.path("a.jpg"));
    writeFileBytes(dir.path("cut.jpg"), jpeg.substr(0, jpeg.size() - 40));
    load(dir.path("cut.jpg"), PictureLoadResult::kDamaged);
    // Cut anywhere in the coded data and ended with an end-of-image marker:
    // the decoder would make the rest up in grey. (A progressive picture cut
    // between two scans decodes whole, only less exact: not a cut here.)
    const std::string eoi = "\xFF\xD9";
    for (const bool progressive : {false, true}) {
        const std::string path = dir.path(progressive ? "p.jpg" : "b.jpg");
        ASSERT_TRUE(testing::writeJpegFile(path, 64, 48, varied, {.progressive = progressive}));
        const std::string whole = readFileBytes(path);
        for (std::size_t n = whole.find("\xFF\xDA") + 40; n + 2 < whole.size(); n += 97) {
            if (whole[n] == '\xFF') continue;
            writeFileBytes(dir.path("eoi.jpg"), whole.substr(0, n) + eoi);
            Surface s;
            EXPECT_EQ(readPictureFile(dir.path("eoi.jpg"), s), PictureLoadResult::kDamaged) << progressive << " " << n;
        }
    }
    // A frame claiming 8192 x 8192 over the data of 64 x 48 pixels.
    std::string huge = readFileBytes(dir.path("b.jpg"));
    const std::size_t sof = huge.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    huge.replace(sof + 5, 4, std::string("\x20\x00\x20\x00", 4));
    writeFileBytes(dir.path("huge.jpg"), huge);
    load(dir.path("huge.jpg"), PictureLoadResult::kDamaged);
    // Corrupt coded data: a bad Huffman code (all one bits), a restart marker
    // out of sequence, stray bytes before the end marker.
    writeFileBytes(dir.path("huffman.jpg"), withJunkInScan(jpeg, std::string("\xFF\x00\xFF\x00\xFF\x00\xFF\x00", 8)));
    load(dir.path("huffman.jpg"), PictureLoadResult::kDamaged);
    ASSERT_TRUE(testing::writeJpegFile(dir.path("rst.jpg"), 32, 32, varied, {.restartRows = 1}));
    std::string restarts = readFileBytes(dir.path("rst.jpg"));
    const std::size_t rst = restarts.find("\xFF\xD0");
    ASSERT_NE(rst, std::string::npos);
    load(dir.path("rst.jpg"));
    restarts[rst + 1] = '\xD5';
    writeFileBytes(dir.path("rst.jpg"), restarts);
    load(dir.path("rst.jpg"), PictureLoadResult::kDamaged);
    writeFileBytes(dir.path("stray.jpg"), jpeg.substr(0, jpeg.size() - 2) + "stray" + eoi);
    load(dir.path("stray.jpg"), PictureLoadResult::kDamaged);

    ASSERT_TRUE(testing::writeTiffFile(dir.path("a.tif"), 16, 16, quadrants(16, 16)));
    const std::string tiff = readFileBytes(dir.path("a.tif"));
    writeFileBytes(dir.path("cut.tif"), tiff.substr(0, tiff.size() / 2));
    load(dir.path("cut.tif"), PictureLoadResult::kDamaged);

    // Strips that cover only part of the claimed height: refused, not filled
    // with zeros (the fuzzer's 235-byte file claimed 13830 x 23296 pixels).
    ASSERT_TRUE(testing::writeTiffFile(dir.path("short.tif"), 8, 8, quadrants(8, 8), 1, 2));
    std::string tall = readFileBytes(dir.path("short.tif"));
    ASSERT_EQ(tall.substr(0, 2), "II");
    const std::size_t ifd = static_cast<std::uint8_t>(tall[4]) | static_cast<std::uint8_t>(tall[5]) << 8;
    const std::size_t entries = static_cast<std::uint8_t>(tall[ifd]) | static_cast<std::uint8_t>(tall[ifd + 1]) << 8;
    bool patched = false;
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t e = ifd + 2 + 12 * i;
        const unsigned tag = static_cast<std::uint8_t>(tall[e]) | static_cast<std::uint8_t>(tall[e + 1]) << 8;
        if (tag != 257) continue;  // the picture's height: 8 becomes 9, one row beyond the last strip
        tall[e + 8] = 9;
        patched = true;
    }
    ASSERT_TRUE(patched);
    writeFileBytes(dir.path("tall.tif"), tall);
    load(dir.path("tall.tif"), PictureLoadResult::kDamaged);
    load(dir.path("short.tif"));
    // A size tag given twice (the compression entry's tag turned into the
    // height's): which value counts is left open, so the file is refused.
    std::string twice = readFileBytes(dir.path("short.tif"));
    bool doubled = false;
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t e = ifd + 2 + 12 * i;
        if (static_cast<std::uint8_t>(twice[e]) != 3 || twice[e + 1] != 1) continue;  // tag 259
        twice[e] = 1;                                                                 // now 257, with the value 1
        doubled = true;
    }
    ASSERT_TRUE(doubled);
    writeFileBytes(dir.path("twice.tif"), twice);
    load(dir.path("twice.tif"), PictureLoadResult::kDamaged);

    // Several pages: the first one is read.
    ASSERT_TRUE(testing::writeTiffFile(dir.path("pages.tif"), 8, 6, quadrants(8, 6), 3));
    expectQuadrants(load(dir.path("pages.tif")), 8, 6);
}

TEST(PictureFile, OtherFilesAreUnsupportedAndTheSurfaceStays) {
    TempDir dir;
    writeFileBytes(dir.path("a.txt"), "hello, not a picture");
    writeFileBytes(dir.path("empty.png"), "");
    writeFileBytes(dir.path("a.gif"), "GIF89a\x01\x00\x01\x00");
    writeFileBytes(dir.path("big.tif"), std::string("II\x2B\x00\x08\x00\x00\x00", 8));
    writeFileBytes(dir.path("os2short.bmp"), testing::makeBmp(4, 4, quadrants(4, 4), {16, false, 24}));
    Surface s;
    ASSERT_TRUE(s.create(2, 2, false));
    s.setPixel(0, 0, 1, 2, 3);
    for (const char* name : {"a.txt", "empty.png", "a.gif", "big.tif", "os2short.bmp"}) {
        EXPECT_EQ(readPictureFile(dir.path(name), s), PictureLoadResult::kUnsupported) << name;
    }
    EXPECT_EQ(readPictureFile(dir.path("missing.png"), s), PictureLoadResult::kCannotOpen);
    EXPECT_EQ(s.width(), 2u);
    EXPECT_EQ(s.getPixel(0, 0), packColour(1, 2, 3));
}

// A picture whose every pixel differs from its neighbours (odd width, so the
// BMP rows carry padding): a swapped channel, a flipped or shifted row shows.
Surface variedSurface(std::uint32_t w, std::uint32_t h) {
    Surface s;
    EXPECT_TRUE(s.create(w, h, false));
    for (std::uint32_t y = 0; y < h; ++y) {
        for (std::uint32_t x = 0; x < w; ++x) {
            s.setPixel(x, y, static_cast<std::uint8_t>(x * 7 + y), static_cast<std::uint8_t>(y * 11 + 3),
                       static_cast<std::uint8_t>(x * y + 90));
        }
    }
    return s;
}

int largestDifference(const Surface& a, const Surface& b) {
    int worst = 0;
    for (std::uint32_t y = 0; y < a.height(); ++y) {
        for (std::uint32_t x = 0; x < a.width(); ++x) {
            for (int shift : {0, 8, 16}) {
                const int d = static_cast<int>((a.getPixel(x, y) >> shift) & 0xFF) -
                              static_cast<int>((b.getPixel(x, y) >> shift) & 0xFF);
                worst = std::max(worst, std::abs(d));
            }
        }
    }
    return worst;
}

TEST(PictureFile, ExportedPicturesReadBackByTheirExtension) {
    TempDir dir;
    const Surface picture = variedSurface(37, 23);
    for (const char* name : {"a.png", "b.PNG", "c.tif", "d.tiff"}) {
        ASSERT_TRUE(exportPicture(picture, dir.path(name))) << name;
        const Surface back = load(dir.path(name));
        ASSERT_EQ(back.width(), 37u) << name;
        ASSERT_EQ(back.height(), 23u) << name;
        EXPECT_EQ(largestDifference(picture, back), 0) << name;
    }
    EXPECT_EQ(readFileBytes(dir.path("a.png")).substr(1, 3), "PNG");
    EXPECT_EQ(readFileBytes(dir.path("c.tif")).substr(0, 2), readFileBytes(dir.path("d.tiff")).substr(0, 2));

    // BMP for .bmp, an unknown extension and none: writeBmp's bytes exactly.
    ASSERT_TRUE(writeBmp(picture, dir.path("reference.bmp")));
    const std::string reference = readFileBytes(dir.path("reference.bmp"));
    for (const char* name : {"e.bmp", "f.gif", "g", "dir.png/h"}) {
        if (std::string(name) == "dir.png/h") {
            ASSERT_TRUE(std::filesystem::create_directory(dir.path("dir.png")));
        }
        ASSERT_TRUE(exportPicture(picture, dir.path(name))) << name;
        EXPECT_EQ(readFileBytes(dir.path(name)), reference) << name;
    }

    // JPEG: close on a smooth picture, and the quality is the one asked for.
    Surface smooth;
    ASSERT_TRUE(smooth.create(64, 48, false));
    for (std::uint32_t y = 0; y < 48; ++y) {
        for (std::uint32_t x = 0; x < 64; ++x)
            smooth.setPixel(x, y, static_cast<std::uint8_t>(x * 3), static_cast<std::uint8_t>(y * 4 + 20),
                            static_cast<std::uint8_t>(200 - x - y));
    }
    ASSERT_TRUE(exportPicture(smooth, dir.path("i.jpg")));
    ASSERT_TRUE(exportPicture(smooth, dir.path("j.JPEG"), 10));
    ASSERT_TRUE(exportPicture(smooth, dir.path("k.jpeg"), 100));
    EXPECT_LE(largestDifference(smooth, load(dir.path("i.jpg"))), 6);
    const std::size_t low = readFileBytes(dir.path("j.JPEG")).size(), high = readFileBytes(dir.path("k.jpeg")).size();
    EXPECT_LT(low, readFileBytes(dir.path("i.jpg")).size());
    EXPECT_LT(readFileBytes(dir.path("i.jpg")).size(), high);
    EXPECT_EQ(readFileBytes(dir.path("j.JPEG")).substr(0, 2), "\xFF\xD8");
}

TEST(PictureFile, FailedExportKeepsTheOldFile) {
    TempDir dir;
    for (const char* name : {"a.png", "b.tif", "c.jpg", "d.bmp"}) {
        writeFileBytes(dir.path(name), "a good old file");
        EXPECT_FALSE(exportPicture(Surface(), dir.path(name))) << name;
        EXPECT_EQ(readFileBytes(dir.path(name)), "a good old file") << name;
    }
    // Wider than a JPEG can be: refused, the old file stays.
    Surface wide;
    ASSERT_TRUE(wide.create(70000, 1, false));
    EXPECT_FALSE(exportPicture(wide, dir.path("c.jpg")));
    EXPECT_EQ(readFileBytes(dir.path("c.jpg")), "a good old file");
    EXPECT_FALSE(exportPicture(variedSurface(3, 2), dir.path("missing/e.png")));
}

}  // namespace
}  // namespace sc
