// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversions of computed values to integers, defined for every input.
//
// The painting arithmetic truncates toward zero everywhere. Paintings may hold
// heights that are NaN, infinite or huge, so a conversion can meet a value that
// does not fit: it then yields 0x80000000, exactly what the x86 truncating
// conversion (cvttsd2si) gives, instead of leaving the result undefined.
#include <cmath>
#include <cstdint>

namespace sc {

inline constexpr std::int32_t kIntegerIndefinite = INT32_MIN;

// Truncate toward zero to a 32-bit integer; NaN and out-of-range give INT32_MIN.
inline std::int32_t truncToInt(double v) {
    // The open interval (-2^31 - 1, 2^31) holds exactly the values whose
    // truncation fits; NaN fails both comparisons. (The conversion intrinsic
    // is not used: compilers fold it at compile time with other results.)
    if (v > -2147483649.0 && v < 2147483648.0) return static_cast<std::int32_t>(v);
    return kIntegerIndefinite;
}

inline std::int32_t truncToInt(long double v) {
    if (v > -2147483649.0L && v < 2147483648.0L) return static_cast<std::int32_t>(v);
    return kIntegerIndefinite;
}

// The low 32 bits of the truncated value, read as unsigned (grain lookups).
inline std::uint32_t truncToUnsigned(double v) { return static_cast<std::uint32_t>(truncToInt(v)); }

// Low 8 bits of the truncated value: what storing an int into a byte keeps.
inline std::uint8_t truncToByte(double v) { return static_cast<std::uint8_t>(truncToInt(v)); }

// The fractional part |v| - trunc(|v|) of a non-negative value, exact.
// Values of 2^52 and above are whole numbers already; NaN stays NaN.
inline double fractionOfMagnitude(double a) {
    if (a < 4503599627370496.0) return a - static_cast<double>(static_cast<std::int64_t>(a));
    return a - a;  // 0 for large finite values, NaN for infinity and NaN
}

// 32-bit two's complement sum, as the program's int arithmetic wraps.
inline std::int32_t wrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

inline std::int32_t clampInt(std::int32_t v, std::int32_t lo, std::int32_t hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

// The single-precision 1/255 used as a blend and shine factor.
inline constexpr float kInv255 = 1.0f / 255.0f;

}  // namespace sc
