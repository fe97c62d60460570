// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running desktop program: everything that lives for the whole run, in
// one record that the program's main function owns and hands down. The
// layers below see only their part of it (the shell's state, the panels).
#include <string>

#include "app/autosave.h"
#include "app/message_script.h"
#include "app/pass_stats.h"
#include "app/shell_state.h"
#include "platform/windows.h"
#include "shell/splash.h"
#include "ui/panels.h"

namespace sc {

struct Program {
    ShellState state;
    Panels panels;
    // The last message the main loop removed: a pointer move is delivered
    // again while nothing new arrives.
    platform::Message lastMessage;
    MessageScript script;
    PassStats passStats;
    SplashState splashWindow;  // the splash on screen, if any
    Autosave autosave;
    std::string hintUnderNotice;  // the status hint the autosave's notice covers
    std::string shownTitle;       // the frame's title as last set
};

}  // namespace sc
