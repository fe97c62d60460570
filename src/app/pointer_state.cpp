// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pointer_state.h"

namespace sc {

void PointerStates::release(PointerIndex which) {
    all[which].leftDown = false;
    all[which].rightDown = false;
}

void PointerStates::releaseAll() {
    for (std::size_t i = 0; i < kPointerCount; ++i) release(static_cast<PointerIndex>(i));
}

void PointerStates::releaseOthers(PointerIndex own) {
    for (std::size_t i = 0; i < kPointerCount; ++i) {
        if (i != own) release(static_cast<PointerIndex>(i));
    }
}

bool PointerStates::anyDown() const {
    for (const PointerState& p : all) {
        if (p.leftDown || p.rightDown) return true;
    }
    return false;
}

}  // namespace sc
