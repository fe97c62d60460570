// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands of smudgecraft-batch: open, save, import, assets,
// snapshot, undo and the history's steps, and the import, info and thumbnail conveniences.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "engine/surface.h"
#include "formats/picture_file.h"
#include "formats/test_pictures.h"
#include "support/run_batch.h"

namespace sc {
namespace {

using testing::BatchResult;
using testing::fileExists;
using testing::makeBmp;
using testing::readFileBytes;
using testing::Rgb;
using testing::runBatch;
using testing::TempDir;
using testing::writeFileBytes;

TEST(BatchFiles, ImportThenInfoAndAScriptThatUndoesASizeChange) {
    TempDir dir;
    writeFileBytes(dir.path("p.bmp"), makeBmp(5, 3, [](std::uint32_t x, std::uint32_t) {
                       return Rgb{200, 40, static_cast<std::uint8_t>(x)};
                   }));
    BatchResult r = runBatch({"import", dir.path("p.bmp"), dir.path("p.pai")});
    ASSERT_EQ(r.status, 0) << r.err;
    r = runBatch({"info", dir.path("p.pai")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "version 2, 5 x 3\n");

    // Open, snapshot, a new size, undo: the opened painting comes back and is saved.
    r = runBatch({"run", "-"},
                 "open " + dir.path("p.pai") + "\nsnapshot\nnew 9 9\nundo\nsave " + dir.path("q.pai") + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(runBatch({"info", dir.path("q.pai")}).out, "version 2, 5 x 3\n");

    r = runBatch({"run", "-"}, "import " + dir.path("p.bmp") + "\nsave-raw " + dir.path("q1.pai") + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(runBatch({"info", dir.path("q1.pai")}).out, "version 1, 5 x 3\n");
    // Imported cells: colour above the smallest channel, grain, shine 255, height 1.0.
    const std::string raw = readFileBytes(dir.path("q1.pai"));
    ASSERT_EQ(raw.size(), 80u + 15 * 12);
    const std::string cell = raw.substr(80 + 12 * 2, 12);
    EXPECT_EQ(cell.substr(0, 5), std::string("\xC6\x26\x00\x02\xFF", 5));
    EXPECT_EQ(cell.substr(8, 4), std::string("\x00\x00\x80\x3F", 4));
}

TEST(BatchFiles, StepsWalkTheHistoryBesideUndoAndOpenStartsItAfresh) {
    TempDir dir;
    const auto raw = [&](const char* name) { return dir.path(name); };
    BatchResult r =
        runBatch({"run", "-"},
                 "step-back\nnew 40 30\nsettings tool=0 size=5 red=9\nsave-raw " + raw("a") +
                     "\nsnapshot\nbegin\napply 10 10\nend\nsave-raw " + raw("b") + "\nfilter invertColours\nsave-raw " +
                     raw("c") + "\nstep-back\nsave-raw " + raw("b1") + "\nstep-back\nsave-raw " + raw("a1") +
                     "\nstep-forward\nstep-forward\nstep-forward\nsave-raw " + raw("c1") + "\nundo\nsave-raw " +
                     raw("b2") + "\nstep-back\nsave-raw " + raw("c2") + "\nopen " + dir.path("none.pai") + "\n");
    EXPECT_EQ(r.status, 1) << "the last line fails: " << r.err;
    EXPECT_NE(readFileBytes(raw("a")), readFileBytes(raw("b")));
    EXPECT_NE(readFileBytes(raw("b")), readFileBytes(raw("c")));
    EXPECT_EQ(readFileBytes(raw("b1")), readFileBytes(raw("b")));
    EXPECT_EQ(readFileBytes(raw("a1")), readFileBytes(raw("a")));
    EXPECT_EQ(readFileBytes(raw("c1")), readFileBytes(raw("c")));
    EXPECT_EQ(readFileBytes(raw("b2")), readFileBytes(raw("b"))) << "undo is unchanged";
    EXPECT_EQ(readFileBytes(raw("c2")), readFileBytes(raw("c"))) << "and a step of its own";

    ASSERT_EQ(runBatch({"run", "-"}, "new 8 8\nsave " + dir.path("p.pai") + "\n").status, 0);
    r = runBatch({"run", "-"}, "open " + dir.path("p.pai") + "\nstep-back\nsave-raw " + raw("o") +
                                   "\nundo\nstep-back\nsave-raw " + raw("o1") + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFileBytes(raw("o")).size(), 80u + 8 * 8 * 12) << "no step before the opened painting";
    EXPECT_EQ(readFileBytes(raw("o1")), readFileBytes(raw("o"))) << "only the undo is a step";
}

TEST(BatchFiles, FailuresReportTheProgramsMessagesAndStopTheScript) {
    TempDir dir;
    writeFileBytes(dir.path("bad.pai"), std::string("\xD7\x5E\x00\x00\x02\x00\x00\x00", 8));
    BatchResult r = runBatch({"run", "-"}, "open " + dir.path("bad.pai") + "\nsave " + dir.path("never.pai") + "\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(
        r.err.find("The file you selected is either corrupt \nor not a valid Smudgecraft file.\nFile Load failed!"),
        std::string::npos)
        << r.err;
    EXPECT_FALSE(fileExists(dir.path("never.pai")));

    r = runBatch({"run", "-"}, "import " + dir.path("bad.pai") + "\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("An image failed to load!\nImage failed to load!"), std::string::npos) << r.err;

    r = runBatch({"run", "-"}, "save " + dir.path("missing/x.pai") + "\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("File Save failed!"), std::string::npos);
    EXPECT_EQ(runBatch({"run", "-"}, "undo undo\n").status, 2);

    // Files limited to 100 KB: each write that outgrows it fails with its
    // message (the process is not ended by the limit's signal), the old file
    // stays and no temporary file is left beside it.
    writeFileBytes(dir.path("big.pai"), "the old file");
    for (const std::string& line :
         {"save " + dir.path("big.pai"), "save-raw " + dir.path("big.pai"), "render\nexport " + dir.path("big.pai")}) {
        r = runBatch({"run", "-"}, "new 600 600\n" + line + "\n", 100);
        EXPECT_EQ(r.status, 1) << line;
        EXPECT_NE(r.err.find(line.rfind("render", 0) == 0 ? "Export failed!" : "File Save failed!"), std::string::npos)
            << line << ": " << r.err;
        EXPECT_EQ(readFileBytes(dir.path("big.pai")), "the old file");
        for (const auto& entry : std::filesystem::directory_iterator(dir.dir())) {
            EXPECT_EQ(entry.path().filename().string().find(".sc-save-"), std::string::npos) << line;
        }
    }

    // An empty painting (a header-only version 1 file of 0 x 0) saves in
    // both versions.
    std::string empty(80, '\0');
    empty.replace(0, 5, std::string("\xD7\x5E\x00\x00\x01", 5));
    writeFileBytes(dir.path("empty.pai"), empty);
    r = runBatch({"run", "-"}, "open " + dir.path("empty.pai") + "\nsave " + dir.path("e2.pai") + "\nsave-raw " +
                                   dir.path("e1.pai") + "\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(runBatch({"info", dir.path("e2.pai")}).out, "version 2, 0 x 0\n");
    EXPECT_EQ(readFileBytes(dir.path("e1.pai")), empty);
}

TEST(BatchFiles, AssetsMakeTheCacheFolderAndGoOnPastMissingPictures) {
    TempDir dir;
    std::filesystem::create_directories(dir.path("WorkData/Styles"));
    writeFileBytes(dir.path("WorkData/Styles/paint0.bmp"), makeBmp(4, 4, [](std::uint32_t, std::uint32_t) {
                       return Rgb{50, 60, 70};
                   }));
    BatchResult r = runBatch({"run", "-"}, "assets " + dir.dir() + "\nrender\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "An image failed to load!\n");
    EXPECT_TRUE(fileExists(dir.path("data/paint0.jgi")));
    EXPECT_TRUE(fileExists(dir.path("data/bump17.jgi")));
}

// The thumbnail is the High Quality, lit picture: exactly it when it fits,
// each pixel the average of the area it covers when it must shrink.
TEST(BatchFiles, ThumbnailIsTheLitPictureFittedAndNothingForADamagedFile) {
    TempDir dir;
    const std::string painting = dir.path("a painting.pai");
    BatchResult r = runBatch({"run", "-"}, "new 40 20\nsettings tool=0 red=200 green=40 blue=10 size=6 texture=0\n"
                                           "begin\nmove 3 0\napply 10 8\nmove 3 0\napply 20 12\nend\nsave " +
                                               dir.path("a.pai") + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(runBatch({"render", dir.path("a.pai"), dir.path("lit.bmp")}).status, 0);
    std::filesystem::copy_file(dir.path("a.pai"), painting);  // a file manager's path may hold blanks
    Surface lit, whole, shrunk;
    ASSERT_EQ(readPictureFile(dir.path("lit.bmp"), lit), PictureLoadResult::kOk);

    ASSERT_EQ(runBatch({"thumbnail", painting, dir.path("whole.png"), "40"}).status, 0);
    ASSERT_EQ(readPictureFile(dir.path("whole.png"), whole), PictureLoadResult::kOk);
    ASSERT_EQ(whole.width(), 40u);
    ASSERT_EQ(whole.height(), 20u);
    int same = 0;
    for (std::uint32_t y = 0; y < 20; ++y) {
        for (std::uint32_t x = 0; x < 40; ++x) same += whole.getPixel(x, y) == lit.getPixel(x, y);
    }
    EXPECT_EQ(same, 800) << "every pixel as the program shows it";

    ASSERT_EQ(runBatch({"thumbnail", painting, dir.path("shrunk.png"), "10"}).status, 0);
    ASSERT_EQ(readPictureFile(dir.path("shrunk.png"), shrunk), PictureLoadResult::kOk);
    ASSERT_EQ(shrunk.width(), 10u);
    ASSERT_EQ(shrunk.height(), 5u);
    for (std::uint32_t y = 0; y < 5; ++y) {
        for (std::uint32_t x = 0; x < 10; ++x) {
            int sum[3] = {};
            for (std::uint32_t k = 0; k < 16; ++k) {
                const std::uint32_t c = lit.getPixel(x * 4 + k % 4, y * 4 + k / 4);
                sum[0] += redOf(c);
                sum[1] += greenOf(c);
                sum[2] += blueOf(c);
            }
            const std::uint32_t c = shrunk.getPixel(x, y);
            EXPECT_NEAR(redOf(c), sum[0] / 16.0, 0.51) << x << "," << y;
            EXPECT_NEAR(greenOf(c), sum[1] / 16.0, 0.51) << x << "," << y;
            EXPECT_NEAR(blueOf(c), sum[2] / 16.0, 0.51) << x << "," << y;
        }
    }
    ASSERT_EQ(runBatch({"thumbnail", painting, dir.path("odd.png"), "7"}).status, 0);
    Surface odd;
    ASSERT_EQ(readPictureFile(dir.path("odd.png"), odd), PictureLoadResult::kOk);
    EXPECT_EQ(odd.width() * 100 + odd.height(), 7u * 100 + 4u) << "3.5 rows round to 4";

    writeFileBytes(dir.path("bad.pai"), std::string("\xD7\x5E\x02\x00\x00\x00\x28\x00", 8));
    r = runBatch({"thumbnail", dir.path("bad.pai"), dir.path("bad.png"), "64"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("File Load failed!"), std::string::npos) << r.err;
    EXPECT_FALSE(fileExists(dir.path("bad.png")));
}

}  // namespace
}  // namespace sc
