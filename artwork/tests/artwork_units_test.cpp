// SPDX-License-Identifier: GPL-3.0-or-later
// Unit tests of the generator's own parts: the bitmap writer and the noise
// that the style and texture images are built from.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QByteArray>
#include <QImage>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "bmp_file.h"
#include "bmp_test_reader.h"
#include "noise.h"

namespace fs = std::filesystem;
using namespace sc::artwork;

namespace {

TEST(BmpWriter, WritesRowsBottomUpInBlueGreenRedWithZeroPadding) {
  QImage image(3, 2, QImage::Format_RGB32);  // 9 bytes a row: 3 bytes of padding
  image.setPixel(0, 0, qRgb(10, 20, 30));
  image.setPixel(1, 0, qRgb(40, 50, 60));
  image.setPixel(2, 0, qRgb(70, 80, 90));
  image.setPixel(0, 1, qRgb(1, 2, 3));
  image.setPixel(1, 1, qRgb(4, 5, 6));
  image.setPixel(2, 1, qRgb(7, 8, 9));
  const QByteArray b = encodeBmp(image, false);
  ASSERT_EQ(b.size(), 54 + 2 * 12);
  const auto byte = [&b](int i) { return static_cast<unsigned char>(b[i]); };
  EXPECT_EQ(byte(28), 24);                                   // bits per pixel
  EXPECT_EQ(byte(22), 2);                                    // positive height: bottom-up
  EXPECT_EQ(byte(54), 3);                                    // bottom row first, blue first
  EXPECT_EQ(byte(56), 1);
  EXPECT_EQ(byte(54 + 12), 30);                              // then the top row
  EXPECT_EQ(byte(54 + 12 + 8), 70);
  for (int pad : {63, 64, 65, 75, 76, 77}) EXPECT_EQ(byte(pad), 0) << pad;

  const fs::path path = fs::temp_directory_path() / ("smudgecraft-bmp-" + std::to_string(::getpid()) + ".bmp");
  std::ofstream(path, std::ios::binary).write(b.constData(), b.size());
  const BmpPicture back = readBmp(path);
  fs::remove(path);
  ASSERT_TRUE(back.ok) << back.error;
  EXPECT_EQ(pixelAt(back, 2, 0), 0x46505Au);
  EXPECT_EQ(pixelAt(back, 0, 1), 0x010203u);
}

TEST(BmpWriter, GreyPicturesStoreRedInAllThreeComponents) {
  QImage image(1, 1, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(200, 10, 20));
  const QByteArray b = encodeBmp(image, true);
  EXPECT_EQ(static_cast<unsigned char>(b[54]), 200);
  EXPECT_EQ(static_cast<unsigned char>(b[55]), 200);
  EXPECT_EQ(static_cast<unsigned char>(b[56]), 200);
}

TEST(BmpWriter, LeavesAFileWithTheSameBytesAlone) {
  const fs::path dir = fs::temp_directory_path() / ("smudgecraft-write-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  const QString path = QString::fromStdString((dir / "sub" / "x.bmp").string());
  EXPECT_EQ(writeIfChanged(path, "abc"), WriteResult::Written);  // folders are made
  EXPECT_EQ(writeIfChanged(path, "abc"), WriteResult::Unchanged);
  EXPECT_EQ(writeIfChanged(path, "abcd"), WriteResult::Written);
  std::ifstream in(dir / "sub" / "x.bmp");
  std::string text;
  in >> text;
  EXPECT_EQ(text, "abcd");
  fs::remove_all(dir);
}

TEST(TileNoise, RepeatsEvery400PixelsAtEveryPeriod) {
  for (int period : {1, 3, 7, 25, 150}) {
    for (double x : {0.0, 13.25, 199.5, 390.75}) {
      for (double y : {0.0, 77.5, 311.0}) {
        const double v = tileNoiseXY(x, y, period, period * 2 + 1, 42);
        EXPECT_NEAR(v, tileNoiseXY(x + 400.0, y, period, period * 2 + 1, 42), 1e-9);
        EXPECT_NEAR(v, tileNoiseXY(x, y + 400.0, period, period * 2 + 1, 42), 1e-9);
        EXPECT_NEAR(v, tileNoiseXY(x - 400.0, y - 400.0, period, period * 2 + 1, 42), 1e-9);
        EXPECT_GE(v, 0.0);
        EXPECT_LE(v, 1.0);
      }
    }
  }
}

TEST(TileNoise, CellsWrapAcrossTheTileEdge) {
  const TileCells cells(13, 0.9, 7);
  for (double x : {0.5, 2.0, 398.5}) {
    for (double y : {0.5, 200.0, 399.5}) {
      const CellHit a = cells.at(x, y), b = cells.at(x + 400.0, y - 400.0);
      EXPECT_NEAR(a.f1, b.f1, 1e-9);
      EXPECT_NEAR(a.f2, b.f2, 1e-9);
      EXPECT_EQ(a.id, b.id);
    }
  }
  // Near the edge the nearest point may lie across it: never farther than a cell.
  EXPECT_LT(cells.at(0.0, 0.0).f1, cells.cellSize() * 1.5);
}

TEST(TileNoise, FieldMapsItsRangeOntoTheGreyLevels) {
  Field f;
  f.fill([](int x, int) { return x < 200 ? 0.0 : 1.0; });
  const QImage image = f.toImage(30, 230);
  EXPECT_EQ(qRed(image.pixel(0, 0)), 30);
  EXPECT_EQ(qRed(image.pixel(399, 399)), 230);
  EXPECT_EQ(qGreen(image.pixel(399, 0)), 230);
  Random a(5), b(5);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a.next(), b.next());
}

}  // namespace
