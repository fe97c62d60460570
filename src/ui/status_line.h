// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame's status bar: file size, document size, zoom and the hint.
#include <string>
#include <vector>

namespace sc {

struct ShellState;

// Right edges of the four parts, in pixels.
inline const std::vector<int> kStatusPartEdges{120, 200, 290, 800};

// Fills the four parts; does nothing while the frame has no status bar.
void updateStatusLine(const ShellState& s);
// The four texts as updateStatusLine shows them.
std::vector<std::string> statusLineTexts(const ShellState& s);

}  // namespace sc
