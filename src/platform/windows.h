// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seam between the program and the desktop: windows and messages.
// Everything outside src/platform talks to windows, dialogs and the clock
// only through the plain functions and records of this folder's headers
// (windows.h, drawing.h, furniture.h, dialogs.h, desktop.h). Two
// implementations exist, chosen when a program is linked: platform_qt*.cpp
// (the desktop) and platform_headless*.cpp (tests and the batch tool). The
// window table, the message queue and the blits are shared by both
// (platform_shared*.cpp).
//
// The model: a window is a WindowId with a window procedure. The desktop's
// events become Message records in one queue; the program removes them with
// peekMessage (never waits) and hands them to dispatchMessage. Every window
// keeps its own picture (a pixel store the blits write into); the desktop
// shows that picture 1:1. invalidateRect marks a part of it out of date, and
// a Paint message asks the window's procedure to draw it again.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sc::platform {

using WindowId = std::uint32_t;
inline constexpr WindowId kNoWindow = 0;

struct Point {
    int x = 0;
    int y = 0;
};

// Right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// ---- Messages ------------------------------------------------------------

// A key of the keyboard. Letters and digits are their character ('A' to 'Z',
// '0' to '9'; characterKey), the function keys follow one another from F1
// (functionKey). Each key has its own value below 256.
enum class Key : std::uint8_t {
    None = 0,
    Backspace = 8,
    Tab = 9,
    Enter = 13,
    Shift = 16,
    Control = 17,
    Alt = 18,
    Escape = 27,
    Space = 32,
    PageUp = 33,
    PageDown = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Insert = 45,
    Delete = 46,
    Z = 'Z',
    F1 = 112,
    Plus = 187,   // the key of '=' and '+', and the keypad's '+'
    Minus = 189,  // the key of '-' and '_', and the keypad's '-'
};

inline constexpr int kFunctionKeys = 24;
// 'A' to 'Z' or '0' to '9'.
constexpr Key characterKey(char c) { return static_cast<Key>(c); }
// n from 1 to kFunctionKeys.
constexpr Key functionKey(int n) { return static_cast<Key>(static_cast<int>(Key::F1) + n - 1); }

// What became of the frame when its state changed.
enum class WindowState : std::uint8_t { Restored, Minimised, Maximised };

enum class MessageKind : std::uint8_t {
    None,
    MouseMove,   // x, y: pointer in the window's client pixels
    MouseLeave,  // the pointer left a window that asked with trackMouseLeave
    LeftDown,    // flag: the second press of a double click
    LeftUp,
    RightDown,
    RightUp,
    KeyDown,       // key
    KeyUp,         // also for a key released while a menu, a modal dialog or another
                   // program had the input, once the program has it back
    Paint,         // part of the window is out of date: call beginPaint
    Command,       // command: menu item id
    EditChanged,   // command: id of the edit field whose text changed
    Close,         // the user asked to close the window
    Destroy,       // the window is being destroyed (sent, never queued)
    DropFiles,     // handle: for takeDroppedFiles
    HandOver,      // another start of the program handed a file over
    Activate,      // flag: the program (or the window) became active / inactive
    Enable,        // flag: the window was enabled / disabled
    StateChanged,  // state: the frame was minimised, maximised or restored
    ZoomWheel,     // the wheel turned with Control held: x, y the pointer in the window's
                   // client pixels (a document area: its scrolled content's), command the
                   // notches, positive away from the user. The wheel alone scrolls the
                   // document area as the desktop does, with no message.
};

struct Message {
    MessageKind kind = MessageKind::None;
    WindowId window = kNoWindow;
    int x = 0;
    int y = 0;
    Key key = Key::None;
    int command = 0;
    bool flag = false;
    WindowState state = WindowState::Restored;
    WindowId other = kNoWindow;  // Activate: the window on the other side, if ours
    std::uint32_t handle = 0;    // DropFiles
    std::uint64_t serial = 0;    // distinct for every message queued
    // Pointer messages from a pen tablet: the pressure (0..1) and the pen's
    // tilt from the vertical in degrees (-60..60 as tablets report it,
    // positive towards the right and towards the user). A mouse reports
    // pressure 1 and no tilt.
    float pressure = 1.0f;
    float tiltX = 0.0f;
    float tiltY = 0.0f;
};

// A window procedure: any callable, so that it may carry what it works on.
using WindowProc = std::function<void(const Message&)>;

// Removes at most one pending message into `out`; never waits. Lets the
// desktop deliver its events first. When the queue is empty but a window has
// an out-of-date part, returns a Paint message for it.
bool peekMessage(Message& out);
// Calls the procedure of the message's window (nothing for a window that no
// longer exists).
void dispatchMessage(const Message& message);
// Calls the window's procedure at once.
void sendMessage(const Message& message);
// Appends a message to the queue.
void postMessage(const Message& message);
// Paths of a dropped-files message; the first call releases the handle, so a
// second call (a message delivered twice) gets nothing.
std::vector<std::string> takeDroppedFiles(std::uint32_t handle);

// A window's own modal loop (a splash, a dialog): each round pauses for
// `pauseMilliseconds`, delivers at most one pending message, then asks
// `round` whether to go on. Ends when `round` says no (true) or the window
// is gone (false).
bool runModalLoop(WindowId window, int pauseMilliseconds, const std::function<bool()>& round);

// ---- Windows -------------------------------------------------------------

enum class WindowKind {
    Frame,         // the main window: maximised, with menu bar and status bar
    DocumentArea,  // the scrollable area filling the frame, holding the canvas window
    Child,         // a plain child window at (x, y) in its parent
    Floating,      // a small tool window owned by `parent`, at (x, y) on the screen
    Splash,        // an undecorated window centred on the screen
};

enum class PointerShape { Arrow, Cross };

struct WindowSpec {
    WindowKind kind = WindowKind::Child;
    std::string className;  // what the window is
    std::string caption;
    WindowId parent = kNoWindow;  // parent (Child, DocumentArea) or owner (Floating)
    int x = 0;
    int y = 0;
    int width = 0;  // client size
    int height = 0;
    bool visible = true;
    PointerShape pointerShape = PointerShape::Arrow;
    WindowProc proc;
    // Floating only: the caption carries a close button, which sends Close.
    bool closeBox = false;
    // The window keeps no picture of its own: it shows a surface given with
    // showSurface, its pixels made from the surface whenever the desktop
    // draws a part of it. For a window that may be far larger than the screen.
    bool showsSurface = false;
};

// kNoWindow when the window cannot be made. The whole client area starts out
// of date, so a Paint message follows.
WindowId createWindow(const WindowSpec& windowSpec);
// Sends Destroy to the window and to its children and owned windows, then
// removes them.
void destroyWindow(WindowId window);
bool windowExists(WindowId window);
void moveWindow(WindowId window, int x, int y);
Rect clientRect(WindowId window);
void showWindow(WindowId window, bool show);
bool isWindowVisible(WindowId window);
void enableWindow(WindowId window, bool enable);
void minimiseWindow(WindowId window);
void bringToFront(WindowId window);
void setCaption(WindowId window, const std::string& caption);
WindowId parentOf(WindowId window);

// The usable area of the desktop (without panels), in screen pixels.
Rect desktopClientArea();
// The pointer in screen pixels.
Point cursorPosition();

// Asks for one MouseLeave when the pointer leaves the window (or enters
// another window of the program). False if it cannot be arranged.
bool trackMouseLeave(WindowId window);

}  // namespace sc::platform
