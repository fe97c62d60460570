#include "app/hand_over.h"

#include "formats/data_file.h"
#include "platform/platform.h"

namespace sc {

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

bool writeHandOverFile(const std::string& path) {
    DataFile file;
    if (!file.open(kHandOverFileName, DataFile::kWrite)) return false;
    if (!file.write(path.data(), path.size())) {
        file.discard();
        return false;
    }
    return file.close();
}

std::string readHandOverFile() {
    DataFile file;
    if (!file.open(kHandOverFileName, DataFile::kRead)) return {};
    char buffer[kHandOverPathMax + 1] = {};
    file.readLine(buffer, static_cast<int>(sizeof buffer));
    file.close();
    std::string path(buffer);
    // The first line only: a line end that fitted is not part of the path.
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
    return path;
}

void handOverToFirstInstance(const std::string& path) {
    // A failed write is not reported: the first instance then reads what the
    // file holds, possibly nothing, and says so itself.
    writeHandOverFile(path);
    if (!platform::notifyFirstInstance(kInstanceName)) {
        platform::messageBox(platform::kNoWindow, "Error", "Failed send 'OPEN' message to running instance!");
    }
}

}  // namespace sc
