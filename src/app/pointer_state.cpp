#include "app/pointer_state.h"

#include "app/shell_state.h"

namespace sc {

PointerState& pointer(PointerIndex which) { return shell().pointers[which]; }

void releasePointer(PointerIndex which) {
    PointerState& p = pointer(which);
    p.leftDown = false;
    p.rightDown = false;
}

void releaseAllPointers() {
    for (std::size_t i = 0; i < kPointerCount; ++i) releasePointer(static_cast<PointerIndex>(i));
}

void releaseOtherPointers(PointerIndex own) {
    for (std::size_t i = 0; i < kPointerCount; ++i) {
        if (i != own) releasePointer(static_cast<PointerIndex>(i));
    }
}

bool anyPointerDown() {
    for (const PointerState& p : shell().pointers) {
        if (p.leftDown || p.rightDown) return true;
    }
    return false;
}

}  // namespace sc
