// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the tools share for the whole run: the live and stroke brush
// settings, the stroke dynamics, the mask, the grain offsets and images, and
// the program's random generator. Whoever runs the tools owns one and hands
// it to every tool and filter call.
#include <array>

#include "engine/canvas.h"
#include "engine/surface.h"
#include "tools/brush_mask.h"
#include "tools/brush_settings.h"
#include "tools/laying.h"
#include "tools/pen_pressure.h"
#include "tools/program_random.h"

namespace sc {

struct GrainOffset {
    float x = 0.0f;
    float y = 0.0f;
};

struct ToolState {
    BrushSettings live;    // what the panels edit and presets load into
    BrushSettings stroke;  // copy refreshed on every move, shaped by the dynamics
    StrokeDynamics dynamics;
    BrushMask mask;
    GrainOffset styleOffset;
    GrainOffset textureOffset;
    std::array<Surface, kStyleCount> styleImages;      // "paint%d", read by red channel
    std::array<Surface, kTextureCount> textureImages;  // "bump%d"
    ProgramRandom random;                              // Spray Paint's draws and the grain offsets' drift
    // The pen: the pressure of the last pointer report (a mouse reports 1)
    // and what it scales. pressureSized: the stroke size was last scaled by
    // the pressure, so the mask may be built for a size the next move drops.
    PenResponse pen;
    float pressure = 1.0f;
    bool pressureSized = false;
    // Called by applyTool before a tool changes cells of the document canvas,
    // with the cells [x0, x1) x [y0, y1) it may change (not clipped), so that
    // the undo copy and the history keep what was there. Null: no one keeps it.
    void (*beforeDocumentWrite)(void* context, std::int64_t x0, std::int64_t y0, std::int64_t x1,
                                std::int64_t y1) = nullptr;
    void* documentWriteContext = nullptr;
    // Handed to the laying of Tube Paint, Paint Brush and the Knife, whose
    // change is their brush square alone: told of each row once laid. No
    // call: no one is told.
    RowLaid rowLaid;
};

}  // namespace sc
