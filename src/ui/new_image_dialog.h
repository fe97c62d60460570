// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The New Image dialog: a small skinned window "New Image" with a width and a
// height field and the OK and Cancel buttons, run modally by its own loop.
// File, New and Image, Image Size ask it for a size and check the answer.
#include <string>

#include "platform/windows.h"

namespace sc {

struct FloatingWindows;
struct ShellState;

inline constexpr const char* kNewImageClass = "FileNewClass";
inline constexpr const char* kNewImageCaption = "New Image";
inline constexpr int kNewImageCancelled = -1;
inline constexpr int kNewImageDefaultSide = 600;
inline constexpr int kWidthFieldId = 5500;
inline constexpr int kHeightFieldId = 5501;

struct NewImageSize {
    int width = 0;  // kNewImageCancelled when the user cancelled or closed it
    int height = 0;
};

// Shows the dialog (class "FileNewClass") with the two fields filled in and
// waits until OK, Cancel or the caption's close button ends it. Every other
// window of the program (the frame, its document area and the floating
// panels) is disabled meanwhile. The values are the fields as last changed;
// a field that is not an unsigned number reads 0.
NewImageSize runNewImageDialog(ShellState& s, const FloatingWindows& floating, int width, int height);

// A field's text as an unsigned number (as the desktop reads one): digits
// after optional leading blanks, nothing after them, at most 4294967295;
// anything else reads 0. The number is kept in an int as it is.
int fieldNumber(const std::string& text);

}  // namespace sc
