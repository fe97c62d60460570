// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/print.h"

#include "app/shell_state.h"
#include "engine/numeric.h"
#include "engine/renderer.h"
#include "platform/dialogs.h"

namespace sc {

PrintPlacement fitToPage(std::uint32_t canvasWidth, std::uint32_t canvasHeight, int pageWidth, int pageHeight) {
    // Quotients in extended precision, each size truncated.
    const long double cw = canvasWidth;
    const long double ch = canvasHeight;
    long double s = cw / static_cast<long double>(pageWidth);
    std::int32_t w = truncToInt(cw / s);
    std::int32_t h = truncToInt(ch / s);
    if (static_cast<std::uint32_t>(h) > static_cast<std::uint32_t>(pageHeight)) {
        s = ch / static_cast<long double>(pageHeight);
        w = truncToInt(cw / s);
        h = truncToInt(ch / s);
    }
    // The margin: the single-precision 0.9 (0.89999998).
    constexpr float kMargin = 0.9f;
    w = truncToInt(static_cast<double>(w) * static_cast<double>(kMargin));
    h = truncToInt(static_cast<double>(h) * static_cast<double>(kMargin));
    PrintPlacement p;
    p.width = w;
    p.height = h;
    p.x = pageWidth / 2 - w / 2;
    p.y = pageHeight / 2 - h / 2;
    return p;
}

void pageSetup() { platform::pageSetupDialog(); }

void printPainting(ShellState& s) {
    Canvas& document = s.painting.document;
    if (document.hasCells()) renderAll(document);
    int pageWidth = 0;
    int pageHeight = 0;
    int copies = 1;
    if (!platform::beginPrintedPage(kPrintDocumentName, pageWidth, pageHeight, copies)) return;
    // An empty page or painting has nothing to place; the job still ends.
    const bool placed =
        pageWidth > 0 && pageHeight > 0 && document.width > 0 && document.height > 0 && document.surface.valid();
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0 && !platform::nextPrintedPage()) break;
        if (!placed) continue;
        const PrintPlacement p = fitToPage(document.width, document.height, pageWidth, pageHeight);
        platform::printStretched(document.surface, 0, 0, static_cast<int>(document.width),
                                 static_cast<int>(document.height), p.x, p.y, p.width, p.height);
    }
    platform::endPrintedPage();
}

}  // namespace sc
