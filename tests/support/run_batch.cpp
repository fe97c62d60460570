// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/run_batch.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace sc::testing {
namespace {

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'') q += "'\\''";
        else q += c;
    }
    return q + "'";
}

}  // namespace

TempDir::TempDir() {
    char pattern[] = "/tmp/sc-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    dir_ = made ? made : "/tmp";
}

TempDir::~TempDir() {
    std::error_code ec;
    if (dir_ != "/tmp") std::filesystem::remove_all(dir_, ec);
}

std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

BatchResult runBatch(const std::vector<std::string>& args, const std::string& input, int fileSizeBlocks) {
    TempDir io;
    const std::string in = io.path("stdin"), out = io.path("stdout"), err = io.path("stderr");
    writeFileBytes(in, input);
    std::string command;
    if (fileSizeBlocks > 0) command = "ulimit -f " + std::to_string(fileSizeBlocks) + " && exec ";
    command += quote(SMUDGECRAFT_BATCH);
    for (const std::string& a : args) command += " " + quote(a);
    command += " <" + quote(in) + " >" + quote(out) + " 2>" + quote(err);
    const int raw = std::system(command.c_str());
    BatchResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readFileBytes(out);
    r.err = readFileBytes(err);
    return r;
}

}  // namespace sc::testing
