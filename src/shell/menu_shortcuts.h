// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyboard shortcuts of menu commands: the text the menu shows beside an
// item, and the keys that make its command. The keys come through the key
// handler shared by every window (canvasKeyEvent), so they work wherever the
// program has the keyboard: the frame, the canvas, a panel.
#include <string>

#include "platform/windows.h"
#include "shell/frame_window.h"

namespace sc {

struct Program;

struct MenuShortcut {
    int command;
    platform::Key key;  // held together with Control
    bool shift;         // Shift and Alt must be held exactly as given
    bool alt;
    const char* text;  // as the menu shows it
};

inline constexpr MenuShortcut kMenuShortcuts[] = {
    {kCmdNew, platform::characterKey('N'), false, false, "Ctrl+N"},
    {kCmdOpen, platform::characterKey('O'), false, false, "Ctrl+O"},
    {kCmdSave, platform::characterKey('S'), false, false, "Ctrl+S"},
    {kCmdPrint, platform::characterKey('P'), false, false, "Ctrl+P"},
    {kCmdExit, platform::characterKey('Q'), false, false, "Ctrl+Q"},
    {kCmdStepBackward, platform::characterKey('Z'), false, true, "Ctrl+Alt+Z"},
    {kCmdStepForward, platform::characterKey('Z'), true, false, "Ctrl+Shift+Z"},
    {kCmdNewLayer, platform::characterKey('N'), true, false, "Ctrl+Shift+N"},
    {kCmdDuplicateLayer, platform::characterKey('J'), false, false, "Ctrl+J"},
    {kCmdMergeDown, platform::characterKey('E'), false, false, "Ctrl+E"},
};

// The text shown beside the command's menu item; empty for none.
std::string shortcutTextOf(int command);

// Runs the shortcut whose keys are all held (as the canvas view's key state
// records them); its key then counts as released, so it
// must be pressed again (Control may stay down) to act again. Posts the
// command to the frame, as choosing the item does. False when none matched.
bool runMenuShortcut(Program& p);

}  // namespace sc
