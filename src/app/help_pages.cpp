// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help_pages.h"

#include <cstdio>
#include <filesystem>

#ifndef SMUDGECRAFT_WEB_SITE
#define SMUDGECRAFT_WEB_SITE ""
#endif

namespace sc {
namespace {

constexpr const char* kGuideFile = "guide.html";
constexpr const char* kWebSite = SMUDGECRAFT_WEB_SITE;

bool keptAsItIs(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~' || c == '/';
}

}  // namespace

std::string userGuidePath(const RunPaths& paths) {
    std::error_code ec;
    const std::filesystem::path guide = std::filesystem::absolute(paths.sharedFile(kGuideFile), ec);
    return ec ? paths.sharedFile(kGuideFile) : guide.string();
}

std::string fileAddress(const std::string& path) {
    std::string address = "file://";
    for (const unsigned char c : path) {
        if (keptAsItIs(c)) {
            address += static_cast<char>(c);
            continue;
        }
        char escaped[4];
        std::snprintf(escaped, sizeof escaped, "%%%02X", c);
        address += escaped;
    }
    return address;
}

std::string userGuideAddress(const RunPaths& paths) { return fileAddress(userGuidePath(paths)); }

std::string webSiteItemAddress(const RunPaths& paths) {
    return *kWebSite ? std::string(kWebSite) : userGuideAddress(paths);
}

std::string helpNotOpenedText(const std::string& address, const RunPaths& paths) {
    return "Smudgecraft could not open " + address + ": the desktop found no program to show it.\n\n" +
           "The user guide is the file\n" + userGuidePath(paths);
}

}  // namespace sc
