#pragma once
// The pointer record every pointer-aware window keeps, and the common mouse
// and key bookkeeping of the panel window procedures. Panels are driven by
// these records rather than by the messages themselves: a panel's update
// reads its own record after every message.
#include <cstddef>

#include "platform/platform.h"

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

// How a panel treats the left button: the common way (it also arms and
// disarms the press), or as the tools panel does (the press flag alone).
enum class PanelButtons { Common, ToolsPanel };

// The bookkeeping every panel does before its own work: keys go to the
// canvas key handler, pointer messages update the records and the leave
// tracking, activation keeps the floating windows in step. Returns false for
// Activate, after which the panel does nothing more.
bool panelCommonMessage(const platform::Message& m, PointerIndex own, PanelButtons buttons = PanelButtons::Common);

}  // namespace sc
