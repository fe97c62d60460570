// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The headless platform's own state, shared by its source files: a record
// for each header of the seam it stands behind.
#include <deque>
#include <functional>
#include <map>
#include <utility>
#include <optional>
#include <string>
#include <vector>

#include "engine/surface.h"
#include "platform/platform_headless.h"

namespace sc::platform::headless {

// What the dialogs of dialogs.h showed and the answers planted for them.
struct DialogState {
    std::vector<ShownMessage> shown;
    std::deque<Answer> planted;
    bool echo = true;
    std::deque<std::optional<std::string>> choices;
    std::vector<std::string> choosers;
    std::vector<FileChoice> choiceDetails;
    std::deque<std::optional<int>> numbers;  // answers of askNumber; nothing: cancelled
    std::vector<NumberQuestion> numberQuestions;
    std::deque<std::optional<std::string>> texts;  // answers of askText; nothing: cancelled
    std::vector<TextQuestion> textQuestions;
    std::deque<std::optional<PenChoice>> penAnswers;  // nothing: cancelled
    std::vector<PenChoice> penDialogs;                // what each Pen dialog started from
};

// Printing (dialogs.h): planted dialog answers, the kept page and what was printed.
struct PrintState {
    std::deque<std::optional<Point>> pageSetupAnswers;
    std::deque<std::optional<int>> printAnswers;  // copies asked for; nothing: cancelled
    Point printerPage{4960, 7016};
    int pageSetupsShown = 0;
    int printDialogsShown = 0;
    bool failPrintStart = false;
    bool pageOpen = false;
    PrintedPage page;
    int pagesPrinted = 0;
};

// The edit fields of furniture.h, by window and id: their text.
struct FurnitureState {
    std::map<std::pair<WindowId, int>, std::string> editFields;
    bool failEditFields = false;
};

// windows.h and drawing.h: the desktop, the cursor, a window class made to
// fail, and the parts of window pictures announced as changed, not yet taken.
struct WindowState {
    Rect desktop{0, 0, 1280, 1000};
    Point cursor;
    std::string failClass;
    std::map<WindowId, Rect> changed;
};

// desktop.h: addresses opened, programs started, and the single instance.
struct DesktopState {
    std::vector<std::string> urls;
    bool failUrls = false;  // the desktop's opener fails
    std::vector<std::string> started;
    std::string programPath = "/usr/local/bin/smudgecraft";
    bool otherInstance = false;
    bool otherAnswers = true;
    bool holding = false;
    WindowId handOverWindow = kNoWindow;
    int notifications = 0;
    std::string runtimeDirectory;
};

// desktop.h's clock: the virtual time in seconds and the passes, and the
// actions a test scheduled on it, run by the message pump.
struct ClockState {
    long double now = 0.0L;
    int passes = 0;
    bool lastMayBlock = false;
    long double lastWakeAt = 0.0L;
    long double lastPassEnd = 0.0L;
    long double lastPeriod = 0.0L;
    std::vector<std::pair<long double, std::function<void()>>> timed;
};

struct HeadlessState {
    DialogState dialogs;
    PrintState printing;
    FurnitureState furniture;
    WindowState windows;
    DesktopState desktop;
    ClockState clock;
};

HeadlessState& state();

}  // namespace sc::platform::headless
