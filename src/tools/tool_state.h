#pragma once
// Everything the tools share for the whole run: the live and stroke brush
// settings, the stroke dynamics, the mask, the grain offsets and images, and
// the program's random generator.
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
};

ToolState& toolState();

}  // namespace sc
