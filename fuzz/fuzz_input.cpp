// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_input.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace sc::fuzz {
namespace {

int inputDescriptor() {
    static const int fd = [] {
        const int f = memfd_create("smudgecraft-fuzz-input", MFD_CLOEXEC);
        if (f < 0) {
            std::perror("memfd_create");
            std::abort();
        }
        return f;
    }();
    return fd;
}

}  // namespace

const std::string& inputFile(const std::uint8_t* data, std::size_t size) {
    const int fd = inputDescriptor();
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (ftruncate(fd, 0) != 0) std::abort();
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) std::abort();
        done += static_cast<std::size_t>(n);
    }
    return path;
}

std::string& scratchDirectory() {
    static std::string path;
    return path;
}

void removeScratchDirectory() {
    std::error_code ec;
    std::filesystem::remove_all(scratchDirectory(), ec);
}

void enterScratchDirectory() {
    if (!scratchDirectory().empty()) {
        std::filesystem::current_path(scratchDirectory());
        return;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "smudgecraft-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    scratchDirectory() = pattern;
    std::atexit(&removeScratchDirectory);
    std::filesystem::current_path(pattern);
}

}  // namespace sc::fuzz
