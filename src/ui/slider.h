// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A horizontal track with a knob, value 0 to 100, drawn from skin pictures.
// One slider at a time holds the pointer (the capture) until the main loop
// lets go of it.
#include <cstdint>

#include "engine/surface.h"

namespace sc {

struct ShellState;

// What the program's sliders share: their pictures (made on first use), the
// ids handed out, and the capture.
struct SliderShared {
    bool built = false;
    Surface stripe;
    Surface knob;
    Surface disabledStripe;
    Surface disabledKnob;
    int lastId = 0;
    // The captured slider's id (0: none); the main loop clears it on every
    // pass in which no canvas, colours or properties pointer is down.
    int captured = 0;
};

class Slider {
public:
    // Takes the next id, makes the shared pictures on first use (the skin's
    // "tab" knob when there is one), makes the tracks; value 100, enabled.
    void init(SliderShared& shared, ShellState& s, int x, int y, int length);
    // True when the slider took the pointer: pressed, enabled, not beaten to
    // the capture by another slider, and inside the knob's band.
    bool drag(SliderShared& shared, int px, int py, bool pressed);
    void draw(Surface& target) const;

    int id = 0;
    int x = 0;
    int y = 0;
    int length = 0;
    float value = 100.0f;
    Surface track;
    const Surface* knob = nullptr;
    Surface disabledTrack;
    const Surface* disabledKnob = nullptr;
    std::uint8_t enabled = 1;
};

}  // namespace sc
