#pragma once
// Saving the painting when the user answers Yes to the question asked on
// closing: choose a file, render in high quality, write, and count the
// painting as saved whether or not the write succeeded.

namespace sc {

void saveBeforeClosing();

}  // namespace sc
