// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seam: the desktop's own controls on the program's windows: the frame's
// menu bar and status bar, tooltips, dropped files and edit fields.
#include <string>
#include <vector>

#include "platform/windows.h"

namespace sc::platform {

// One entry of a menu. A separator has no text; a submenu has items.
struct MenuItem {
    int command = 0;
    std::string text;
    // Shown beside the text, as "Ctrl+N". Only shown: the keys reach the
    // program as key messages, which make the command themselves.
    std::string shortcut;
    std::vector<MenuItem> items;
    bool separator = false;
    bool enabled = true;
};

void setMenuBar(WindowId frame, const std::vector<MenuItem>& menus);
// Shows the item's check mark as the program keeps it.
void setMenuCheck(WindowId frame, int command, bool checked);
// Greys the item out (false) or makes it usable again.
void setMenuEnabled(WindowId frame, int command, bool enabled);

// A status bar along the bottom of the frame with parts ending at the given
// right edges. False if it cannot be made.
bool createStatusBar(WindowId frame, const std::vector<int>& rightEdges);
bool hasStatusBar(WindowId frame);
void setStatusText(WindowId frame, int part, const std::string& text);

// A tip shown while the pointer rests over the rectangle of the window.
bool addTooltip(WindowId window, const Rect& rect, const std::string& text);

// The main window accepts files dropped on it (DropFiles messages).
void acceptDroppedFiles(WindowId frame);

// A one-line text field without a border, w x h at client (x, y) of the
// window. Each time its text changes (by the user or by setEditText) the
// window gets an EditChanged message with the field's id. False when it
// cannot be made.
bool createEditField(WindowId window, int id, int x, int y, int width, int height);
void setEditText(WindowId window, int id, const std::string& text);
// Empty for a field that does not exist.
std::string editText(WindowId window, int id);

}  // namespace sc::platform
