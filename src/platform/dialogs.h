// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seam: the desktop's modal dialogs: message boxes, file choosers, page
// set-up and printing.
#include <functional>
#include <optional>
#include <string>

#include "platform/windows.h"

namespace sc {
class Surface;
}

namespace sc::platform {

// ---- Before a modal dialog -----------------------------------------------

// Runs `hook` just before each modal dialog starts: the message boxes, the
// file choosers and the other dialogs below, and every modal loop
// (runModalLoop). The main loop stands still while one is up; the hook does
// what must not wait for it to close. An empty hook runs nothing; a dialog
// opened by the hook itself does not run it again.
void setBeforeModalHook(std::function<void()> hook);

// ---- Message boxes -------------------------------------------------------

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Error, Exclamation, Information, Question };
enum class Answer { Ok, Cancel, Yes, No };

// A modal message box; returns the button the user chose. A box closed
// without a choice (Escape, or the window's close button) answers Cancel
// whatever its buttons, except one with only OK, which answers Ok. While it
// is up the program's main window receives Enable(false), and Enable(true)
// after.
Answer messageBox(WindowId owner, const std::string& caption, const std::string& text, Buttons buttons = Buttons::Ok,
                  Icon icon = Icon::None);

// ---- File choosers -------------------------------------------------------

struct FileChoice {
    std::string title;
    std::string filter;            // e.g. "Paintings (*.pai);;All files (*)"
    std::string defaultExtension;  // without the dot
    std::string startPath;
};
// Modal open / save choosers; nothing when cancelled.
std::optional<std::string> chooseOpenFile(WindowId owner, const FileChoice& choice);
std::optional<std::string> chooseSaveFile(WindowId owner, const FileChoice& choice);

// ---- The pen -------------------------------------------------------------

// What pen pressure scales (0 nothing, 1 strength, 2 size, 3 strength and
// size) and the response curve (the pressure counts raised to its power).
struct PenChoice {
    int target = 1;
    float curve = 1.0f;
};
// The small modal "Pen" dialog, starting from `choice`; the curve is kept
// within minCurve..maxCurve. Nothing when cancelled.
std::optional<PenChoice> penDialog(WindowId owner, const PenChoice& choice, float minCurve, float maxCurve);

// ---- Numbers -------------------------------------------------------------

// A small modal dialog asking for a whole number from `minimum` to `maximum`,
// starting at `value`; nothing when cancelled.
std::optional<int> askNumber(WindowId owner, const std::string& caption, const std::string& label, int value,
                             int minimum, int maximum);

// ---- Text ----------------------------------------------------------------

// A small modal dialog asking for one line of text of at most `maxLength`
// bytes, starting with `text`; nothing when cancelled.
std::optional<std::string> askText(WindowId owner, const std::string& caption, const std::string& label,
                                   const std::string& text, int maxLength);

// ---- Printing ------------------------------------------------------------
// One set of printer settings lives for the whole run: the page-setup dialog
// edits it and the print dialog starts from it.

// Shows the page-setup dialog on the kept settings.
void pageSetupDialog();
// Shows the print dialog (copies starting at one, no page ranges, no
// selection) and, when confirmed, starts a document of that name and its
// first page. The printable width and height in device pixels are returned,
// and how many pages the program prints: the copies asked for, or 1 when the
// printer makes the copies itself. False when the dialog was cancelled or
// the document or page could not be started.
bool beginPrintedPage(const std::string& documentName, int& printableWidth, int& printableHeight, int& pages);
// Ends the page and starts the next one of the document; false when the
// printer refused.
bool nextPrintedPage();
// Copies the source rectangle of the surface onto the page rectangle
// (device pixels), stretched.
void printStretched(const Surface& surface, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh);
// Ends the page and the document; false when the printer refused.
bool endPrintedPage();

}  // namespace sc::platform
