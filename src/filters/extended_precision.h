// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Exact integer forms of the extended-precision (x87 80-bit long double)
// products of Night and Aqua. Reloading the x87 control word for every
// truncation and spilling 80-bit values make the plain formulas several times
// slower than the rest of a filter pass; these give the same integers (the
// tests compare them with the plain formulas over every input).
#include <array>
#include <cmath>
#include <cstdint>

#include "engine/numeric.h"

namespace sc {

// trunc(v) for 0 <= v < 2^31, for the rare cases still computed in extended
// precision: round in the current mode, then step down if that went up.
inline std::int32_t truncSmallExtended(long double v) {
    const long long r = std::llrint(v);
    return static_cast<std::int32_t>(static_cast<long double>(r) > v ? r - 1 : r);
}

// ceil(2^32 / m) for m = 1..255: (p * r) >> 32 is p / m for every p < 2^16,
// since the excess p * (r - 2^32 / m) / 2^32 stays below 2^-16 < 1 / m.
inline constexpr std::array<std::uint64_t, 256> kSmallReciprocals = [] {
    std::array<std::uint64_t, 256> r{};
    for (std::uint64_t m = 1; m < 256; ++m) r[m] = ((std::uint64_t{1} << 32) + m - 1) / m;
    return r;
}();

// trunc(channel / largest * grain), quotient and product in extended
// precision, for channel <= largest, largest >= 1.
//
// The exact value x = channel * grain / largest has a denominator of at most
// 255, so unless it is a whole number it lies at least 1/255 from one, while
// the two roundings move it by a relative 2^-63 at most: the truncation is then
// the integer quotient. Only a whole x can come out one below (5 / 7 * 21 gives
// 14.999...), and only that case is left to the extended arithmetic.
inline std::uint8_t scaledQuotientExtended(std::uint32_t channel, std::uint32_t largest, std::uint32_t grain) {
    const std::uint64_t scaled = std::uint64_t{channel * grain} * kSmallReciprocals[largest];
    const auto quotient = static_cast<std::uint32_t>(scaled >> 32);
    // A whole quotient leaves at most 255 x 255 in the low 32 bits, any other
    // at least 2^32 / 255. Channels 0 and `largest` (quotient exactly 1) are
    // exact too; the test is branch-free as which channel is largest varies.
    const bool whole = (static_cast<std::uint32_t>(scaled) < (1u << 24)) & (channel - 1u < largest - 1u);
    if (!whole) [[likely]]
        return static_cast<std::uint8_t>(quotient);
    const long double q = static_cast<long double>(channel) / static_cast<long double>(largest);
    return static_cast<std::uint8_t>(truncSmallExtended(q * static_cast<long double>(grain)));
}

// trunc(first x k x (grey x k) x last) with k the single-precision 1/255,
// products left to right in extended precision (Aqua), for bytes.
//
// k is 8421505 x 2^-31, so first x k x (grey x k) is first x grey x 8421505^2
// x 2^-62: at most 64 significant bits, exact. With P = first x grey x last the
// exact value is P / 65025 x (1 + d), d about 1.2e-7, which moves P / 65025 by
// under 3e-8 while its fraction, a multiple of 1/65025, is never within that of
// the next integer; the one rounding (of the last product) is smaller still.
// So the truncation is the integer quotient P / 65025, for every byte input.
inline std::int32_t aquaProductExtended(std::uint32_t first, std::uint32_t grey, std::uint32_t last) {
    return static_cast<std::int32_t>(first * grey * last / 65025u);
}

}  // namespace sc
