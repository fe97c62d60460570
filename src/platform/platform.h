#pragma once
// The seam between the program and the desktop. Everything outside
// src/platform talks to windows, dialogs and the clock only through these
// plain functions and records. Two implementations exist, chosen at link
// time: platform_qt*.cpp (the desktop) and platform_headless.cpp (tests and
// the batch tool). The window table, the message queue and the blits are
// shared by both (platform_shared*.cpp).
//
// The model: a window is a WindowId with a window procedure. The desktop's
// events become Message records in one queue; the program removes them with
// peekMessage (never waits) and hands them to dispatchMessage. Every window
// keeps its own picture (a pixel store the blits write into); the desktop
// shows that picture 1:1. invalidateRect marks a part of it out of date, and
// a Paint message asks the window's procedure to draw it again.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sc {
class Surface;
}

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

// ---- Message boxes -------------------------------------------------------

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Error, Exclamation, Information, Question };
enum class Answer { Ok, Cancel, Yes, No };

// A modal message box; returns the button the user chose. A box closed
// without a choice (Escape, or the window's close button) answers Cancel
// whatever its buttons, except one with only OK, which answers Ok. While it
// is up the program's main window receives Enable(false), and Enable(true)
// after.
Answer messageBox(WindowId owner, const std::string& caption, const std::string& text,
                  Buttons buttons = Buttons::Ok, Icon icon = Icon::None);

// ---- Messages ------------------------------------------------------------

enum class MessageKind : std::uint8_t {
    None,
    MouseMove,   // x, y: pointer in the window's client pixels
    MouseLeave,  // the pointer left a window that asked with trackMouseLeave
    LeftDown,
    LeftUp,
    RightDown,
    RightUp,
    KeyDown,     // key: virtual-key code (Windows numbering: 17 Control, 32 Space, 65..90 letters)
    KeyUp,       // also for a key released while a menu, a modal dialog or another
                 // program had the input, once the program has it back
    Paint,       // part of the window is out of date: call beginPaint
    Command,     // command: menu item id
    Close,       // the user asked to close the window
    Destroy,     // the window is being destroyed (sent, never queued)
    DropFiles,   // handle: for takeDroppedFiles
    HandOver,    // another start of the program handed a file over
    Activate,    // flag: the program (or the window) became active / inactive
    Enable,      // flag: the window was enabled / disabled
    Size,        // x: 0 restored, 1 minimised, 2 maximised
};

struct Message {
    MessageKind kind = MessageKind::None;
    WindowId window = kNoWindow;
    int x = 0;
    int y = 0;
    int key = 0;
    int command = 0;
    bool flag = false;
    WindowId other = kNoWindow;  // Activate: the window on the other side, if ours
    std::uint32_t handle = 0;    // DropFiles
    std::uint64_t serial = 0;    // distinct for every message queued
};

using WindowProc = void (*)(const Message&);

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
    std::string className;  // what the window is; findWindow looks it up
    std::string caption;
    WindowId parent = kNoWindow;  // parent (Child, DocumentArea) or owner (Floating)
    int x = 0;
    int y = 0;
    int width = 0;  // client size
    int height = 0;
    bool visible = true;
    PointerShape pointerShape = PointerShape::Arrow;
    WindowProc proc = nullptr;
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
WindowId findWindow(const std::string& className, const std::string& caption);
void moveWindow(WindowId window, int x, int y);
Point windowPosition(WindowId window);
Rect clientRect(WindowId window);
void showWindow(WindowId window, bool show);
bool isWindowVisible(WindowId window);
void enableWindow(WindowId window, bool enable);
bool isWindowEnabled(WindowId window);
void minimiseWindow(WindowId window);
void bringToFront(WindowId window);
void setCaption(WindowId window, const std::string& caption);
std::string caption(WindowId window);
WindowId parentOf(WindowId window);
// Windows whose parent or owner is this one, in creation order.
std::vector<WindowId> childrenOf(WindowId window);

// The usable area of the desktop (without panels), in screen pixels.
Rect desktopClientArea();
// The pointer in screen pixels.
Point cursorPosition();

// Asks for one MouseLeave when the pointer leaves the window (or enters
// another window of the program). False if it cannot be arranged.
bool trackMouseLeave(WindowId window);

// ---- Painting ------------------------------------------------------------

void invalidateRect(WindowId window, const Rect& rect);
void invalidateWindow(WindowId window);
// Sends a Paint message now if part of the window is out of date.
void updateWindow(WindowId window);
// The out-of-date part (bounding rectangle) of the window, which then counts
// as up to date. Empty when nothing was out of date.
Rect beginPaint(WindowId window);

// Copies the whole surface to the window with its top-left at (x, y), clipped.
void blit(WindowId window, const Surface& surface, int x, int y);
// Copies the source rectangle (sx, sy, sw, sh) of the surface to the window
// rectangle (dx, dy, dw, dh). Enlarging repeats pixels; shrinking combines
// the source pixels that land on one window pixel by a bitwise AND.
void stretchBlit(WindowId window, const Surface& surface, int sx, int sy, int sw, int sh,
                 int dx, int dy, int dw, int dh);
// For a window made with showsSurface: it shows the `from` rectangle of the
// surface stretched onto its `to` rectangle as stretchBlit would copy it, and
// white elsewhere (all white before the first call); the `changed` part of the
// window is drawn again. Nothing is copied: the desktop reads the surface when
// it draws, so the surface must outlive the window; pixels whose source lies
// outside it (a surface made smaller meanwhile) show white.
void showSurface(WindowId window, const Surface& surface, const Rect& from, const Rect& to, const Rect& changed);
// The window's picture at (x, y) as red | green << 8 | blue << 16; 0 outside.
std::uint32_t windowPixel(WindowId window, int x, int y);
// The window's picture in the rectangle, as the desktop draws it: 0xffRRGGBB
// values, top row first, `stride` values from one row to the next; pixels
// outside the window are 0.
void windowPixels(WindowId window, const Rect& rect, std::uint32_t* out, std::size_t stride);

// ---- Frame furniture -----------------------------------------------------

// One entry of a menu. A separator has no text; a submenu has items.
struct MenuItem {
    int command = 0;
    std::string text;
    std::vector<MenuItem> items;
    bool separator = false;
    bool enabled = true;
};

void setMenuBar(WindowId frame, const std::vector<MenuItem>& menus);
void setMenuCheck(WindowId frame, int command, bool checked);
bool menuChecked(WindowId frame, int command);
void enableMenuItem(WindowId frame, int command, bool enabled);
bool menuItemEnabled(WindowId frame, int command);

// A status bar along the bottom of the frame with parts ending at the given
// right edges. False if it cannot be made.
bool createStatusBar(WindowId frame, const std::vector<int>& rightEdges);
bool hasStatusBar(WindowId frame);
void setStatusText(WindowId frame, int part, const std::string& text);
std::string statusText(WindowId frame, int part);

// A tip shown while the pointer rests over the rectangle of the window.
bool addTooltip(WindowId window, const Rect& rect, const std::string& text);

// The main window accepts files dropped on it (DropFiles messages).
void acceptDroppedFiles(WindowId frame);

// ---- Desktop services ----------------------------------------------------

// Connects to the desktop. Takes the options meant for it out of the
// arguments; the rest are the program's. False when there is no desktop.
bool initialise(int& argc, char** argv);
// Lets the desktop show what was drawn, without handling any input (for a
// window that must appear before a long piece of work).
void flushDisplay();
// Closes every window and disconnects from the desktop (before the program
// returns from main).
void shutdown();

// Opens a web address or a local file in the user's browser.
bool openUrl(const std::string& address);
// The full path of the running program.
std::string programPath();
// Starts a helper program without waiting for it; false if it cannot start.
bool startDetached(const std::string& program, const std::vector<std::string>& arguments);

struct FileChoice {
    std::string title;
    std::string filter;       // e.g. "Paintings (*.pai);;All files (*)"
    std::string defaultExtension;  // without the dot
    std::string startPath;
};
// Modal open / save choosers; nothing when cancelled.
std::optional<std::string> chooseOpenFile(WindowId owner, const FileChoice& choice);
std::optional<std::string> chooseSaveFile(WindowId owner, const FileChoice& choice);

// ---- Edit fields ---------------------------------------------------------

// The `key` of the Command message an edit field sends to its window each
// time its text changes (by the user or by setEditText); `command` is the
// field's id.
inline constexpr int kEditChanged = 0x0300;
// A one-line text field without a border, w x h at client (x, y) of the
// window. False when it cannot be made.
bool createEditField(WindowId window, int id, int x, int y, int width, int height);
void setEditText(WindowId window, int id, const std::string& text);
// Empty for a field that does not exist.
std::string editText(WindowId window, int id);

// ---- Printing ------------------------------------------------------------
// One set of printer settings lives for the whole run: the page-setup dialog
// edits it and the print dialog starts from it.

// Shows the page-setup dialog on the kept settings.
void pageSetupDialog();
// Shows the print dialog (copies starting at one, no page ranges, no
// selection) and, when confirmed, starts a document of that name and its
// first page. The printable width and height in device pixels are returned,
// and how many pages the program prints: the copies asked for, or 1 when the
// printer makes the copies itself. False when the dialog was cancelled or
// the document or page could not be started.
bool beginPrintedPage(const std::string& documentName, int& printableWidth, int& printableHeight, int& pages);
// Ends the page and starts the next one of the document; false when the
// printer refused.
bool nextPrintedPage();
// Copies the source rectangle of the surface onto the page rectangle
// (device pixels), stretched.
void printStretched(const Surface& surface, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh);
// Ends the page and the document; false when the printer refused.
bool endPrintedPage();

// ---- Single instance -----------------------------------------------------

enum class InstanceRole { First, Second };
// Takes the per-user lock of the given name. The first instance also starts
// listening for hand-over notices; each one received is queued as a
// HandOver message to `notifyWindow` (set later with setHandOverWindow).
InstanceRole acquireSingleInstance(const std::string& name);
void setHandOverWindow(WindowId window);
// From a second instance: tells the first that the hand-over file is ready.
// False when no first instance answers.
bool notifyFirstInstance(const std::string& name);
void releaseSingleInstance();
// The path of a file of that name in the user's private runtime directory
// (the user's own, closed to everyone else), where the instances meet
// whatever directory each was started from; empty when there is none.
std::string runtimeFilePath(const std::string& fileName);

// ---- Clock and pacing ----------------------------------------------------

// Seconds on a monotonic clock (extended precision).
long double clockSeconds();
std::uint32_t tickMilliseconds();
void sleepMilliseconds(int milliseconds);
// Ends a main-loop pass: returns once the clock reaches `deadline` (sleeping,
// with a short final spin). When `mayBlock` and nothing is pending it then
// waits, without using the processor, until the desktop has an event.
void endPass(long double deadline, bool mayBlock);

}  // namespace sc::platform
