// SPDX-License-Identifier: GPL-3.0-or-later
// Making a new document, (re)creating the canvas window for it, and drawing
// the window from the document's rendered surface.
#include "shell/canvas_view.h"

#include <cmath>
#include <vector>

#include "app/layers.h"
#include "app/shell_state.h"
#include "engine/numeric.h"
#include "platform/dialogs.h"
#include "platform/drawing.h"
#include "shell/program.h"
#include "tools/stroke_line.h"
#include "tools/tools.h"
#include "ui/panels.h"
#include "ui/status_line.h"

namespace sc {
namespace {

// trunc(v x zoom) with the product in single precision, as the view sizes are.
int zoomed(std::int64_t v, float zoom) { return truncToInt(static_cast<double>(static_cast<float>(v) * zoom)); }

// What the canvas window shows: the stretch that a paint request for the
// whole window copies. A smaller request's cells land on the same pixels of
// that stretch at every zoom the view offers, so the window is drawn from the
// surface on demand rather than kept as a zoomed picture.
void showDocument(ShellState& s, const platform::Rect& changed) {
    const float zoom = s.view.zoom;
    const platform::Rect window = platform::clientRect(s.windows.canvas);
    const int cellsWide = cellAt(window.right, zoom);
    const int cellsHigh = cellAt(window.bottom, zoom);
    platform::showSurface(s.windows.canvas, s.painting.document.surface, {0, 0, cellsWide, cellsHigh},
                          {0, 0, zoomed(cellsWide, zoom), zoomed(cellsHigh, zoom)}, changed);
}

// The window pixels cells [left, right) x [top, bottom) land on, whole or in
// part (a pixel shrinking combines may hold cells on both sides of an edge).
platform::Rect pixelsOfCells(const CellRect& cells, float zoom) {
    auto low = [zoom](std::int32_t v) {
        return truncToInt(std::floor(static_cast<double>(static_cast<float>(v) * zoom)));
    };
    auto high = [zoom](std::int32_t v) {
        return truncToInt(std::ceil(static_cast<double>(static_cast<float>(v) * zoom)));
    };
    return {low(cells.left), low(cells.top), high(cells.right), high(cells.bottom)};
}

void moveCanvasByCursor(ShellState& s) {
    const platform::Point p = platform::cursorPosition();
    s.view.canvasPosition.x += p.x - s.view.lastCursor.x;
    s.view.canvasPosition.y += p.y - s.view.lastCursor.y;
    platform::moveWindow(s.windows.canvas, s.view.canvasPosition.x, s.view.canvasPosition.y);
    s.view.lastCursor = p;
}

// The document size as the status line shows it.
void noteDocumentSize(ShellState& s) {
    s.view.statusWidth = s.painting.document.width;
    s.view.statusHeight = s.painting.document.height;
    s.view.statusBytes = static_cast<std::uint64_t>(s.painting.document.width) * s.painting.document.height * 12u;
}

// What a tool changed on the document, shown: the rendered cells drawn again,
// the view moved, the colours panel brought up to date, the press ended.
void followToolOutcome(Program& p, const ToolOutcome& outcome) {
    ShellState& s = p.state;
    if (outcome.handMove) moveCanvasByCursor(s);
    if (outcome.pickedColour) syncColourPanel(s, p.panels);
    if (outcome.outOfMemory) platform::messageBox(platform::kNoWindow, "Error", kFillOutOfMemoryText);
    // Fill paints once per press.
    if (outcome.pressEnded) s.pointers[kCanvasPointer].leftDown = false;
    if (!outcome.rendered.empty()) showDocument(s, pixelsOfCells(outcome.rendered, s.view.zoom));
}

}  // namespace

bool newImage(Program& p, std::uint32_t width, std::uint32_t height) {
    ShellState& s = p.state;
    // A painting that cannot be made leaves the old one as it was, saved or not.
    if (!s.painting.document.allocate(width, height)) {
        platform::messageBox(platform::kNoWindow, "Error", kNewImageFailedText);
        return false;
    }
    noteDocumentSize(s);
    s.statusHint = "Click on the canvas to begin drawing!";
    s.view.zoom = 1.0f;
    updateStatusLine(s);
    recreateCanvasWindow(p);
    s.painting.document.kind = kDocumentCanvasKind;
    s.painting.saved = true;
    return true;
}

void recreateCanvasWindow(Program& p) {
    ShellState& s = p.state;
    if (s.windows.canvas != platform::kNoWindow) platform::destroyWindow(s.windows.canvas);
    s.windows.canvas = platform::kNoWindow;

    const float zoom = s.view.zoom;
    platform::WindowSpec windowSpec;
    windowSpec.kind = platform::WindowKind::Child;
    windowSpec.className = "CanvasWindowClass";
    windowSpec.parent = s.windows.documentArea;
    windowSpec.x = kCanvasWindowX;
    windowSpec.y = kCanvasWindowY;
    windowSpec.width = zoomed(s.painting.document.width, zoom);
    windowSpec.height = zoomed(s.painting.document.height, zoom);
    windowSpec.visible = false;
    windowSpec.pointerShape = platform::PointerShape::Cross;
    windowSpec.proc = [&p](const platform::Message& m) { canvasWindowProc(p, m); };
    windowSpec.showsSurface = true;
    s.windows.canvas = platform::createWindow(windowSpec);
    if (s.windows.canvas == platform::kNoWindow) {
        platform::messageBox(s.windows.documentArea, "Error", "Failed To Create The canvas Window");
    }
    s.view.canvasPosition = {kCanvasWindowX, kCanvasWindowY};
    platform::showWindow(s.windows.canvas, true);
    // The status line follows every change of size (a painting opened, Undo).
    noteDocumentSize(s);
    updateStatusLine(s);
}

int cellAt(int v, float zoom) { return truncToInt(static_cast<double>(static_cast<float>(v) / zoom)); }

void paintView(Program& p, int left, int top, int right, int bottom) {
    ShellState& s = p.state;
    const Canvas& doc = s.painting.document;
    if (doc.kind != kDocumentCanvasKind) {
        const platform::Rect whole{0, 0, static_cast<int>(doc.surface.width()), static_cast<int>(doc.surface.height())};
        platform::showSurface(s.windows.canvas, doc.surface, whole, whole, whole);
        return;
    }
    const float zoom = s.view.zoom;
    const int x = zoomed(left, zoom);
    const int y = zoomed(top, zoom);
    showDocument(s, {x, y, x + zoomed(right - left, zoom), y + zoomed(bottom - top, zoom)});
}

void paintAtPointer(Program& p) {
    ShellState& s = p.state;
    if (s.pressArmed) {
        const PointerState& pointer = s.pointers[kCanvasPointer];
        // With Smooth Strokes, after the stroke's first application, the tool
        // is applied at spaced points along the way from the last applied one.
        std::vector<LinePoint> points{{pointer.x, pointer.y}};
        if (s.options.smoothStrokes && s.view.appliedInStroke) {
            points = strokeLinePoints(s.view.lastApplied.x, s.view.lastApplied.y, pointer.x, pointer.y,
                                      s.tools.stroke.size, s.view.zoom);
        }
        for (const LinePoint& point : points) {
            const int x = toolCellAt(s.painting.document, point.x, s.view.zoom);
            const int y = toolCellAt(s.painting.document, point.y, s.view.zoom);
            followToolOutcome(p, applyToolToPainting(s.painting, s.tools, x, y));
            if (!pointer.leftDown) break;  // Fill ended the press
        }
        s.view.lastApplied = {pointer.x, pointer.y};
        s.view.appliedInStroke = true;
    }
    platform::updateWindow(s.windows.canvas);
}

}  // namespace sc
