// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/status_line.h"

#include <cstdio>

#include "app/shell_state.h"
#include "engine/numeric.h"
#include "platform/furniture.h"
#include "platform/windows.h"

namespace sc {

std::vector<std::string> statusLineTexts(const ShellState& s) {
    char size[64];
    std::snprintf(size, sizeof size, "File size: %2.2f%s", static_cast<double>(s.view.statusBytes) / 1024.0 / 1024.0,
                  "mb");
    char dims[48];
    std::snprintf(dims, sizeof dims, "%ux%u", s.view.statusWidth, s.view.statusHeight);
    char zoom[32];
    std::snprintf(zoom, sizeof zoom, "Zoom: %d%%", truncToInt(s.view.zoom * 100.0));
    return {size, dims, zoom, s.statusHint};
}

void updateStatusLine(const ShellState& s) {
    const platform::WindowId frame = s.frameWindow;
    if (!platform::hasStatusBar(frame)) return;
    const std::vector<std::string> texts = statusLineTexts(s);
    for (std::size_t i = 0; i < texts.size(); ++i) platform::setStatusText(frame, static_cast<int>(i), texts[i]);
}

}  // namespace sc
