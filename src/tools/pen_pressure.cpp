// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/pen_pressure.h"

#include <cmath>

#include "engine/numeric.h"

namespace sc {

double pressureFactor(float pressure, float curve) {
    if (!(pressure >= 0.0f && pressure <= 1.0f)) return 1.0;
    return std::pow(static_cast<double>(pressure), static_cast<double>(curve));
}

void applyPressure(BrushSettings& stroke, float pressure, const PenResponse& pen) {
    const double k = pressureFactor(pressure, pen.curve);
    if (k == 1.0) return;
    const bool strength = pen.target == PressureTarget::Strength || pen.target == PressureTarget::StrengthAndSize;
    const bool size = pen.target == PressureTarget::Size || pen.target == PressureTarget::StrengthAndSize;
    if (strength) stroke.strength = static_cast<float>(stroke.strength * k);
    if (size) {
        const std::int32_t scaled = truncToInt(stroke.size * k);
        stroke.size = scaled < 1 ? 1 : scaled;
    }
}

}  // namespace sc
