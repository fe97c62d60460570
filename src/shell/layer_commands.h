// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Layer menu and the layers panel's requests: each layer command on the
// painting, its failure shown in an error box, the canvas and the panel
// following. The main loop keeps the panel and the menu in step with the
// painting's layers.
#include "ui/layers_panel.h"

namespace sc {

struct Program;

inline constexpr const char* kRenameLayerCaption = "Rename Layer";
inline constexpr const char* kRenameLayerLabel = "Layer name:";
// Longest layer name the rename dialog takes, in bytes.
inline constexpr int kLayerNameMaxBytes = 64;

// Carries out a Layer-menu command; false for an id that is none of them.
bool runLayerCommand(Program& p, int id);
// Carries out what a press on the layers panel asked, and clears it.
void runLayerRequest(Program& p);
// Once a pass: the panel shows the painting's layers as they are now (its
// pictures made again when the painting may have changed), and the Layer
// menu greys the commands that cannot act.
void followLayers(Program& p);

}  // namespace sc
