// SPDX-License-Identifier: GPL-3.0-or-later
// The batch tool's contract: usage, exit statuses, line-numbered errors and
// files that are never left half-written.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/run_batch.h"

namespace sc::testing {
namespace {

TEST(BatchUsage, HelpAndBadUsage) {
    BatchResult help = runBatch({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("smudgecraft-batch run SCRIPT"), std::string::npos);
    EXPECT_TRUE(help.err.empty());
    EXPECT_NE(help.out.find("GNU General Public License, version 3 or later"), std::string::npos);

    // --version answers as the desktop program's does: name, version, licence.
    BatchResult version = runBatch({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("smudgecraft-batch 0.", 0), 0u) << version.out;
    EXPECT_NE(version.out.find("License GPL-3.0-or-later"), std::string::npos);
    EXPECT_TRUE(version.err.empty());

    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                  {"frobnicate"},
                                                                  {"run"},
                                                                  {"render", "a.pai"},
                                                                  {"render", "a.pai", "b.bmp", "--lighting"},
                                                                  {"render", "a.pai", "b.bmp", "--lighting", "dim"},
                                                                  {"render", "a.pai", "b.bmp", "--shadows", "on"},
                                                                  {"info"},
                                                                  {"import", "a.png"},
                                                                  {"thumbnail", "a.pai", "b.png"},
                                                                  {"thumbnail", "a.pai", "b.png", "0"},
                                                                  {"thumbnail", "a.pai", "b.png", "12px"},
                                                                  {"thumbnail", "a.pai", "b.png", "64", "extra"},
                                                                  {"--version", "extra"},
                                                                  {"--frobnicate"}}) {
        BatchResult r = runBatch(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.err.find("usage"), std::string::npos);
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(BatchScript, ExportOfThreeByTwoCanvasIs78Bytes) {
    TempDir dir;
    const std::string bmp = dir.path("small.bmp");
    BatchResult r = runBatch({"run", "-"}, "new 3 2\r\n# a comment\n\n   \t\nrender\nexport " + bmp + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bytes = readFileBytes(bmp);
    ASSERT_EQ(bytes.size(), 78u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bytes[2]), 78);
    EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 54);
    EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24);
    // A blank canvas renders white; the row padding is zero.
    EXPECT_EQ(bytes.substr(54),
              std::string(9, '\xFF') + std::string(3, '\0') + std::string(9, '\xFF') + std::string(3, '\0'));
}

TEST(BatchScript, BadLineStopsWithItsNumberAndKeepsEarlierWork) {
    TempDir dir;
    const std::string first = dir.path("first.bmp"), second = dir.path("second.bmp");
    const std::vector<std::pair<std::string, std::string>> badLines = {
        {"new 0 5", "line 3:"},
        {"new 5 20001", "line 3:"},
        {"new 5", "line 3:"},
        {"teleport 1 2", "line 3:"},
        {"new 5 5.5", "line 3:"},
        {"quality 2 1", "line 3:"},
        {"render-rect 1 2 3", "line 3:"},
        {"new +5 0x10", "line 3:"},
        // A quality belongs to a JPEG only, 1 to 100.
        {"export x.bmp 50", "line 3:"},
        {"export x.png 50", "line 3:"},
        {"export x.jpg 0", "line 3:"},
        {"export x.jpg 101", "line 3:"},
        {"export x.jpg 50 50", "line 3:"},
    };
    for (const auto& [bad, where] : badLines) {
        BatchResult r = runBatch({"run", "-"}, "new 4 4\nexport " + first + "\n" + bad + "\nexport " + second + "\n");
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find("smudgecraft-batch: " + where), std::string::npos) << bad << ": " << r.err;
        EXPECT_TRUE(fileExists(first)) << bad;
        EXPECT_FALSE(fileExists(second)) << bad;
    }
}

TEST(BatchScript, ExportChoosesTheFormatByTheExtension) {
    TempDir dir;
    const std::string script = "new 5 3\nsettings tool=0 red=200 size=4\napply 2 1\nrender\n";
    std::string exports;
    for (const char* name : {"a.bmp", "a.png", "a.tif", "a.tiff", "a.jpg", "b.jpeg 20", "a.gif", "a"}) {
        exports += "export " + dir.path(name) + "\n";
    }
    BatchResult r = runBatch({"run", "-"}, script + exports);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bmp = readFileBytes(dir.path("a.bmp"));
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(readFileBytes(dir.path("a.gif")), bmp) << "any other extension: BMP";
    EXPECT_EQ(readFileBytes(dir.path("a")), bmp);
    EXPECT_EQ(readFileBytes(dir.path("a.png")).substr(0, 4), "\x89PNG");
    EXPECT_EQ(readFileBytes(dir.path("a.tif")), readFileBytes(dir.path("a.tiff")));
    EXPECT_EQ(readFileBytes(dir.path("a.jpg")).substr(0, 2), "\xFF\xD8");
    EXPECT_LT(readFileBytes(dir.path("b.jpeg")).size(), readFileBytes(dir.path("a.jpg")).size());
    // The files import back to the same painting (a JPEG only close to it).
    for (const char* name : {"a.png", "a.tif"}) {
        BatchResult back = runBatch({"run", "-"}, "import " + dir.path(name) + "\nrender\nexport " +
                                                      dir.path(std::string(name) + ".bmp") + "\n");
        ASSERT_EQ(back.status, 0) << back.err;
        BatchResult reference = runBatch(
            {"run", "-"}, "import " + dir.path("a.bmp") + "\nrender\nexport " + dir.path("reference.bmp") + "\n");
        EXPECT_EQ(readFileBytes(dir.path(std::string(name) + ".bmp")), readFileBytes(dir.path("reference.bmp")))
            << name;
    }
}

TEST(BatchScript, FailedOperationExitsOneAndWritesNothing) {
    TempDir dir;
    const std::string after = dir.path("after.bmp");
    BatchResult r = runBatch({"run", "-"}, "export " + dir.path("missing/dir/x.bmp") + "\nexport " + after + "\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(fileExists(after));

    BatchResult open = runBatch({"run", "-"}, "open " + dir.path("nothing.pai") + "\n");
    EXPECT_EQ(open.status, 1);
    EXPECT_NE(open.err.find("File Load failed!"), std::string::npos);

    BatchResult script = runBatch({"run", dir.path("no-such-script.txt")});
    EXPECT_EQ(script.status, 1);
}

TEST(BatchScript, RawPaintingRoundTripAndInfo) {
    TempDir dir;
    const std::string pai = dir.path("raw.pai"), a = dir.path("a.bmp"), b = dir.path("b.bmp");
    BatchResult save =
        runBatch({"run", "-"}, "new 7 5\nresample 9 6\nrender\nexport " + a + "\nsave-raw " + pai + "\n");
    ASSERT_EQ(save.status, 0) << save.err;
    EXPECT_EQ(readFileBytes(pai).size(), 80u + 9 * 6 * 12);

    BatchResult info = runBatch({"info", pai});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out, "version 1, 9 x 6\n");

    BatchResult render = runBatch({"render", pai, b, "--high-quality", "off", "--lighting", "on"});
    ASSERT_EQ(render.status, 0) << render.err;
    EXPECT_EQ(readFileBytes(a), readFileBytes(b));
}

TEST(BatchScript, FailedExportKeepsTheOldFile) {
    TempDir dir;
    const std::string target = dir.path("keep.bmp");
    writeFileBytes(target, "precious");
    // A surface of a 0 x 0 grid cannot be exported: the old file must survive.
    BatchResult r = runBatch({"run", "-"}, "save-raw " + dir.path("empty.pai") + "\n");
    ASSERT_EQ(r.status, 0);
    std::string empty = readFileBytes(dir.path("empty.pai"));
    std::fill_n(empty.begin() + 8, 8, '\0');  // width and height 0
    empty.resize(80);
    writeFileBytes(dir.path("empty.pai"), empty);
    BatchResult e = runBatch({"run", "-"}, "open " + dir.path("empty.pai") + "\nexport " + target + "\n");
    EXPECT_EQ(e.status, 1);
    EXPECT_NE(e.err.find("Export failed!"), std::string::npos) << e.err;
    EXPECT_EQ(readFileBytes(target), "precious");
    BatchResult fresh =
        runBatch({"run", "-"}, "open " + dir.path("empty.pai") + "\nexport " + dir.path("new.bmp") + "\n");
    EXPECT_EQ(fresh.status, 1);
    EXPECT_FALSE(fileExists(dir.path("new.bmp")));
}

}  // namespace
}  // namespace sc::testing
