// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs smudgecraft-batch as a child process and captures what it says.
#include <string>
#include <vector>

namespace sc::testing {

struct BatchResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the batch program with the given arguments; `input` is fed to its
// standard input. A `fileSizeBlocks` above 0 runs it under `ulimit -f` of
// that many 1024-byte blocks.
BatchResult runBatch(const std::vector<std::string>& args, const std::string& input = "", int fileSizeBlocks = 0);

// A fresh private directory for one test's files, removed at destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    const std::string& dir() const { return dir_; }

private:
    std::string dir_;
};

std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);

}  // namespace sc::testing
