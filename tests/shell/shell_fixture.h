// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the real program headless: start-up in a private run directory, then
// messages posted the way the desktop would and main-loop passes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/message_script.h"
#include "app/run_paths.h"
#include "app/shell_state.h"
#include "app/undo.h"
#include "platform/platform_headless.h"
#include "platform/windows.h"
#include "shell/main_loop.h"
#include "shell/program.h"
#include "shell/start_up.h"
#include "support/run_batch.h"
#include "tools/tool_state.h"

namespace sc::testing {

namespace hl = platform::headless;
using platform::MessageKind;
using platform::WindowId;

// The desktop and the environment as a process that has just started finds
// them.
inline void resetProcessState() {
    hl::reset();
    hl::setEchoMessages(false);
    unsetenv(kMessageScriptVariable);
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousDir_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.dir());
        setenv("XDG_DATA_HOME", dir_.path("xdg").c_str(), 1);
        resetProcessState();
    }
    void TearDown() override {
        resetProcessState();
        std::filesystem::current_path(previousDir_);
    }

    // Starts the program and runs a few passes so that the first pictures
    // are drawn.
    void start(const std::string& commandText = "") {
        ASSERT_EQ(startUp(program(), commandText), StartResult::Running);
        // Without the picture files every texture is blank: paint smooth.
        shell().tools.live.texture = 0;
        passes(3);
    }
    void passes(int n) {
        for (int i = 0; i < n; ++i) mainLoopPass(program());
    }

    // A new start of the program in the same process: the desktop as a fresh
    // process finds it, and a new program record with fresh tools.
    void freshProgram() {
        resetProcessState();
        program_ = std::make_unique<Program>();
    }

    Program& program() { return *program_; }
    ShellState& shell() { return program_->state; }
    const ShellState& shell() const { return program_->state; }
    Panels& panels() { return program_->panels; }
    PointerState& pointer(PointerIndex which) { return program_->state.pointers[which]; }
    WindowId frame() const { return shell().frameWindow; }
    WindowId canvasWindow() const { return shell().windows.canvas; }
    Canvas& document() { return shell().painting.document; }

    void move(int x, int y) { hl::postPointer(canvasWindow(), MessageKind::MouseMove, x, y); }
    // Posts a move and a press there; two passes deliver them.
    void press(int x, int y) {
        move(x, y);
        hl::postPointer(canvasWindow(), MessageKind::LeftDown, x, y);
    }
    void pressNow(int x, int y) {
        press(x, y);
        passes(2);
    }
    void release(int x, int y) { hl::postPointer(canvasWindow(), MessageKind::LeftUp, x, y); }
    void key(platform::Key k, bool down) {
        hl::postKey(canvasWindow(), down ? MessageKind::KeyDown : MessageKind::KeyUp, k);
    }
    void command(int id) { hl::postCommand(frame(), id); }
    // Posts one message and runs the pass that delivers it.
    void commandNow(int id) {
        command(id);
        passes(1);
    }

    TempDir dir_;
    // The program as a fresh start has it; a test starts it again with a new one.
    std::unique_ptr<Program> program_ = std::make_unique<Program>();

private:
    std::filesystem::path previousDir_;
};

// A fingerprint of every cell, to see whether anything changed.
inline std::uint64_t cellHash(const Canvas& c) {
    std::uint64_t h = 1469598103934665603ull;
    const auto* bytes = reinterpret_cast<const unsigned char*>(c.cells());
    for (std::size_t i = 0; i < c.cellCount() * sizeof(PaintCell); ++i) h = (h ^ bytes[i]) * 1099511628211ull;
    return h;
}

}  // namespace sc::testing
