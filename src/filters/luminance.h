// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The luminance used by Desaturate, Aqua and Outline.
#include <cstdint>

namespace sc {

inline constexpr float kLuminanceGreen = 0.3f;
inline constexpr float kLuminanceRed = 0.59f;
inline constexpr float kLuminanceBlue = 0.11f;

// green * 0.3 + red * 0.59 + blue * 0.11 with single-precision weights (0.3 is
// on green, 0.59 on red), products and sum in extended precision. White gives
// 254.99999..., not 255.
inline long double luminance(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const long double g = static_cast<long double>(green) * static_cast<long double>(kLuminanceGreen);
    const long double r = static_cast<long double>(red) * static_cast<long double>(kLuminanceRed);
    const long double b = static_cast<long double>(blue) * static_cast<long double>(kLuminanceBlue);
    return g + r + b;
}

// The same value times 2^27, in integers. Each weight is a whole multiple of
// 2^-27 (0.11f is the finest), so every product and the sum are whole numbers
// of 2^-27 below 2^37: the extended arithmetic above makes no rounding at all
// and this is exactly equal to it, only much cheaper.
inline constexpr double kLuminanceScale = 134217728.0;  // 2^27
inline constexpr std::int64_t kLuminanceGreenScaled = static_cast<std::int64_t>(kLuminanceGreen * kLuminanceScale);
inline constexpr std::int64_t kLuminanceRedScaled = static_cast<std::int64_t>(kLuminanceRed * kLuminanceScale);
inline constexpr std::int64_t kLuminanceBlueScaled = static_cast<std::int64_t>(kLuminanceBlue * kLuminanceScale);
static_assert(kLuminanceGreenScaled / kLuminanceScale == static_cast<double>(kLuminanceGreen));
static_assert(kLuminanceRedScaled / kLuminanceScale == static_cast<double>(kLuminanceRed));
static_assert(kLuminanceBlueScaled / kLuminanceScale == static_cast<double>(kLuminanceBlue));

inline std::int64_t luminanceScaled(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return green * kLuminanceGreenScaled + red * kLuminanceRedScaled + blue * kLuminanceBlueScaled;
}

// The grey level of Desaturate and Aqua: trunc(L), lowered to 255 if larger.
inline std::int32_t luminanceGrey(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const auto g = static_cast<std::int32_t>(luminanceScaled(red, green, blue) >> 27);
    return g > 255 ? 255 : g;
}

// L rounded to single precision (Outline). The double quotient is exact.
inline float luminanceSingle(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<float>(static_cast<double>(luminanceScaled(red, green, blue)) / kLuminanceScale);
}

}  // namespace sc
