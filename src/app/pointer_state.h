#pragma once
// The pointer record every pointer-aware window keeps. Panels are driven by
// these records rather than by the messages themselves: a panel's update
// reads its own record after every message, and the main loop paints from
// the canvas's record.
#include <cstddef>

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
    kPointerCount,
};

PointerState& pointer(PointerIndex which);
// Not down (both buttons); x and y keep their last values.
void releasePointer(PointerIndex which);
void releaseAllPointers();
void releaseOtherPointers(PointerIndex own);
bool anyPointerDown();

}  // namespace sc
