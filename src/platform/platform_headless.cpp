// SPDX-License-Identifier: GPL-3.0-or-later
// The headless seam: message boxes and file choosers answered from queues,
// desktop services recorded, and the test controls of platform_headless.h.
#include "platform/platform_headless.h"

#include <algorithm>
#include <cstdio>
#include <deque>

#include "platform/platform_headless_state.h"
#include "platform/platform_shared.h"

namespace sc::platform {
namespace {

// What a box answers when nobody chooses: closed without a choice.
Answer unansweredAnswer(Buttons buttons) { return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel; }

std::optional<std::string> nextChoice(const FileChoice& choice) {
    headless::HeadlessState& s = headless::state();
    s.dialogs.choosers.push_back(choice.title);
    s.dialogs.choiceDetails.push_back(choice);
    if (s.dialogs.choices.empty()) return std::nullopt;
    std::optional<std::string> c = s.dialogs.choices.front();
    s.dialogs.choices.pop_front();
    // The dialog appends the default extension to a name typed without one.
    if (c && !choice.defaultExtension.empty()) {
        const std::size_t slash = c->find_last_of('/');
        const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
        if (name < c->size() && c->find('.', name) == std::string::npos) *c += "." + choice.defaultExtension;
    }
    return c;
}

}  // namespace

Answer messageBox(WindowId owner, const std::string& caption, const std::string& text, Buttons buttons, Icon icon) {
    detail::beforeModal();
    headless::HeadlessState& s = headless::state();
    s.dialogs.shown.push_back({owner, caption, text, buttons, icon});
    if (s.dialogs.echo) std::fprintf(stderr, "%s\n", text.c_str());
    detail::enableOwnerForModal(owner, false);
    Answer a = unansweredAnswer(buttons);
    if (!s.dialogs.planted.empty()) {
        a = s.dialogs.planted.front();
        s.dialogs.planted.pop_front();
    }
    detail::enableOwnerForModal(owner, true);
    return a;
}

std::optional<std::string> chooseOpenFile(WindowId, const FileChoice& choice) {
    detail::beforeModal();
    return nextChoice(choice);
}

std::optional<int> askNumber(WindowId owner, const std::string& caption, const std::string& label, int value,
                             int minimum, int maximum) {
    detail::beforeModal();
    headless::HeadlessState& s = headless::state();
    s.dialogs.numberQuestions.push_back({caption, label, value, minimum, maximum});
    detail::enableOwnerForModal(owner, false);
    std::optional<int> answer;
    if (!s.dialogs.numbers.empty()) {
        answer = s.dialogs.numbers.front();
        s.dialogs.numbers.pop_front();
    }
    detail::enableOwnerForModal(owner, true);
    if (answer) answer = std::clamp(*answer, minimum, maximum);
    return answer;
}
std::optional<std::string> chooseSaveFile(WindowId, const FileChoice& choice) {
    detail::beforeModal();
    return nextChoice(choice);
}

std::optional<std::string> askText(WindowId owner, const std::string& caption, const std::string& label,
                                   const std::string& text, int maxLength) {
    headless::HeadlessState& s = headless::state();
    s.dialogs.textQuestions.push_back({caption, label, text, maxLength});
    detail::enableOwnerForModal(owner, false);
    std::optional<std::string> answer;
    if (!s.dialogs.texts.empty()) {
        answer = s.dialogs.texts.front();
        s.dialogs.texts.pop_front();
    }
    detail::enableOwnerForModal(owner, true);
    // The field takes no more than its length, as the desktop's does.
    if (answer && maxLength >= 0 && answer->size() > static_cast<std::size_t>(maxLength)) answer->resize(maxLength);
    return answer;
}

std::optional<PenChoice> penDialog(WindowId owner, const PenChoice& choice, float, float) {
    detail::beforeModal();
    headless::HeadlessState& s = headless::state();
    s.dialogs.penDialogs.push_back(choice);
    detail::enableOwnerForModal(owner, false);
    std::optional<PenChoice> answer;
    if (!s.dialogs.penAnswers.empty()) {
        answer = s.dialogs.penAnswers.front();
        s.dialogs.penAnswers.pop_front();
    }
    detail::enableOwnerForModal(owner, true);
    return answer;
}

bool openUrl(const std::string& address) {
    headless::state().desktop.urls.push_back(address);
    return !headless::state().desktop.failUrls;
}

std::string programPath() { return headless::state().desktop.programPath; }

// No screen here to take a picture of.
bool saveScreenPicture(const std::string&) { return false; }

bool startDetached(const std::string& program, const std::vector<std::string>& arguments) {
    std::string line = program;
    for (const std::string& a : arguments) line += " " + a;
    headless::state().desktop.started.push_back(line);
    return true;
}

namespace headless {

HeadlessState& state() {
    static HeadlessState s;
    return s;
}

const std::vector<ShownMessage>& shownMessages() { return state().dialogs.shown; }
void clearShownMessages() { state().dialogs.shown.clear(); }
void plantAnswer(Answer answer) { state().dialogs.planted.push_back(answer); }
void clearPlantedAnswers() { state().dialogs.planted.clear(); }
void plantPenAnswer(std::optional<PenChoice> answer) { state().dialogs.penAnswers.push_back(answer); }
const std::vector<PenChoice>& shownPenDialogs() { return state().dialogs.penDialogs; }
void setEchoMessages(bool echo) { state().dialogs.echo = echo; }
void plantFileChoice(std::optional<std::string> path) { state().dialogs.choices.push_back(std::move(path)); }
const std::vector<std::string>& shownFileChoosers() { return state().dialogs.choosers; }
const std::vector<FileChoice>& shownFileChoices() { return state().dialogs.choiceDetails; }
void plantNumber(std::optional<int> number) { state().dialogs.numbers.push_back(number); }
const std::vector<NumberQuestion>& shownNumberQuestions() { return state().dialogs.numberQuestions; }
void plantText(std::optional<std::string> text) { state().dialogs.texts.push_back(std::move(text)); }
const std::vector<TextQuestion>& shownTextQuestions() { return state().dialogs.textQuestions; }

void reset() {
    detail::resetShared();
    const bool echo = state().dialogs.echo;
    state() = HeadlessState{};
    state().dialogs.echo = echo;
}

void setDesktopArea(const Rect& area) { state().windows.desktop = area; }
void setCursor(Point p) { state().windows.cursor = p; }

Point toScreen(WindowId window, int x, int y) {
    const Point o = detail::screenOrigin(window);
    return {o.x + x, o.y + y};
}

void failWindowCreation(const std::string& className) { state().windows.failClass = className; }

void postPointer(WindowId window, MessageKind kind, int x, int y) {
    state().windows.cursor = toScreen(window, x, y);
    Message m;
    m.kind = kind;
    m.window = window;
    m.x = x;
    m.y = y;
    postMessage(m);
}

void postKey(WindowId window, MessageKind kind, Key key) {
    Message m;
    m.kind = kind;
    m.window = window;
    m.key = key;
    postMessage(m);
}

void postCommand(WindowId window, int command) {
    Message m;
    m.kind = MessageKind::Command;
    m.window = window;
    m.command = command;
    postMessage(m);
}

bool pointerLeaves(WindowId window) {
    detail::WindowRecord* w = detail::findRecord(window);
    if (!w || !w->leaveTracking) return false;
    w->leaveTracking = false;
    Message m;
    m.kind = MessageKind::MouseLeave;
    m.window = window;
    postMessage(m);
    return true;
}

void dropFiles(WindowId window, const std::vector<std::string>& paths) { detail::queueDrop(window, paths); }

const std::vector<std::string>& openedUrls() { return state().desktop.urls; }
void failOpeningUrls(bool fail) { state().desktop.failUrls = fail; }
const std::vector<std::string>& startedPrograms() { return state().desktop.started; }
void setProgramPath(const std::string& path) { state().desktop.programPath = path; }

std::vector<std::pair<Rect, std::string>> tooltips(WindowId window) {
    std::vector<std::pair<Rect, std::string>> out;
    if (const detail::WindowRecord* w = detail::findRecord(window)) {
        for (const detail::Tooltip& t : w->tooltips) out.emplace_back(t.rect, t.text);
    }
    return out;
}

}  // namespace headless
}  // namespace sc::platform
