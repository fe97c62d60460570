// SPDX-License-Identifier: GPL-3.0-or-later
// smudgecraft-presets: writes the starting brush and stroke lists that come
// with the program, from a script kept in the repository.
//
//   smudgecraft-presets SCRIPT PALETTE.dat STROKES.dat
//
// The script is a smudgecraft-batch script (settings and dynamics lines set
// the live brush and stroke) with two more commands: `keep-brush` puts the
// live brush settings into the next free slot of the brush list and
// `keep-stroke` the live stroke dynamics into the stroke list. The lists are
// then written by the program's own list writer. The first stroke kept must
// be the default stroke, which the program never edits or deletes.
#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

#include "app/presets.h"
#include "batch_command.h"
#include "batch_session.h"
#include "formats/preset_lists.h"
#include "script_runner.h"
#include "tools/tool_state.h"

namespace sc::batch {
namespace {

// The lists being made (the batch session has none: they are the program's).
BrushPresetList gBrushes;
StrokePresetList gStrokes;

template <typename Preset, std::size_t N>
Preset* nextFreeSlot(std::array<Preset, N>& slots) {
    for (Preset& slot : slots) {
        if (!slot.used) return &slot;
    }
    return nullptr;
}

void keepBrush(Session& session, const Words&) {
    BrushPreset* slot = nextFreeSlot(gBrushes.slots);
    if (!slot) throw OperationFailed(kBrushListFullText);
    slot->used = 1;
    slot->settings = session.tools.live;
}

void keepStroke(Session& session, const Words&) {
    StrokePresetList& strokes = gStrokes;
    const bool first = !strokes.slots[0].used;
    const StrokeDynamics defaultStroke{};
    if (first && std::memcmp(&session.tools.dynamics, &defaultStroke, sizeof(StrokeDynamics)) != 0) {
        throw ScriptError("the first stroke must be the default stroke");
    }
    StrokePreset* slot = nextFreeSlot(strokes.slots);
    if (!slot) throw OperationFailed(kStrokeListFullText);
    slot->used = 1;
    slot->dynamics = session.tools.dynamics;
}

const BatchCommandRegistration kKeepBrush{{"keep-brush", 0, 0, &keepBrush}};
const BatchCommandRegistration kKeepStroke{{"keep-stroke", 0, 0, &keepStroke}};

}  // namespace
}  // namespace sc::batch

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: smudgecraft-presets SCRIPT PALETTE.dat STROKES.dat\n", stderr);
        return 2;
    }
    std::ifstream script(argv[1], std::ios::binary);
    if (!script) {
        std::fprintf(stderr, "smudgecraft-presets: cannot read script '%s'\n", argv[1]);
        return 1;
    }
    const auto session = std::make_unique<sc::batch::Session>();
    sc::batch::startSession(*session);
    const auto status = sc::batch::runScript(*session, script);
    if (status != sc::batch::RunStatus::kOk) return static_cast<int>(status);
    if (!sc::writeBrushPresetFile(argv[2], sc::batch::gBrushes) ||
        !sc::writeStrokePresetFile(argv[3], sc::batch::gStrokes)) {
        std::fputs("File Save failed!\n", stderr);
        return 1;
    }
    return 0;
}
