#pragma once
// Everything the tools share for the whole run: the live and stroke brush
// settings, the stroke dynamics, the mask, the grain offsets and images, the
// program's random generator, and the view zoom used to map document-window
// pixels to cells.
#include <array>

#include "engine/canvas.h"
#include "engine/surface.h"
#include "tools/brush_mask.h"
#include "tools/brush_settings.h"
#include "tools/program_random.h"

namespace sc {

struct GrainOffset {
    float x = 0.0f;
    float y = 0.0f;
};

struct ToolState {
    BrushSettings live;      // what the panels edit and presets load into
    BrushSettings stroke;    // copy refreshed on every move, shaped by the dynamics
    StrokeDynamics dynamics;
    BrushMask mask;
    GrainOffset styleOffset;
    GrainOffset textureOffset;
    std::array<Surface, kStyleCount> styleImages;     // "paint%d", read by red channel
    std::array<Surface, kTextureCount> textureImages; // "bump%d"
    ProgramRandom random;  // Spray Paint's draws and the grain offsets' drift
    float zoom = 1.0f;

    // Document-canvas-only tools reach the shell through these; they stay
    // null where no shell runs (the headless batch tool, tests).
    void (*handToolMove)() = nullptr;          // move the canvas window by the cursor's travel
    void (*eyeDropperPicked)() = nullptr;      // bring the colours panel up to date
    // Fill paints once per press: it ends the press through this (the shell
    // clears the canvas pointer's down flag). Null where no shell runs.
    void (*endPress)() = nullptr;
};

ToolState& toolState();

}  // namespace sc
