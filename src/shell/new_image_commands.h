// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File, New and Image, Image Size: a size from the New Image dialog, checked,
// then a blank painting of that size or the painting resampled to it.

namespace sc {

struct Program;

inline constexpr const char* kSizeLimitText =
    "The document can be no less than 1x1 pixels and no greater than %dx%d pixels!";
inline constexpr int kMaxDocumentSide = 2000;

// Whether a size from the New Image dialog is allowed; shows the warning
// when it is not.
bool checkDocumentSize(int width, int height);
void newCommand(Program& p);
void imageSizeCommand(Program& p);

}  // namespace sc
