// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pen pressure: how the pressure a tablet reports for a pointer position
// shapes the stroke settings. A mouse reports pressure 1, which changes
// nothing.
#include <cstdint>

#include "tools/brush_settings.h"

namespace sc {

// What pen pressure scales while a stroke runs.
enum class PressureTarget : std::uint8_t { None, Strength, Size, StrengthAndSize };

struct PenResponse {
    PressureTarget target = PressureTarget::Strength;
    // The pressure p (0..1) counts as p raised to this power; 1 is linear,
    // above 1 a light touch counts for less.
    float curve = 1.0f;
};

// The pressure as it counts: p clamped to 0..1 (anything else, NaN
// included, counts as 1) raised to the curve's power.
double pressureFactor(float pressure, float curve);

// Scales the stroke settings after the stroke dynamics: strength times the
// factor, and size times the factor truncated, at least 1, as the target
// chooses. A factor of 1 leaves every bit as it was.
void applyPressure(BrushSettings& stroke, float pressure, const PenResponse& pen);

}  // namespace sc
