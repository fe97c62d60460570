#include "platform/platform_headless.h"

#include <cstdio>
#include <deque>

namespace sc::platform {
namespace {

struct HeadlessState {
    std::vector<headless::ShownMessage> shown;
    std::deque<Answer> planted;
    bool echo = true;
};

HeadlessState& state() {
    static HeadlessState s;
    return s;
}

Answer cautiousAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok: return Answer::Ok;
        case Buttons::YesNo: return Answer::No;
        case Buttons::OkCancel:
        case Buttons::YesNoCancel: return Answer::Cancel;
    }
    return Answer::Cancel;
}

}  // namespace

Answer messageBox(WindowId owner, const std::string& caption, const std::string& text, Buttons buttons,
                  Icon icon) {
    HeadlessState& s = state();
    s.shown.push_back({owner, caption, text, buttons, icon});
    if (s.echo) std::fprintf(stderr, "%s\n", text.c_str());
    if (s.planted.empty()) return cautiousAnswer(buttons);
    Answer a = s.planted.front();
    s.planted.pop_front();
    return a;
}

namespace headless {

const std::vector<ShownMessage>& shownMessages() { return state().shown; }
void clearShownMessages() { state().shown.clear(); }
void plantAnswer(Answer answer) { state().planted.push_back(answer); }
void clearPlantedAnswers() { state().planted.clear(); }
void setEchoMessages(bool echo) { state().echo = echo; }
void reset() {
    state().shown.clear();
    state().planted.clear();
}

}  // namespace headless
}  // namespace sc::platform
