#pragma once
// The key handler shared by every window of the program: Ctrl+Z undoes, and
// the Space bar holds the Hand Tool in place of the current tool.

namespace sc {

// key: virtual-key code (17 Control, 32 Space, 90 Z); codes outside 0..255
// are ignored.
void canvasKeyEvent(int key, bool pressed);

}  // namespace sc
