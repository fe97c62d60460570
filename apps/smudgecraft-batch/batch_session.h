// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a batch run works on: the painting and the tools' record, starting as
// the program starts (without a display, so without windows).
#include <cstdint>

#include "app/document_write_hook.h"
#include "app/painting.h"
#include "tools/tool_state.h"

namespace sc::batch {

struct Session {
    Painting painting;
    ToolState tools;
    float zoom = 1.0f;         // the view's zoom, by which `apply` divides its positions
    bool pointerDown = false;  // between a `press` and the `end` that releases it
    // "An image failed to load!" was shown (it is shown once a run).
    bool pictureFailureShown = false;
    // What the last successful `open` read: the file's version (for `info`).
    std::uint32_t lastOpenedVersion = 0;
    // The tools announce their changes to the painting; last, so that it is
    // the first member to go.
    DocumentWriteHook writeHook;
};

// The program's start-up state: a blank 600 x 600 painting in high quality
// with lighting, its first undo snapshot taken, the tools as at start.
void startSession(Session& session);

}  // namespace sc::batch
