#pragma once
// The headless platform's own state, shared by its source files.
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

struct HeadlessState {
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
    // Edit fields by window and id: their text.
    std::map<std::pair<WindowId, int>, std::string> editFields;
    bool failEditFields = false;
    // Printing: planted dialog answers, the kept page and what was printed.
    std::deque<std::optional<Point>> pageSetupAnswers;
    std::deque<std::optional<int>> printAnswers;  // copies asked for; nothing: cancelled
    Point printerPage{4960, 7016};
    int pageSetupsShown = 0;
    int printDialogsShown = 0;
    bool failPrintStart = false;
    bool pageOpen = false;
    PrintedPage page;
    int pagesPrinted = 0;
    std::deque<std::optional<PenChoice>> penAnswers;  // nothing: cancelled
    std::vector<PenChoice> penDialogs;                // what each Pen dialog started from
    std::vector<std::string> urls;
    std::vector<std::string> started;
    std::string programPath = "/usr/local/bin/smudgecraft";
    Rect desktop{0, 0, 1280, 1000};
    Point cursor;
    std::string failClass;
    // Parts of window pictures announced as changed, not yet taken.
    std::map<WindowId, Rect> changed;
    // Single instance.
    bool otherInstance = false;
    bool otherAnswers = true;
    bool holding = false;
    WindowId handOverWindow = kNoWindow;
    int notifications = 0;
    std::string runtimeDirectory;
    // The virtual clock, in seconds, and the passes.
    long double now = 0.0L;
    int passes = 0;
    bool lastMayBlock = false;
    long double lastWakeAt = 0.0L;
    long double lastPassEnd = 0.0L;
    long double lastPeriod = 0.0L;
    // Actions a test scheduled on the virtual clock, run by the message pump.
    std::vector<std::pair<long double, std::function<void()>>> timed;
};

HeadlessState& state();

}  // namespace sc::platform::headless
