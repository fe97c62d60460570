// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The painting the user works on, with everything that belongs to it alone:
// its cells, the undo copy and the history of its changes, whether it is
// saved, and the file it came from. The file, undo and history functions take
// this record and the tools' record, never the program's.
#include <string>

#include "app/cell_changes.h"
#include "app/history.h"
#include "app/layer_stack.h"
#include "app/undo_copy.h"
#include "engine/canvas.h"
#include "tools/brush_settings.h"

namespace sc {

struct Painting {
    Canvas document;              // kind 9 once a document exists; the stack of the layers
    LayerStack layers;            // none while the painting is one plain layer
    Canvas undoCanvas;            // cells as they were at the last snapshot with canvas
    BrushSettings savedSettings;  // brush settings at the last snapshot
    bool undoValid = false;
    LazyUndoCopy undoCopy;        // which tiles of undoCanvas are still to be copied
    History history;              // Step Backward and Step Forward
    CellChanges documentChanges;  // announced by the changes above, read by the autosave
    // No change since the painting was last saved, opened or started.
    bool saved = false;
    // The file the painting was last opened from or saved to (absolute, as
    // paintingFilePath makes it); empty when none. The autosave and the
    // frame's title follow it.
    std::string fileName;
};

}  // namespace sc
