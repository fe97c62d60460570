// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File, Page Setup and File, Print: the rendered painting on one page,
// scaled to fit the printable area with a margin and centred.
#include <cstdint>

namespace sc {

struct ShellState;

inline constexpr const char* kPrintDocumentName = "Bitmap Printing Test";

// Where the picture lands on the page, in device pixels.
struct PrintPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Fits a canvas of canvasWidth x canvasHeight to a printable page of
// pageWidth x pageHeight: scaled to the page width, or to the page height
// when that is too tall; then 0.9 of that, centred.
PrintPlacement fitToPage(std::uint32_t canvasWidth, std::uint32_t canvasHeight, int pageWidth, int pageHeight);

// Shows the page-setup dialog; its settings apply to the next Print.
void pageSetup();
// Renders the painting and prints it on one page, once for every copy the
// print dialog asked for.
void printPainting(ShellState& s);

}  // namespace sc
