// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the artwork generator as the build does and checks what it wrote
// against the contract in artwork/README.md: names, sizes, the file format as
// the program's picture reader reads it, grey pictures, the style and texture images, that two runs
// give the same bytes, and the program's icon.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <QImage>
#include <QXmlStreamReader>

#include "app_icon.h"
#include "bmp_test_reader.h"

#include "engine/surface.h"
#include "formats/picture_file.h"

namespace fs = std::filesystem;

namespace {

struct Expected {
  std::string name;
  int width, height;
  bool grey;
};

// Every picture the program loads by name, with its agreed size.
std::vector<Expected> expectedPictures() {
  std::vector<Expected> list = {
      {"splash", 480, 300, false},    {"toolsview", 68, 286, false}, {"brushes", 64, 18, false},
      {"tools", 64, 18, false},       {"effects", 64, 18, false},    {"properties", 280, 160, false},
      {"tab", 7, 12, false},          {"colordlg", 205, 94, false},  {"colors", 197, 16, false},
      {"palette", 280, 200, false},   {"strokes", 280, 160, false},  {"styles", 280, 80, false},
      {"shape", 280, 62, false},      {"filenew", 234, 149, true},
  };
  auto pair = [&list](const std::string& stem, int w, int h, bool grey) {
    list.push_back({stem + "0", w, h, grey});
    list.push_back({stem + "1", w, h, grey});
  };
  for (const char* tool : {"brush", "pbrush", "spray", "water", "erase", "sponge", "fill", "dropper",
                           "hand", "knife", "finger", "raise", "lower", "shine", "unshine", "sun", "moon"})
    pair(tool, 32, 28, false);
  for (const char* tab : {"tbrushes", "tstrokes", "tpaint", "tshape", "ttexture"}) pair(tab, 64, 17, false);
  pair("add", 30, 18, false);
  pair("delete", 30, 18, false);
  pair("savelist", 66, 18, false);
  pair("loadlist", 66, 18, false);
  pair("check", 13, 13, false);
  list.push_back({"layers", 280, 226, false});
  list.push_back({"letters", 95 * 12, 15, false});
  for (const char* button : {"layernew", "layerdup", "layerdel", "layerup", "layerdown", "layermerge", "layername"})
    pair(button, 30, 22, false);
  pair("layerscrollup", 13, 13, false);
  pair("layerscrolldown", 13, 13, false);
  pair("eye", 18, 18, false);
  pair("okay", 74, 24, true);
  pair("cancel", 74, 24, true);
  for (int i = 0; i < 18; ++i) {
    list.push_back({"Styles/paint" + std::to_string(i), 400, 400, true});
    list.push_back({"Textures/bump" + std::to_string(i), 400, 400, true});
  }
  return list;
}

fs::path makeTempDir(const std::string& tag) {
  const fs::path dir =
      fs::temp_directory_path() / ("smudgecraft-artwork-" + tag + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

std::string quoted(const fs::path& path) {
  std::string q(1, '"');
  q.append(path.string());
  q.push_back('"');
  return q;
}

int runGenerator(const std::string& args) {
  std::string command = quoted(SMUDGECRAFT_ARTWORK_GENERATOR);
  command.append(" ").append(args).append(" >/dev/null 2>&1");
  return std::system(command.c_str());
}

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class ArtworkOutput : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    first_ = new fs::path(makeTempDir("a"));
    second_ = new fs::path(makeTempDir("b"));
    generatorOk_ = runGenerator(quoted(*first_)) == 0 && runGenerator(quoted(*second_)) == 0;
  }
  static void TearDownTestSuite() {
    fs::remove_all(*first_);
    fs::remove_all(*second_);
    delete first_;
    delete second_;
  }
  void SetUp() override { ASSERT_TRUE(generatorOk_) << "the generator failed"; }

  static BmpPicture load(const std::string& name) { return readBmp(*first_ / (name + ".bmp")); }

  static fs::path* first_;
  static fs::path* second_;
  static bool generatorOk_;
};

fs::path* ArtworkOutput::first_ = nullptr;
fs::path* ArtworkOutput::second_ = nullptr;
bool ArtworkOutput::generatorOk_ = false;

TEST_F(ArtworkOutput, TwoRunsWriteTheSameBytes) {
  std::map<std::string, std::string> a, b;
  for (const auto& e : fs::recursive_directory_iterator(*first_))
    if (e.is_regular_file()) a[fs::relative(e.path(), *first_).string()] = readAll(e.path());
  for (const auto& e : fs::recursive_directory_iterator(*second_))
    if (e.is_regular_file()) b[fs::relative(e.path(), *second_).string()] = readAll(e.path());
  EXPECT_EQ(a.size(), expectedPictures().size());
  ASSERT_EQ(a.size(), b.size());
  for (const auto& [name, bytes] : a) EXPECT_TRUE(b.count(name) && b[name] == bytes) << name << " differs";
}

TEST_F(ArtworkOutput, EveryPictureHasItsSizeAndReadsThroughTheProgramsReader) {
  for (const Expected& e : expectedPictures()) {
    SCOPED_TRACE(e.name);
    const BmpPicture own = load(e.name);
    ASSERT_TRUE(own.ok) << own.error;
    EXPECT_EQ(own.width, e.width);
    EXPECT_EQ(own.height, e.height);

    sc::Surface read;
    const std::string path = (*first_ / (e.name + ".bmp")).string();
    ASSERT_EQ(sc::readPictureFile(path, read), sc::PictureLoadResult::kOk);
    ASSERT_EQ(read.width(), static_cast<std::uint32_t>(e.width));
    ASSERT_EQ(read.height(), static_cast<std::uint32_t>(e.height));
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<std::size_t>(e.width) * e.height * 3);
    for (std::uint32_t y = 0; y < read.height(); ++y) {
      for (std::uint32_t x = 0; x < read.width(); ++x) {
        const std::uint32_t p = read.getPixel(x, y);
        rgb.insert(rgb.end(), {static_cast<unsigned char>(p), static_cast<unsigned char>(p >> 8),
                               static_cast<unsigned char>(p >> 16)});
      }
    }
    // The program's reader must see the picture the right way up, pixel for pixel.
    EXPECT_EQ(rgb, own.rgb);
  }
}

TEST_F(ArtworkOutput, GreyPicturesAreGreyAndColourPicturesAreNot) {
  for (const Expected& e : expectedPictures()) {
    const BmpPicture p = load(e.name);
    ASSERT_TRUE(p.ok) << e.name;
    bool grey = true;
    for (std::size_t i = 0; i < p.rgb.size() && grey; i += 3)
      grey = p.rgb[i] == p.rgb[i + 1] && p.rgb[i] == p.rgb[i + 2];
    if (e.grey) {
      EXPECT_TRUE(grey) << e.name << " should be grey";
    }
  }
  for (const char* colourful : {"splash", "brush0", "pbrush1", "colors", "colordlg", "sun0"}) {
    const BmpPicture p = load(colourful);
    bool grey = true;
    for (std::size_t i = 0; i < p.rgb.size() && grey; i += 3)
      grey = p.rgb[i] == p.rgb[i + 1] && p.rgb[i] == p.rgb[i + 2];
    EXPECT_FALSE(grey) << colourful;
  }
}

TEST_F(ArtworkOutput, StylesAndTexturesVaryTileAndDifferFromOneAnother) {
  for (const char* set : {"Styles/paint", "Textures/bump"}) {
    std::vector<BmpPicture> images;
    for (int i = 0; i < 18; ++i) images.push_back(load(set + std::to_string(i)));
    for (int i = 0; i < 18; ++i) {
      SCOPED_TRACE(std::string(set) + std::to_string(i));
      const BmpPicture& p = images[i];
      ASSERT_EQ(p.width, 400);
      ASSERT_EQ(p.height, 400);
      const GreyStats s = greyStats(p);
      if (std::string(set) == "Textures/bump" && i == 0) {
        EXPECT_EQ(s.min, s.max) << "texture 0 is smooth";
        continue;
      }
      EXPECT_GT(s.max - s.min, 40) << "too flat to show as grain";
      // Sampled modulo 400: the step across the wrap must be no larger than
      // the steps the pattern itself has inside.
      EXPECT_LE(s.seamStepX, 1.05 * s.innerStepX + 2.0);
      EXPECT_LE(s.seamStepY, 1.05 * s.innerStepY + 2.0);
    }
    for (int i = 0; i < 18; ++i)
      for (int j = i + 1; j < 18; ++j)
        EXPECT_GT(meanAbsDifference(images[i], images[j]), 8.0) << set << i << " vs " << j;
  }
}

TEST_F(ArtworkOutput, PanelShowsTheSpectrumWhereItPicks) {
  const BmpPicture panel = load("colordlg"), strip = load("colors");
  ASSERT_TRUE(panel.ok && strip.ok);
  ASSERT_LE(4 + strip.width, panel.width);
  ASSERT_LE(76 + strip.height, panel.height);
  for (int y = 0; y < strip.height; ++y)
    for (int x = 0; x < strip.width; ++x)
      ASSERT_EQ(pixelAt(panel, x + 4, y + 76), pixelAt(strip, x, y)) << x << "," << y;
}

TEST_F(ArtworkOutput, EveryPressedLookDiffersFromItsNormalLook) {
  for (const Expected& e : expectedPictures()) {
    if (e.name.back() != '0' || e.name.find('/') != std::string::npos) continue;
    const std::string stem = e.name.substr(0, e.name.size() - 1);
    const BmpPicture normal = load(stem + "0"), pressed = load(stem + "1");
    ASSERT_TRUE(normal.ok && pressed.ok) << stem;
    EXPECT_NE(normal.rgb, pressed.rgb) << stem;
  }
}

// The panels place their pictures from these sizes; check that the places
// they give fit the panels and do not run into one another.
TEST_F(ArtworkOutput, SizesFitThePanelLayouts) {
  auto w = [](const std::string& n) { return load(n).width; };
  auto h = [](const std::string& n) { return load(n).height; };
  // Tools panel: client 68 x (3 Hb + 232); the last row must end inside it.
  const int hb = h("brushes"), ht = h("tools"), he = h("effects"), hr = h("brush0");
  EXPECT_EQ(h("toolsview"), 3 * hb + 232);
  EXPECT_EQ(w("toolsview"), 68);
  EXPECT_EQ(hr, 28);  // the tooltips cover 28 rows from each row's top
  EXPECT_LE(hb + 7 * hr + ht + he + 6 + hr, h("toolsview"));
  EXPECT_LE(2 + w("brushes"), 68);
  EXPECT_LE(34 + w("brush0"), 68);
  EXPECT_LE(2 + w("brush0"), 34);
  // Tabs: at (3, 1), (W + 2, 1), (2W + 1, 1) above a page that starts at row 18.
  for (const char* tab : {"tpaint0", "ttexture0", "tshape0", "tbrushes0", "tstrokes0"}) EXPECT_LE(1 + h(tab), 18) << tab;
  EXPECT_LE(2 * w("tpaint0") + 1 + w("tshape0"), 280);
  EXPECT_LE(w("tbrushes0") + 2 + w("tstrokes0"), 280);
  EXPECT_LE(18 + h("shape"), h("styles"));
  EXPECT_EQ(w("styles"), 280);
  // Palette: the strokes page stays above the bottom buttons, which fit side by side.
  EXPECT_EQ(w("palette"), 280);
  EXPECT_EQ(h("palette"), 200);
  EXPECT_LE(18 + h("strokes"), 178);
  EXPECT_LE(8 + w("savelist0"), 78);
  EXPECT_LE(78 + w("loadlist0"), 213);
  EXPECT_LE(213 + w("delete0"), 245);
  EXPECT_LE(245 + w("add0"), 280);
  for (const char* b : {"savelist0", "loadlist0", "delete0", "add0"}) EXPECT_LE(178 + h(b), 200) << b;
  EXPECT_LE(144 + w("check0"), 170);  // the first two sliders start at x = 170
  EXPECT_LE(27 + h("check0"), 45 - h("tab") / 2 + 1);  // above the first slider's knob
  // Colours: the spectrum fits below row 76 of the 205 x 94 panel.
  EXPECT_EQ(w("colordlg"), 205);
  EXPECT_EQ(h("colordlg"), 94);
  EXPECT_LE(4 + w("colors"), 205);
  EXPECT_LE(76 + h("colors"), 94);
  // New Image: OK at (30, 100) and Cancel at (130, 100) inside 234 x 149.
  EXPECT_EQ(w("filenew"), 234);
  EXPECT_EQ(h("filenew"), 149);
  EXPECT_LE(30 + w("okay0"), 130);
  EXPECT_LE(130 + w("cancel0"), 234);
  EXPECT_LE(100 + h("okay0"), 149);
  // The knob is centred on its two-row track: top at y - height / 2 + 1.
  EXPECT_EQ(h("tab") % 2, 0);
  EXPECT_EQ(w("tab") % 2, 1);  // and on the value's column
}

TEST(ArtworkGenerator, RewritesOnlyChangedPicturesAndDropsTheirCaches) {
  const fs::path dir = makeTempDir("cache");
  const fs::path work = dir / "WorkData", data = dir / "data";
  ASSERT_EQ(runGenerator(quoted(work)), 0);
  fs::create_directories(data);
  for (const char* name : {"paint3.jgi", "paint4.jgi", "tools.jgi"}) std::ofstream(data / name) << "cached";
  std::ofstream(work / "Styles" / "paint3.bmp", std::ios::binary) << "stale";  // a picture that changed
  const auto before = fs::last_write_time(work / "tools.bmp");

  ASSERT_EQ(runGenerator("--cache " + quoted(data) + " " + quoted(work)), 0);
  EXPECT_FALSE(fs::exists(data / "paint3.jgi"));
  EXPECT_TRUE(fs::exists(data / "paint4.jgi"));
  EXPECT_TRUE(fs::exists(data / "tools.jgi"));
  EXPECT_EQ(fs::last_write_time(work / "tools.bmp"), before);
  EXPECT_TRUE(readBmp(work / "Styles" / "paint3.bmp").ok);
  fs::remove_all(dir);
}

// The icon: a PNG picture for each hicolor size, transparent around its
// tile, and an SVG document with a path for every layer.
TEST(ArtworkGenerator, WritesTheIconInEveryThemeSizeAndAsSvg) {
  const fs::path dir = makeTempDir("icons");
  ASSERT_EQ(runGenerator("--icons " + quoted(dir)), 0);
  for (const int size : sc::artwork::kIconSizes) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    const QImage icon(QString::fromStdString((dir / "hicolor" / name / "apps" / "smudgecraft.png").string()));
    ASSERT_EQ(icon.size(), QSize(size, size)) << name;
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << name;
    EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 4)), 255) << name;
  }
  QXmlStreamReader svg(QByteArray::fromStdString(readAll(dir / "hicolor" / "scalable" / "apps" / "smudgecraft.svg")));
  std::size_t paths = 0;
  while (!svg.atEnd()) paths += svg.readNext() == QXmlStreamReader::StartElement && svg.name() == u"path";
  EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
  EXPECT_EQ(paths, sc::artwork::iconLayers().size());
  fs::remove_all(dir);
}

TEST(ArtworkGenerator, RefusesUsageWithoutAnOutput) {
  EXPECT_NE(runGenerator(""), 0);
  EXPECT_NE(runGenerator("--bogus x"), 0);
}

}  // namespace
