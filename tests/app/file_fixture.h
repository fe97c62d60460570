// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A document, undo state and message record as a fresh start leaves them,
// without running the whole start-up: for the file and undo operations.
#include <gtest/gtest.h>

#include <memory>

#include "app/shell_state.h"
#include "app/undo.h"
#include "engine/canvas.h"
#include "platform/platform_headless.h"
#include "support/run_batch.h"
#include "tools/tool_state.h"

namespace sc::testing {

class FileOperationTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::reset();
        platform::headless::setEchoMessages(false);
        ShellState& s = shell();
        s.painting.document.kind = kDocumentCanvasKind;
        s.painting.document.highQuality = true;
        s.painting.document.lighting = true;
        ASSERT_TRUE(s.painting.document.allocate(6, 4));
        ASSERT_TRUE(s.painting.undoCanvas.allocate(0, 0));
        s.painting.saved = true;
        s.frameWindow = 77;
    }

    ShellState& shell() { return *state_; }

    // A document whose every cell differs from a blank one.
    void paintDocument(std::uint8_t seed) {
        Canvas& d = shell().painting.document;
        for (std::uint32_t i = 0; i < d.cellCount(); ++i) {
            PaintCell& c = d.cells()[i];
            c.red = static_cast<std::uint8_t>(seed + i);
            c.green = static_cast<std::uint8_t>(seed * 3 + i);
            c.blue = 0;
            c.grain = 9;
            c.shine = 200;
            c.height = static_cast<float>(seed) + 0.5f * i;
        }
    }

    static const std::vector<platform::headless::ShownMessage>& messages() {
        return platform::headless::shownMessages();
    }

    std::unique_ptr<ShellState> state_ = std::make_unique<ShellState>();
};

}  // namespace sc::testing
