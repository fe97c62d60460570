// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared set-up for the tool tests: a fresh tools' record, canvases with
// known contents and grain images with known red channels.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/canvas.h"
#include "engine/numeric.h"
#include "engine/renderer.h"
#include "platform/platform_headless.h"
#include "tools/program_random.h"
#include "tools/tool_routines.h"
#include "tools/tool_state.h"
#include "tools/tools.h"

namespace sc::test {

inline void resetToolEnvironment() {
    setMarkPlaneAllocator(nullptr);
    platform::headless::clearShownMessages();
    platform::headless::setEchoMessages(false);
}

// A 400 x 400 image whose red channel at (x, y) is red(x, y).
template <class Red>
Surface grainImage(Red red) {
    Surface s;
    s.create32(400, 400);
    for (std::uint32_t y = 0; y < 400; ++y)
        for (std::uint32_t x = 0; x < 400; ++x) s.setPixel(x, y, static_cast<std::uint8_t>(red(x, y)), 0, 0);
    return s;
}

// Brush settings for a test: tool, size, strength and hardness; smooth,
// colour (0, 200, 45), thickness 10, shine 255. They also become the stroke
// settings of tools and the mask is built for them, as applyTool does before
// it calls a routine, so tests may call the routines directly.
inline BrushSettings brush(ToolState& tools, std::int32_t tool, std::int32_t size, float strength,
                           std::uint8_t hardness = 0) {
    BrushSettings s;
    s.tool = tool;
    s.size = size;
    s.strength = strength;
    s.texture = 0;
    s.hardness = hardness;
    tools.stroke = s;
    tools.mask.built = false;
    buildMask(tools);
    return s;
}

// Makes s the live settings and starts a stroke with them on canvas.
inline void useBrush(ToolState& tools, const BrushSettings& s, Canvas& canvas) {
    tools.live = s;
    strokeBegin(tools, canvas);
}

// Every cell of the canvas with varied paint: colour, grain, shine and height
// all differ from cell to cell.
inline void paintGround(Canvas& canvas) {
    for (std::uint32_t y = 0; y < canvas.height; ++y) {
        for (std::uint32_t x = 0; x < canvas.width; ++x) {
            PaintCell& c = canvas.at(x, y);
            c.red = static_cast<std::uint8_t>(40 + (x * 7 + y * 3) % 180);
            c.green = static_cast<std::uint8_t>(30 + (x * 5 + y * 11) % 200);
            c.blue = static_cast<std::uint8_t>(20 + (x * 13 + y * 2) % 210);
            c.grain = static_cast<std::uint8_t>((x * 3 + y * 17) % 160);
            c.shine = static_cast<std::uint8_t>(60 + (x + y) % 190);
            c.height = 2.0f + static_cast<float>((x * 31 + y * 7) % 40) * 0.25f;
        }
    }
}

inline std::vector<PaintCell> cellsOf(const Canvas& canvas) {
    return std::vector<PaintCell>(canvas.cells(), canvas.cells() + canvas.cellCount());
}

inline bool sameCell(const PaintCell& a, const PaintCell& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.grain == b.grain && a.shine == b.shine &&
           std::memcmp(&a.height, &b.height, sizeof(float)) == 0;
}

inline bool sameCells(const Canvas& canvas, const std::vector<PaintCell>& before) {
    for (std::size_t i = 0; i < before.size(); ++i)
        if (!sameCell(canvas.cells()[i], before[i])) return false;
    return true;
}

inline std::vector<std::uint8_t> pixelsOf(const Surface& s) {
    return std::vector<std::uint8_t>(s.bits(), s.bits() + static_cast<std::size_t>(s.stride()) * s.height());
}

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetToolEnvironment();
        ASSERT_TRUE(canvas.allocate(64, 48));
    }
    void TearDown() override { resetToolEnvironment(); }

    ToolState tools;  // fresh for every test
    Canvas canvas;    // off-screen (kind 0), blank
};

}  // namespace sc::test
