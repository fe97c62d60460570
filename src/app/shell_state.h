#pragma once
// The one process-wide record of the running program: the documents, the undo
// copy, and the flags through which the parts signal one another. The tools'
// shared state (settings, mask, offsets, grain images) is toolState().
#include "engine/canvas.h"
#include "formats/preset_lists.h"
#include "platform/platform.h"
#include "tools/brush_settings.h"

namespace sc {

struct ShellState {
    Canvas document;      // kind 9 once a document exists
    Canvas preview;       // the 128 x 128 brush preview
    Canvas undoCanvas;    // cells as they were at the last snapshot with canvas
    BrushSettings savedSettings;  // brush settings at the last snapshot
    bool undoValid = false;

    bool quitRequested = false;
    bool saved = false;
    bool pressArmed = false;
    bool leaveTracking = false;
    bool colourChanged = false;
    bool previewDirty = false;

    // The palette panel's brush presets and stroke presets.
    BrushPresetList brushPresets;
    StrokePresetList strokePresets;
    // The main frame window, owner of the dialogs and of some messages.
    platform::WindowId frameWindow = platform::kNoWindow;
};

ShellState& shell();

}  // namespace sc
