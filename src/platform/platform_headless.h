#pragma once
// Test controls of the headless platform: what message boxes were shown and
// which answers the next questions receive.
#include <string>
#include <vector>

#include "platform/platform.h"

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
// with only OK answers Ok, and a question answers its most cautious button
// (No, or Cancel where offered).
void plantAnswer(Answer answer);
void clearPlantedAnswers();

// Forgets every message shown and answer planted.
void reset();

// Whether message boxes are also printed to standard error (on by default).
void setEchoMessages(bool echo);

}  // namespace sc::platform::headless
