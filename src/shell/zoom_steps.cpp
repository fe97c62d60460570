// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/zoom_steps.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "app/shell_state.h"
#include "engine/numeric.h"
#include "shell/canvas_view.h"
#include "shell/program.h"
#include "ui/status_line.h"

namespace sc {
namespace {

constexpr int kZoomCount = static_cast<int>(std::size(kZoomSteps));

// The place of the zoom among the six (the nearest one).
int zoomIndex(float zoom) {
    int best = 0;
    for (int i = 1; i < kZoomCount; ++i) {
        if (std::fabs(kZoomSteps[i] - zoom) < std::fabs(kZoomSteps[best] - zoom)) best = i;
    }
    return best;
}

}  // namespace

void setZoom(Program& p, float zoom) {
    p.state.view.zoom = zoom;
    recreateCanvasWindow(p);
    updateStatusLine(p.state);
}

void stepZoom(Program& p, int steps, platform::Point anchor) {
    const float oldZoom = p.state.view.zoom;
    const int from = zoomIndex(oldZoom);
    const int to = std::clamp(from + std::clamp(steps, -kZoomCount, kZoomCount), 0, kZoomCount - 1);
    if (to == from) return;
    const float newZoom = kZoomSteps[to];
    // The anchor's place in the document area, and where that cell lands at
    // the new zoom: the window goes where the two meet.
    ShellState& s = p.state;
    const platform::Point old = s.view.canvasPosition;
    const auto scaled = [&](int v) {
        return truncToInt(static_cast<double>(v) * static_cast<double>(newZoom) / static_cast<double>(oldZoom));
    };
    const platform::Point placed{old.x + anchor.x - scaled(anchor.x), old.y + anchor.y - scaled(anchor.y)};
    setZoom(p, newZoom);
    s.view.canvasPosition = placed;
    platform::moveWindow(s.windows.canvas, placed.x, placed.y);
    if (s.view.pointerOverCanvas) {
        // The pointer stays where it was on the screen, over the new window:
        // its window position follows the move, so the next move is measured
        // from where it really was, and the new window gives the leave notice.
        const int dx = placed.x - old.x, dy = placed.y - old.y;
        PointerState& canvas = s.pointers[kCanvasPointer];
        canvas.x -= dx;
        canvas.y -= dy;
        s.leaveTracking = platform::trackMouseLeave(s.windows.canvas);
    }
}

void stepZoomByKey(Program& p, int steps) {
    ShellState& s = p.state;
    platform::Point anchor;
    if (s.view.pointerOverCanvas) {
        anchor = {s.pointers[kCanvasPointer].x, s.pointers[kCanvasPointer].y};
    } else {
        const platform::Rect window = platform::clientRect(s.windows.canvas);
        anchor = {window.width() / 2, window.height() / 2};
    }
    stepZoom(p, steps, anchor);
}

void zoomByWheel(Program& p, const platform::Message& m) {
    ShellState& s = p.state;
    platform::Point anchor{m.x, m.y};
    // The document area reports its own point: made relative to the canvas window.
    if (m.window != s.windows.canvas) {
        anchor.x -= s.view.canvasPosition.x;
        anchor.y -= s.view.canvasPosition.y;
    }
    stepZoom(p, m.command, anchor);
}

}  // namespace sc
