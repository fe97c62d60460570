// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What both implementations of the seam share: the table of windows with
// their pictures, the message queue, and the hooks through which the table
// tells the desktop (or nobody, headless) what changed. Internal to
// src/platform.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/drawing.h"
#include "platform/furniture.h"
#include "platform/test_queries.h"
#include "platform/windows.h"

namespace sc::platform::detail {

struct Tooltip {
    Rect rect;
    std::string text;
};

struct WindowRecord {
    WindowId id = kNoWindow;
    WindowKind kind = WindowKind::Child;
    std::string className;
    std::string caption;
    WindowId parent = kNoWindow;
    int x = 0;  // client origin: in the parent (Child) or on the screen (top level)
    int y = 0;
    int width = 0;
    int height = 0;
    bool visible = true;
    bool enabled = true;
    bool minimised = false;
    bool leaveTracking = false;
    WindowProc proc = nullptr;
    Rect invalid;                       // out of date, not yet announced by a Paint message
    Rect painting;                      // announced by a Paint message, not yet taken by beginPaint
    std::vector<std::uint32_t> pixels;  // width x height, 0xffRRGGBB, top row first
    // A window that shows a surface keeps no pixels: they are made from the
    // surface's rectangle `shownFrom` stretched onto `shownTo` when asked for.
    bool showsSurface = false;
    const Surface* shown = nullptr;
    Rect shownFrom;
    Rect shownTo;
    std::vector<Tooltip> tooltips;
    // Frame furniture.
    std::vector<MenuItem> menus;
    std::map<int, bool> checks;
    std::map<int, bool> itemEnabled;
    bool hasStatusBar = false;
    std::vector<int> statusEdges;
    std::vector<std::string> statusTexts;
    bool acceptsDrops = false;
    PointerShape pointerShape = PointerShape::Arrow;
    bool closeBox = false;
};

// What both implementations keep for the desktop: the windows by id, in
// creation order (ids only grow), and the message queue with the handles of
// dropped files. One for the process, as the desktop connection is.
struct SharedState {
    std::map<WindowId, WindowRecord> windows;
    WindowId nextId = 1;
    std::deque<Message> queue;
    std::uint64_t nextSerial = 1;
    std::map<std::uint32_t, std::vector<std::string>> drops;
    std::uint32_t nextDrop = 1;
    std::function<void()> beforeModal;
    bool inBeforeModal = false;
};
SharedState& shared();
std::map<WindowId, WindowRecord>& windowTable();
WindowRecord* findRecord(WindowId id);
// Whether the kind keeps a picture of its own (Child, Floating, Splash).
bool keepsPicture(WindowKind kind);
// The window's client origin in screen pixels.
Point screenOrigin(WindowId id);
// The topmost visible window of the program that holds the screen point,
// children before their parents; kNoWindow outside every window.
WindowId windowAtScreen(Point p);
// New size of the client area (the desktop resized it): the picture is
// re-made and the whole window becomes out of date.
void setClientSize(WindowId id, int width, int height);
// Runs the program's hook before a modal dialog (setBeforeModalHook).
void beforeModal();
// Sends Enable to a message box's owner (and so, through the program, to
// its panels) around a modal box.
void enableOwnerForModal(WindowId owner, bool enable);
// Whether a message is queued or a window has an out-of-date part.
bool messagePending();
// Frees every window, message and handle (tests start afresh).
void resetShared();
// Records a drop of files for the given window and queues the message.
void queueDrop(WindowId window, const std::vector<std::string>& paths);

// Clips a rectangle to the window's client area.
Rect clipToClient(const WindowRecord& w, Rect r);
Rect unite(const Rect& a, const Rect& b);

// What a window pixel that shows no source pixel becomes.
enum class Uncovered { Keep, White };
// Writes the window pixels of `part` of the surface's rectangle `from`
// stretched onto the window rectangle `to`, as 0xffRRGGBB values, top row
// first, `stride` values from one row to the next. A pixel outside `to`, or
// whose source lies outside the surface, is made white or left as it is.
void stretchPixels(const Surface& surface, const Rect& from, const Rect& to, const Rect& part, std::uint32_t* out,
                   std::size_t stride, Uncovered uncovered);

}  // namespace sc::platform::detail

// Implemented once per platform: the desktop side of the shared table.
namespace sc::platform::backend {

// Makes the desktop window for a new record; false when it cannot.
bool windowCreated(detail::WindowRecord& w);
void windowDestroyed(WindowId id);
void windowMoved(const detail::WindowRecord& w);
void windowShown(const detail::WindowRecord& w);
void windowEnabled(const detail::WindowRecord& w);
void windowMinimised(const detail::WindowRecord& w);
void windowRaised(const detail::WindowRecord& w);
void captionChanged(const detail::WindowRecord& w);
// Part of the window's picture changed: show it.
void pictureChanged(const detail::WindowRecord& w, const Rect& rect);
void menuChanged(const detail::WindowRecord& w);
void checksChanged(const detail::WindowRecord& w);
void statusChanged(const detail::WindowRecord& w);
// Lets the desktop turn its pending events into queued messages; never waits.
void pumpEvents();
Rect desktopArea();
Point cursor();

}  // namespace sc::platform::backend
