// SPDX-License-Identifier: GPL-3.0-or-later
// Every fuzz target's body over its seed corpus and over every input a
// fuzzer once crashed on (kept under tests/fuzz/crashers/<target>/), in the
// ordinary build: the readers must take them all without harm. The address
// and undefined-behaviour build runs the same test with its checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_targets.h"
#include "seed_corpora.h"
#include "support/run_batch.h"

namespace sc {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the body over every file of the directory; returns how many.
int replay(fuzz::FuzzBody body, const fs::path& directory) {
    if (!fs::is_directory(directory)) return 0;
    int count = 0;
    for (const auto& entry : fs::directory_iterator(directory)) {
        if (!entry.is_regular_file()) continue;
        SCOPED_TRACE(entry.path().string());
        const std::vector<std::uint8_t> bytes = bytesOf(entry.path());
        body(bytes.data(), bytes.size());
        ++count;
    }
    return count;
}

class FuzzReplay : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(dir_.dir());
        ASSERT_TRUE(fuzz::writeSeedCorpora(dir_.path("seeds")));
    }
    void TearDown() override { fs::current_path(previous_); }

    testing::TempDir dir_;
    fs::path previous_;
};

TEST_F(FuzzReplay, EveryTargetTakesItsSeedsAndKeptCrashers) {
    for (const fuzz::FuzzTarget& target : fuzz::kFuzzTargets) {
        SCOPED_TRACE(std::string(target.name));
        const int seeds = replay(target.body, dir_.path("seeds") / fs::path(target.name));
        EXPECT_GT(seeds, 0) << "every target has seeds";
        replay(target.body, fs::path(SMUDGECRAFT_FUZZ_CRASHERS) / fs::path(target.name));
    }
}

// The bodies check what they claim on inputs that must pass them.
TEST_F(FuzzReplay, BodiesAcceptPlainInputs) {
    const std::uint8_t prefs[] = {1, 0};
    fuzz::fuzzPrefs(prefs, sizeof prefs);
    const char line[] = "\"a b.pai\"";
    fuzz::fuzzCommandLine(reinterpret_cast<const std::uint8_t*>(line), sizeof line - 1);
    std::vector<std::uint8_t> noise(3000);
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>(i * 131 + 7);
    for (const fuzz::FuzzTarget& target : fuzz::kFuzzTargets) target.body(noise.data(), noise.size());
}

}  // namespace
}  // namespace sc
