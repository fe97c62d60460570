// Recorded strokes: every script in batch/recorded/ is replayed through
// smudgecraft-batch with the generated style and texture images loaded, and
// the cells it leaves (a raw painting) and the picture it exports are compared
// with the hashes recorded in batch/recorded/expected.hashes. Any change
// of a single cell or pixel anywhere in the engine, tools, filters, undo or
// file round trips shows here, named by script and output.
//
// The picture's hash covers the BMP header and the pixels of every row, not
// the padding bytes at the end of each row, whose contents are no pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_batch.h"

namespace sc::testing {
namespace {

const std::filesystem::path kRecordedDir = SMUDGECRAFT_RECORDED_DIR;

struct RecordedHashes {
    std::string cells;
    std::string picture;
};

// 64-bit FNV-1a, as 16 hex digits.
class Fnv1a {
public:
    void add(const char* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            state_ ^= static_cast<std::uint8_t>(data[i]);
            state_ *= 0x100000001B3ull;
        }
    }
    std::string hex() const {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(state_));
        return text;
    }

private:
    std::uint64_t state_ = 0xCBF29CE484222325ull;
};

std::string hashOf(const std::string& bytes) {
    Fnv1a h;
    h.add(bytes.data(), bytes.size());
    return h.hex();
}

std::uint32_t u32At(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return v;
}

// The 54-byte header and each row's width * 3 pixel bytes; "" for a file
// that is not a complete 24-bit BMP.
std::string pictureHash(const std::string& bmp) {
    if (bmp.size() < 54 || bmp.compare(0, 2, "BM") != 0) return "";
    const std::uint64_t width = u32At(bmp, 18), height = u32At(bmp, 22);
    const std::uint64_t stride = (width * 3 + 3) & ~std::uint64_t{3};
    if (bmp.size() != 54 + stride * height) return "";
    Fnv1a h;
    h.add(bmp.data(), 54);
    for (std::uint64_t row = 0; row < height; ++row) h.add(bmp.data() + 54 + row * stride, width * 3);
    return h.hex();
}

// "name cells picture" lines; '#' starts a comment line.
std::map<std::string, RecordedHashes> readExpectedHashes() {
    std::map<std::string, RecordedHashes> hashes;
    std::ifstream in(kRecordedDir / "expected.hashes");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string name;
        RecordedHashes h;
        if (words >> name >> h.cells >> h.picture) hashes[name] = h;
    }
    return hashes;
}

std::vector<std::string> scriptNames() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(kRecordedDir, ec))
        if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The script with the assets loaded first, @TMP@ standing for a private
// folder, and the two outputs written last.
std::string replayable(const std::string& script, const TempDir& dir) {
    std::string body = script;
    for (std::size_t at; (at = body.find("@TMP@")) != std::string::npos;) body.replace(at, 5, dir.dir());
    return "assets " SMUDGECRAFT_RUN_DIR "\n" + body + "\nsave-raw " + dir.path("cells.pai") + "\nexport " +
           dir.path("picture.bmp") + "\n";
}

TEST(RecordedStrokes, EveryScriptHasItsHashesAndEveryHashItsScript) {
    const auto expected = readExpectedHashes();
    const auto names = scriptNames();
    EXPECT_GE(names.size(), 19u);
    for (const std::string& name : names) EXPECT_EQ(expected.count(name), 1u) << name << " has no recorded hashes";
    for (const auto& [name, hashes] : expected)
        EXPECT_TRUE(std::find(names.begin(), names.end(), name) != names.end()) << name << " has no script";
}

class RecordedStroke : public ::testing::TestWithParam<std::string> {};

TEST_P(RecordedStroke, ReplaysToTheRecordedCellsAndPicture) {
    const std::string name = GetParam();
    TempDir dir;
    const BatchResult r =
        runBatch({"run", "-"}, replayable(readFileBytes((kRecordedDir / (name + ".txt")).string()), dir));
    ASSERT_EQ(r.status, 0) << name << ": " << r.err;
    // The assets must all load: an empty image would hide the grain paths.
    EXPECT_EQ(r.err, "") << name;
    const RecordedHashes replayed{hashOf(readFileBytes(dir.path("cells.pai"))),
                                  pictureHash(readFileBytes(dir.path("picture.bmp")))};
    const auto expected = readExpectedHashes();
    const RecordedHashes recorded = expected.count(name) != 0 ? expected.at(name) : RecordedHashes{};
    EXPECT_EQ(replayed.cells, recorded.cells) << name << ": the cells differ";
    EXPECT_EQ(replayed.picture, recorded.picture) << name << ": the exported picture differs";
    // The line as expected.hashes would hold it, for a deliberate change.
    if (replayed.cells != recorded.cells || replayed.picture != recorded.picture)
        std::printf("replayed: %s %s %s\n", name.c_str(), replayed.cells.c_str(), replayed.picture.c_str());
}

INSTANTIATE_TEST_SUITE_P(Scripts, RecordedStroke, ::testing::ValuesIn(scriptNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace sc::testing
