// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/message_script.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/file_commands.h"
#include "app/shell_state.h"
#include "platform/desktop.h"
#include "platform/windows.h"

namespace sc {
namespace {

using platform::Message;
using platform::MessageKind;

void load(MessageScript& script) {
    script.read = true;
    const char* path = std::getenv(kMessageScriptVariable);
    if (!path || !*path) return;
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "smudgecraft: cannot read the message script '%s'\n", path);
        return;
    }
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        script.lines.push_back(line);
    }
}

void post(MessageKind kind, platform::WindowId window, int x, int y, int command) {
    Message m;
    m.kind = kind;
    m.window = window;
    m.x = x;
    m.y = y;
    m.command = command;
    platform::postMessage(m);
}

// Runs one line; false when it cannot be read.
bool step(MessageScript& script, ShellState& s, const std::string& line) {
    std::istringstream words(line);
    std::string verb, rest, extra;
    words >> verb;
    if (verb.empty() || verb[0] == '#') return true;
    long a = 0, b = 0;
    if (verb == "wait" && words >> a && a >= 1 && a <= 100000 && !(words >> rest)) {
        script.waiting = a - 1;
    } else if ((verb == "move" || verb == "press" || verb == "release") && words >> a >> b && !(words >> rest) &&
               a >= 0 && b >= 0 && a < 65536 && b < 65536) {
        const MessageKind kind = verb == "move"    ? MessageKind::MouseMove
                                 : verb == "press" ? MessageKind::LeftDown
                                                   : MessageKind::LeftUp;
        post(kind, s.windows.canvas, static_cast<int>(a), static_cast<int>(b), 0);
    } else if (verb == "command" && words >> a && !(words >> rest) && a > 0 && a < 65536) {
        post(MessageKind::Command, s.frameWindow, 0, 0, static_cast<int>(a));
    } else if (verb == "save" && words >> rest && !(words >> extra)) {
        // A save that fails shows its own message; the script goes on.
        static_cast<void>(saveCommandTo(s, rest));
    } else if (verb == "picture" && words >> rest && !(words >> extra)) {
        if (!platform::saveScreenPicture(rest)) {
            std::fprintf(stderr, "smudgecraft: no picture of the screen could be written to '%s'\n", rest.c_str());
        }
    } else {
        return false;
    }
    return true;
}

}  // namespace

void postScriptedMessage(MessageScript& script, ShellState& s) {
    if (!script.read) load(script);
    if (script.waiting > 0) {
        --script.waiting;
        return;
    }
    // Skipped lines cost no pass; a step that posts or waits ends this pass's turn.
    while (script.next < script.lines.size()) {
        const std::size_t number = ++script.next;
        const std::string& line = script.lines[number - 1];
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        if (!step(script, s, line)) {
            std::fprintf(stderr, "smudgecraft: %s line %zu cannot be read: %s\n", kMessageScriptVariable, number,
                         line.c_str());
            script.next = script.lines.size();
        }
        return;
    }
}

bool messageScriptRunning(const MessageScript& script) {
    return script.waiting > 0 || script.next < script.lines.size();
}

}  // namespace sc
