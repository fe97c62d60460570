// SPDX-License-Identifier: GPL-3.0-or-later
// The batch tool's stroke commands, end to end through smudgecraft-batch.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/run_batch.h"

namespace sc::test {
namespace {

using sc::testing::BatchResult;
using sc::testing::runBatch;
using sc::testing::TempDir;

class BatchToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!sc::testing::fileExists(SMUDGECRAFT_BATCH)) GTEST_SKIP() << "smudgecraft-batch is not built";
    }
    BatchResult run(const std::string& script) { return runBatch({"run", "-"}, script); }
};

// Red, green, blue of pixel (x, y) of a 24-bit bottom-up BMP file.
std::uint32_t bmpPixel(const std::string& bytes, int x, int y) {
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at])) |
               static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 2])) << 16 |
               static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 3])) << 24;
    };
    const std::uint32_t offset = u32(10), width = u32(18), height = u32(22);
    const std::uint32_t stride = (width * 3 + 3) & ~3u;
    const std::size_t at = offset + (height - 1 - y) * stride + x * 3;
    return static_cast<std::uint8_t>(bytes[at + 2]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint8_t>(bytes[at]) << 16;
}

TEST_F(BatchToolsTest, StrokeIsReplayedAtTheZoomedCell) {
    TempDir dir;
    const BatchResult r = run("new 20 20\n"
                              "settings tool=0 size=1 strength=1 texture=0 red=10 green=20 blue=30 shine=0\n"
                              "dynamics fadeStrength=0 pulse=0 pulseAmount=5\n"
                              "offsets 1.5 -2 3 4e1\n"
                              "zoom 2\n"
                              "begin\n"
                              "move 3 4\n"
                              "apply 21 11\n"
                              "end\n"
                              "render\n"
                              "export " +
                              dir.path("out.bmp") + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bmp = sc::testing::readFileBytes(dir.path("out.bmp"));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmpPixel(bmp, 10, 5), 10u | 20u << 8 | 30u << 16);
    EXPECT_EQ(bmpPixel(bmp, 11, 5), 0xFFFFFFu);
    EXPECT_EQ(bmpPixel(bmp, 21 % 20, 11), 0xFFFFFFu);
}

TEST_F(BatchToolsTest, BadLinesAreReportedWithTheirNumber) {
    const struct {
        const char* line;
        const char* what;
    } cases[] = {
        {"settings size=101", "out of range"},
        {"settings size=0", "out of range"},
        {"settings paintStyle=18", "out of range"},
        {"settings red=256", "out of range"},
        {"settings strength=nan", "not a number"},
        {"settings thickness=1e39", "out of range"},
        {"settings colour=3", "unknown field"},
        {"settings", "wrong number"},
        {"dynamics pulse=2", "out of range"},
        {"dynamics period=2", "unknown field"},
        {"offsets 1 2 3", "wrong number"},
        {"zoom 1.5", "zoom"},
        {"move 1", "wrong number"},
        {"apply 1 2 3", "wrong number"},
        {"apply 1 x", "not an integer"},
        {"begin now", "wrong number"},
        {"pressure 1.5", "0..1"},
        {"pressure -0.1", "0..1"},
        {"pressure nan", "not a number"},
        {"pressure", "wrong number"},
        {"apply-line 1 2 3", "wrong number"},
        {"apply-line 0 0 0 100001", "out of range"},
    };
    for (const auto& c : cases) {
        const BatchResult r = run(std::string("new 5 5\n") + c.line + "\nnew 0 0\n");
        EXPECT_EQ(r.status, 2) << c.line;
        EXPECT_NE(r.err.find("smudgecraft-batch: line 2: "), std::string::npos) << c.line << ": " << r.err;
        EXPECT_NE(r.err.find(c.what), std::string::npos) << c.line << ": " << r.err;
    }
}

TEST_F(BatchToolsTest, AcceptedValues) {
    const BatchResult r =
        run("settings red=0 green=255 blue=7 paintStyle=17 thickness=-2.5e-3 tool=-2147483648 size=100 "
            "strength=+1.0 shine=255 texture=0 hardness=255\n"
            "settings tool=2147483647 size=1\n"
            "dynamics fadeStrength=1 fadeSize=1 pulse=1 fadeStrengthLength=0 fadeSizeLength=-1 pulseAmount=0 "
            "pulsePhase=3 pulsePeriod=0.5\n"
            "zoom 0.25\nzoom 0.5\nzoom 1\nzoom 3\nzoom 4\n"
            "begin\nmove 0 0\nmove -5 7\napply -100 -100\napply 2147483647 -2147483648\nend\n"
            "settings tool=7\napply 10 10\n");
    EXPECT_EQ(r.status, 0) << r.err;
}

}  // namespace
}  // namespace sc::test
