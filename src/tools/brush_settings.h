// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The brush settings and stroke dynamics. Both are stored byte for byte in
// preset files, so their layouts are fixed and checked here.
#include <cstddef>
#include <cstdint>

namespace sc {

enum ToolId : std::int32_t {
    kToolTubePaint = 0,
    kToolPaintBrush = 1,
    kToolEraser = 2,
    kToolSprayPaint = 5,
    kToolSponge = 6,
    kToolFill = 7,
    kToolEyeDropper = 8,
    kToolGelBrush = 9,
    kToolBrighten = 10,
    kToolDarken = 11,
    kToolHand = 12,
    kToolShine = 13,
    kToolMatte = 14,
    kToolRaise = 15,
    kToolLower = 16,
    kToolKnife = 17,
    kToolFinger = 18,
};

struct BrushSettings {
    std::uint8_t red = 0;
    std::uint8_t green = 200;
    std::uint8_t blue = 45;
    std::uint8_t paintStyle = 2;  // style image index 0..17
    float thickness = 10.0f;      // height laid per application
    std::int32_t tool = kToolPaintBrush;
    std::int32_t size = 30;  // 1..100; the mask covers 2 * size cells square
    float strength = 0.5f;   // 0.01..1
    std::uint8_t shine = 255;
    std::uint8_t texture = 3;   // texture image index 0..17; 0 is smooth
    std::uint8_t hardness = 0;  // 0..100; below 1 acts as 1
    std::uint8_t reserved = 0;
};

static_assert(sizeof(BrushSettings) == 24);
static_assert(offsetof(BrushSettings, red) == 0);
static_assert(offsetof(BrushSettings, green) == 1);
static_assert(offsetof(BrushSettings, blue) == 2);
static_assert(offsetof(BrushSettings, paintStyle) == 3);
static_assert(offsetof(BrushSettings, thickness) == 4);
static_assert(offsetof(BrushSettings, tool) == 8);
static_assert(offsetof(BrushSettings, size) == 12);
static_assert(offsetof(BrushSettings, strength) == 16);
static_assert(offsetof(BrushSettings, shine) == 20);
static_assert(offsetof(BrushSettings, texture) == 21);
static_assert(offsetof(BrushSettings, hardness) == 22);
static_assert(offsetof(BrushSettings, reserved) == 23);

struct StrokeDynamics {
    std::uint8_t fadeStrength = 0;
    std::uint8_t fadeSize = 0;
    std::uint8_t pulse = 0;
    std::uint8_t padding = 0;
    float fadeStrengthLength = 100.0f;
    float fadeSizeLength = 100.0f;
    float pulseAmount = 5.0f;
    float pulsePhase = 0.0f;
    float pulsePeriod = 0.0f;
};

static_assert(sizeof(StrokeDynamics) == 24);
static_assert(offsetof(StrokeDynamics, fadeStrength) == 0);
static_assert(offsetof(StrokeDynamics, fadeSize) == 1);
static_assert(offsetof(StrokeDynamics, pulse) == 2);
static_assert(offsetof(StrokeDynamics, fadeStrengthLength) == 4);
static_assert(offsetof(StrokeDynamics, fadeSizeLength) == 8);
static_assert(offsetof(StrokeDynamics, pulseAmount) == 12);
static_assert(offsetof(StrokeDynamics, pulsePhase) == 16);
static_assert(offsetof(StrokeDynamics, pulsePeriod) == 20);

inline constexpr int kStyleCount = 18;
inline constexpr int kTextureCount = 18;

}  // namespace sc
