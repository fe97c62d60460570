#pragma once
// A document, undo state and message record as a fresh start leaves them,
// without running the whole start-up: for the file and undo operations.
#include <gtest/gtest.h>

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
        savedHook_ = undoResizedDocument;
        undoResizedDocument = &countResize;
        resizes() = 0;
        ShellState& s = shell();
        s.document.kind = kDocumentCanvasKind;
        s.document.highQuality = true;
        s.document.lighting = true;
        ASSERT_TRUE(s.document.allocate(6, 4));
        s.undoCanvas.freeCells();
        ASSERT_TRUE(s.undoCanvas.allocate(0, 0));
        s.undoValid = false;
        s.saved = true;
        s.colourChanged = false;
        s.frameWindow = 77;
        toolState().live = BrushSettings{};
        toolState().styleOffset = {};
        toolState().textureOffset = {};
    }
    void TearDown() override { undoResizedDocument = savedHook_; }

    static int& resizes() {
        static int count = 0;
        return count;
    }
    static void countResize() { ++resizes(); }

    // A document whose every cell differs from a blank one.
    static void paintDocument(std::uint8_t seed) {
        Canvas& d = shell().document;
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

private:
    void (*savedHook_)() = nullptr;
};

}  // namespace sc::testing
