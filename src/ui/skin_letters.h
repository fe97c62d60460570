// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names written on a panel in the skin's own letters: the "letters" picture
// holds one cell per character from ' ' to '~', dark where the letter covers
// the pixel, with the letter's advance marked in the cell's first row.
#include <array>
#include <cstdint>
#include <string>

#include "engine/surface.h"

namespace sc {

struct ShellState;

inline constexpr int kLetterFirst = 32;
inline constexpr int kLetterCount = 95;
inline constexpr int kLetterCellWidth = 12;
inline constexpr int kLetterHeight = 14;

struct SkinLetters {
    Surface picture;                                   // "letters"
    std::array<std::uint8_t, kLetterCount> advance{};  // 0 while the picture is missing
};

// Loads the picture and reads the advances from it.
void loadSkinLetters(ShellState& s, SkinLetters& letters);
// Reads the advances from the picture as it is.
void measureSkinLetters(SkinLetters& letters);

// Writes `text` with its top-left at (x, y) in the colour given, no wider
// than `maxWidth`: a longer text ends in "..." where it is cut. A character
// outside ' '..'~' (each UTF-8 sequence) is written as '?'. Returns the
// width written.
int drawSkinText(const SkinLetters& letters, Surface& target, int x, int y, int maxWidth, const std::string& text,
                 std::uint8_t red, std::uint8_t green, std::uint8_t blue);
// The width `text` takes, uncut.
int skinTextWidth(const SkinLetters& letters, const std::string& text);

}  // namespace sc
