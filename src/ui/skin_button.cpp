// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin_button.h"

#include "engine/surface.h"
#include "platform/drawing.h"

namespace sc {
namespace {

// Edges included; compared unsigned so that negative points never hit.
bool holds(const SkinButton& b, int px, int py) {
    const auto u = [](int v) { return static_cast<std::uint32_t>(v); };
    return u(px) >= u(b.x) && u(px) <= u(b.x + b.width) && u(py) >= u(b.y) && u(py) <= u(b.y + b.height);
}

// The hit entry's reaction; true when it fires.
bool react(SkinButton& b, bool pressed) {
    switch (b.kind) {
        case kPushButton:
            if (pressed) {
                b.state = kButtonDown;
                return false;
            }
            if (b.previousState == kButtonDown) {
                b.state = kButtonNormal;
                return true;
            }
            b.state = kButtonHot;
            return false;
        case kToggleButton:
            if (pressed) {
                if (b.latch > 0) return false;
                b.latch = 1;
                b.state = b.state == kButtonDown ? kButtonNormal : kButtonDown;
                return true;
            }
            b.latch = 0;
            if (b.state == kButtonNormal) b.state = kButtonHot;
            return false;
        case kRepeatButton: b.state = pressed ? kButtonDown : kButtonHot; return pressed;
        default: return false;  // static: takes the hit, nothing happens
    }
}

}  // namespace

void SkinButtonTable::add(int index, int x, int y, const Surface* normal, const Surface* hot, const Surface* down,
                          std::uint8_t kind) {
    if (index < 0 || index >= kSize) return;
    SkinButton& b = entries_[static_cast<std::size_t>(index)];
    b.x = x;
    b.y = y;
    b.width = normal ? static_cast<int>(normal->width()) : 0;
    b.height = normal ? static_cast<int>(normal->height()) : 0;
    b.kind = kind;
    b.images = {normal, hot, down};
    b.visible = 1;
    b.active = 1;
}

int SkinButtonTable::hitTest(int x, int y, bool pressed) {
    int fired = -1;
    bool hitTaken = false;
    for (int i = 0; i < kSize; ++i) {
        SkinButton& b = entries_[static_cast<std::size_t>(i)];
        if (!hitTaken && b.visible && b.active && holds(b, x, y)) {
            hitTaken = true;
            if (react(b, pressed)) fired = i;
        } else if (b.kind == kToggleButton) {
            if (b.state == kButtonHot) b.state = kButtonNormal;  // a down toggle stays down
        } else {
            b.state = kButtonNormal;
        }
        b.previousState = b.state;
    }
    return fired;
}

void SkinButtonTable::drawTo(platform::WindowId window) const {
    for (const SkinButton& b : entries_) {
        const Surface* image = b.state < 3 ? b.images[b.state] : nullptr;
        if (b.visible && image) platform::blit(window, *image, b.x, b.y);
    }
}

void SkinButtonTable::drawOnto(Surface& target) const {
    for (const SkinButton& b : entries_) {
        const Surface* image = b.state < 3 ? b.images[b.state] : nullptr;
        if (b.visible && image) image->blitToSurface(b.x, b.y, target);
    }
}

}  // namespace sc
