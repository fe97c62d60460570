// SPDX-License-Identifier: GPL-3.0-or-later
// The common open/save file chooser: filters, default extension and the
// last chosen path, offered again by every chooser of the run.
#include <algorithm>

#include "app/file_commands.h"
#include "app/shell_state.h"
#include "platform/dialogs.h"

namespace sc {
namespace {

// The desktop's filter text for one entry: "Description (*.a *.b)". A
// description that already ends with its own pattern in brackets is used as
// it is.
std::string filterText(const FileFilterEntry& entry) {
    const std::string bracketed = "(" + entry.patterns + ")";
    const std::string& d = entry.description;
    if (d.size() >= bracketed.size() && d.compare(d.size() - bracketed.size(), bracketed.size(), bracketed) == 0) {
        return d;
    }
    std::string patterns = entry.patterns;
    std::replace(patterns.begin(), patterns.end(), ';', ' ');
    return d + " (" + patterns + ")";
}

std::optional<std::string> choose(ShellState& s, const std::vector<FileFilterEntry>& filter,
                                  const std::string& extension, int kind) {
    platform::FileChoice choice;
    choice.title = kind == kChooseSave ? "Save As" : "Open";
    for (const FileFilterEntry& entry : filter) {
        if (!choice.filter.empty()) choice.filter += ";;";
        choice.filter += filterText(entry);
    }
    choice.defaultExtension = extension;
    choice.startPath = s.lastChosenPath;
    std::optional<std::string> path = kind == kChooseSave ? platform::chooseSaveFile(s.frameWindow, choice)
                                                          : platform::chooseOpenFile(s.frameWindow, choice);
    if (path && !path->empty()) {
        s.lastChosenPath = *path;
        return path;
    }
    return std::nullopt;
}

}  // namespace

// "All Formats", the entry the chooser starts with, shows every name the
// readers take, .tif and .jpeg among them.
const std::vector<FileFilterEntry>& importFilter() {
    static const std::vector<FileFilterEntry> filter = {
        {"All Formats", "*.jpg;*.jpeg;*.bmp;*.tif;*.tiff;*.png"},
        {"JPEG (*.jpg)", "*.jpg"},
        {"BITMAP (*.bmp)", "*.bmp"},
        {"PNG (*.png)", "*.png"},
        {"TIFF (*.tif)", "*.tif"},
    };
    return filter;
}

const std::vector<FileFilterEntry>& exportFilter() {
    static const std::vector<FileFilterEntry> filter = {
        {"Bitmap Image", "*.bmp"},
        {"PNG Image", "*.png"},
        {"TIFF Image", "*.tif;*.tiff"},
        {"JPEG Image", "*.jpg;*.jpeg"},
    };
    return filter;
}

std::optional<std::string> chooseFile(ShellState& s, const std::string& extension, const std::string& description,
                                      int kind) {
    const std::string pattern = "*." + extension.substr(0, 3);
    return choose(s, {{description, pattern}}, extension, kind);
}

std::optional<std::string> chooseFileWithFilter(ShellState& s, const std::vector<FileFilterEntry>& filter, int kind,
                                                const std::string& defaultExtension) {
    return choose(s, filter, defaultExtension, kind);
}

}  // namespace sc
