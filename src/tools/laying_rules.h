// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-cell rules of Tube Paint, Paint Brush and the Knife, literally:
// the reference every vector path of laying.h reproduces.
#include "engine/numeric.h"
#include "tools/laying.h"
#include "tools/tool_frame.h"

namespace sc::laying {

using frame::lerpByte;

// The per-cell amount: mask weight times strength, rounded to a float.
inline float amount(float m, float strength) { return static_cast<float>(static_cast<double>(m) * strength); }

// The factor of Paint Brush and Knife: the texture sample (full brightness
// when smooth) times 1/255 times the amount, rounded to a float.
inline float textureFactor(std::uint8_t texture, bool textured, float a) {
    const int t = textured ? texture : 255;
    return static_cast<float>((t * static_cast<double>(kInv255)) * a);
}

// `texture` is the sample under the cell, 0 when the brush is smooth.
inline void layCell(const LayingRule& rule, PaintCell& c, float m, std::uint8_t style, std::uint8_t texture) {
    const float a = amount(m, rule.strength);
    const double h = c.height;
    double k;
    double height;
    if (rule.tool == LayingTool::kTubePaint) {
        k = a;
        const float hb = static_cast<float>(0.5 * a);
        height = h + (rule.centreHeight - h) * hb + frame::laidHeight(rule.textured, rule.thickness, hb, texture);
    } else {
        const float f = textureFactor(texture, rule.textured, a);
        k = f;
        const double laid = frame::laidHeight(rule.textured, rule.thickness, 0.5 * a, texture);
        // The brush pulls toward the centre's height, the knife shaves
        // toward 0, then both lay a fresh layer.
        if (rule.tool == LayingTool::kPaintBrush) height = h + (rule.centreHeight - h) * 0.5 * f + laid;
        else height = h - 0.5 * h * f + laid;
    }
    c.red = lerpByte(c.red, rule.red, k);
    c.green = lerpByte(c.green, rule.green, k);
    c.blue = lerpByte(c.blue, rule.blue, k);
    c.grain = lerpByte(c.grain, style, k);
    c.shine = lerpByte(c.shine, rule.shine, k);
    c.height = static_cast<float>(height);
}

// Cells [first, count) of a row, one at a time.
inline void layCells(const LayingRule& rule, const LayingRow& row, std::uint32_t first) {
    for (std::uint32_t i = first; i < row.count; ++i) {
        const float m = row.weights[i];
        if (!(m > 0.0f)) continue;
        layCell(rule, row.cells[i], m, row.style[i], row.texture != nullptr ? row.texture[i] : 0);
    }
}

}  // namespace sc::laying
