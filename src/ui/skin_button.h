// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Image buttons drawn from skin pictures: a table of 64 entries addressed by
// index, with four behaviours (push, toggle, repeat, static).
#include <array>
#include <cstdint>

#include "platform/windows.h"

namespace sc {

class Surface;

enum SkinButtonKind : std::uint8_t {
    kPushButton = 0,    // fires when released over it after being pressed over it
    kToggleButton = 1,  // flips and fires once per press
    kRepeatButton = 2,  // fires on every call while pressed over it
    kStaticButton = 3,  // a picture that takes the hit and never fires
};

enum SkinButtonState : std::uint8_t { kButtonNormal = 0, kButtonHot = 1, kButtonDown = 2 };

struct SkinButton {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::uint8_t kind = kPushButton;
    int latch = 0;
    std::uint8_t state = kButtonNormal;
    std::uint8_t previousState = kButtonNormal;
    std::uint8_t visible = 0;
    std::array<const Surface*, 3> images{};  // normal, hot, down; not owned
    std::uint8_t active = 0;
};

class SkinButtonTable {
public:
    static constexpr int kSize = 64;

    // Fills entry `index`: position, size from the normal image, kind and the
    // three images; visible and active. The state is left as it was.
    void add(int index, int x, int y, const Surface* normal, const Surface* hot, const Surface* down,
             std::uint8_t kind);
    // Index of the button that fired at (x, y), or -1. The first visible,
    // active entry holding the point (edges included) takes the hit.
    int hitTest(int x, int y, bool pressed);
    // Every visible entry's image for its state, in index order.
    void drawTo(platform::WindowId window) const;
    void drawOnto(Surface& target) const;

    SkinButton& operator[](int index) { return entries_[static_cast<std::size_t>(index)]; }
    const SkinButton& operator[](int index) const { return entries_[static_cast<std::size_t>(index)]; }

private:
    std::array<SkinButton, kSize> entries_{};
};

}  // namespace sc
