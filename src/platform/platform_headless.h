// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test controls of the headless platform. Windows are records in memory with
// pictures a test can read; messages are posted by the test; message boxes
// and file choosers are answered from queues the test fills; the clock is
// virtual (waiting advances it at once), so nothing ever blocks.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/surface.h"
#include "platform/dialogs.h"
#include "platform/windows.h"

namespace sc::platform::headless {

struct ShownMessage {
    WindowId owner;
    std::string caption;
    std::string text;
    Buttons buttons;
    Icon icon;
};

// Every message box shown since the last clear, oldest first.
const std::vector<ShownMessage>& shownMessages();
void clearShownMessages();

// Queues the answer of the next message box. With no answer queued, a box
// with only OK answers Ok, and a question is closed without a choice
// (Cancel).
void plantAnswer(Answer answer);
void clearPlantedAnswers();

// Whether message boxes are also printed to standard error (on by default).
void setEchoMessages(bool echo);

// Queues the result of the next file chooser (nothing = cancelled). With
// nothing queued a chooser is cancelled.
void plantFileChoice(std::optional<std::string> path);
// Titles of the file choosers shown, oldest first.
const std::vector<std::string>& shownFileChoosers();
// Everything the program asked of each file chooser, oldest first. A planted
// path whose file name has no dot gets the chooser's default extension, as
// the desktop's save dialog appends it to a typed name.
const std::vector<FileChoice>& shownFileChoices();

// Queues the answer of the next askNumber (nothing = cancelled; a number
// outside the question's range is brought into it, as a spin box would).
// With nothing queued the dialog is cancelled.
void plantNumber(std::optional<int> number);
struct NumberQuestion {
    std::string caption;
    std::string label;
    int value, minimum, maximum;
};
// The questions askNumber was asked, oldest first.
const std::vector<NumberQuestion>& shownNumberQuestions();

// Queues the answer of the next askText (nothing = cancelled; a text longer
// than the question allows is cut to its length). With nothing queued the
// dialog is cancelled.
void plantText(std::optional<std::string> text);
struct TextQuestion {
    std::string caption;
    std::string label;
    std::string text;
    int maxLength;
};
// The questions askText was asked, oldest first.
const std::vector<TextQuestion>& shownTextQuestions();

// Edit fields: a test types into one (the window gets the change notice);
// the next createEditField calls fail while `fail` is set.
void typeIntoField(WindowId window, int id, const std::string& text);
void failEditFieldCreation(bool fail);

// The Pen dialog answers from its own queue (nothing planted: cancelled);
// what each one shown started from, oldest first.
void plantPenAnswer(std::optional<PenChoice> answer);
const std::vector<PenChoice>& shownPenDialogs();

// Printing. The page-setup dialog answers from its own queue: a size accepts
// it and makes that the printable page in device pixels, nothing cancels it
// (with nothing planted it is cancelled). The print dialog answers from
// another queue (nothing planted: cancelled); an accepted one asks for the
// given number of copies, which the headless printer leaves to the program.
void plantPageSetupAnswer(std::optional<Point> printablePage);
void plantPrintAnswer(bool accept, int copies = 1);
// The printable page of the kept settings (default 4960 x 7016, A4 at 600
// dots per inch).
void setPrinterPage(int width, int height);
// The next beginPrintedPage fails after its dialog was confirmed.
void failNextPrintStart();
int pageSetupsShown();
int printDialogsShown();
// The pages printed (every page of every document), and the last one: its
// document name, the page picture (white, the printable size) and where the
// last stretched copy landed.
struct PrintedPage {
    std::string documentName;
    Surface picture;
    Rect placed;
};
int pagesPrinted();
const PrintedPage& lastPrintedPage();

// Every window, message, handle, answer and record goes; the clock, the
// cursor and the desktop return to their start values.
void reset();

// The desktop's usable area (default 0, 0, 1280, 1000).
void setDesktopArea(const Rect& area);
// The pointer in screen pixels.
void setCursor(Point p);
// Screen pixels of a window's client point.
Point toScreen(WindowId window, int x, int y);
// The next createWindow of this class fails.
void failWindowCreation(const std::string& className);

// Posts a pointer message to a window at client (x, y) and moves the cursor
// there, as the desktop would.
void postPointer(WindowId window, MessageKind kind, int x, int y);
void postKey(WindowId window, MessageKind kind, Key key);
void postCommand(WindowId window, int command);
// Posts MouseLeave if the window asked for one (the request is then used up).
bool pointerLeaves(WindowId window);
// Files dropped on a window.
void dropFiles(WindowId window, const std::vector<std::string>& paths);

// Addresses passed to openUrl and programs started, oldest first.
const std::vector<std::string>& openedUrls();
// openUrl answers that nothing could open the address (a desktop without a
// browser) while `fail` is set.
void failOpeningUrls(bool fail);
const std::vector<std::string>& startedPrograms();
void setProgramPath(const std::string& path);

// Single instance: pretend another instance holds the lock (second start),
// and whether it answers hand-over notices.
void setOtherInstanceRunning(bool running, bool answers = true);
// Hand-over notices sent by notifyFirstInstance.
int notificationsSent();
// The private runtime directory of runtimeFilePath; with none set, files
// named there are in the current directory.
void setRuntimeDirectory(const std::string& directory);

// The part of the window's picture announced as changed since the last call
// (what a desktop would draw again), which then counts as drawn; empty when
// nothing changed.
Rect takeChangedPart(WindowId window);

// Tooltips of a window.
std::vector<std::pair<Rect, std::string>> tooltips(WindowId window);

// Runs the action when the virtual clock has reached `seconds`, from the
// message pump (so also inside nested loops such as the splash's).
void atTime(long double seconds, std::function<void()> action);

// The virtual clock and the passes ended.
long double now();
int passesEnded();
bool lastPassMayBlock();
// The time the last pass's wait was to end by at the latest (0: none).
long double lastPassWakeAt();
// Seconds between the last two pass ends.
long double lastPassPeriod();

}  // namespace sc::platform::headless
