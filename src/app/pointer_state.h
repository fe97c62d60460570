// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pointer record every pointer-aware window keeps. Panels are driven by
// these records rather than by the messages themselves: a panel's update
// reads its own record after every message, and the main loop paints from
// the canvas's record.
#include <array>
#include <cstddef>

#include "engine/canvas.h"
#include "engine/numeric.h"

namespace sc {

struct PointerState {
    bool leftDown = false;
    bool rightDown = false;
    int x = 0;  // client pixels of the record's window
    int y = 0;
};

enum PointerIndex : std::size_t {
    kCanvasPointer = 0,
    kToolsPointer,
    kColoursPointer,
    kPropertiesPointer,
    kStylesPointer,
    kPalettePointer,
    kLayersPointer,
    kPointerCount,
};

// The records of the pointer-aware windows.
struct PointerStates {
    std::array<PointerState, kPointerCount> all{};

    PointerState& operator[](PointerIndex which) { return all[which]; }
    const PointerState& operator[](PointerIndex which) const { return all[which]; }
    // Not down (both buttons); x and y keep their last values.
    void release(PointerIndex which);
    void releaseAll();
    void releaseOthers(PointerIndex own);
    bool anyDown() const;
};

// The cell a tool applies at under pixel v of the canvas's window at this
// zoom: trunc(v / zoom), the quotient in double precision, on the document; a
// canvas not yet a document is shown at its own size.
inline int toolCellAt(const Canvas& canvas, int v, float zoom) {
    return canvas.kind == kDocumentCanvasKind ? truncToInt(v / static_cast<double>(zoom)) : v;
}

}  // namespace sc
