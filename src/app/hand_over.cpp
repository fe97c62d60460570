// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/hand_over.h"

#include <cstdio>
#include <filesystem>

#include "app/painting_io.h"
#include "formats/data_file.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/windows.h"

namespace sc {
namespace {

// The path against the current directory; empty stays empty, and so does a
// relative path when the current directory cannot be had.
std::string absolutePath(const std::string& path) {
    if (path.empty() || path.front() == '/') return path;
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    return ec ? std::string() : (here / path).string();
}

}  // namespace

std::optional<std::string> commandLinePath(const std::string& commandText) {
    if (commandText.size() <= 3) return std::nullopt;
    std::string path;
    int quotes = 0;
    for (char c : commandText) {
        if (c == '"') {
            if (++quotes == 2) break;
            continue;
        }
        if (path.size() == kHandOverPathMax) break;
        path.push_back(c);
    }
    return path;
}

std::string handOverFilePath() { return platform::runtimeFilePath(kHandOverFileName); }

bool writeHandOverFile(const std::string& path) {
    const std::string file = handOverFilePath();
    if (file.empty()) return false;
    // An earlier hand-over must never be read for this one.
    std::remove(file.c_str());
    DataFile out;
    if (!out.open(file, DataFile::kWrite)) return false;
    if (!out.write(path.data(), path.size())) {
        out.discard();
        return false;
    }
    return out.close();
}

std::string readHandOverFile() {
    const std::string file = handOverFilePath();
    DataFile in;
    if (file.empty() || !in.open(file, DataFile::kRead)) return {};
    char buffer[kHandOverPathMax + 1] = {};
    in.readLine(buffer, static_cast<int>(sizeof buffer));
    in.close();
    std::string path(buffer);
    // The first line only: a line end that fitted is not part of the path.
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
    return path;
}

std::string takeHandOverFile() {
    std::string path = readHandOverFile();
    const std::string file = handOverFilePath();
    if (!file.empty()) std::remove(file.c_str());
    if (!path.empty() && path.front() != '/') path.clear();
    return path;
}

void handOverToFirstInstance(const std::string& path) {
    const std::string absolute = absolutePath(path);
    if (absolute.size() > kHandOverPathMax) {
        platform::messageBox(platform::kNoWindow, "Error", kCannotOpenText);
        return;
    }
    // A failed write is not reported: the first instance then finds no file
    // and says that nothing could be opened.
    writeHandOverFile(absolute);
    if (!platform::notifyFirstInstance(kInstanceName)) {
        platform::messageBox(platform::kNoWindow, "Error", "Failed send 'OPEN' message to running instance!");
    }
}

}  // namespace sc
