// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/presets.h"
#include "fuzz_input.h"
#include "fuzz_targets.h"
#include "shell/program.h"
#include "tools/tool_state.h"

namespace sc::fuzz {

void fuzzPresetLists(const std::uint8_t* data, std::size_t size) {
    ShellState& s = prepareShell().state;
    for (auto& slot : s.brushPresets.slots) slot.used = 0;
    for (auto& slot : s.strokePresets.slots) slot.used = 0;
    const std::string& path = inputFile(data, size);

    // Loading renders a thumbnail with every stored brush and stroke, so
    // hostile settings reach the painting tools here.
    loadBrushPresets(s, path);
    const BrushSettings& live = s.tools.live;
    SC_FUZZ_CHECK(live.size >= 1 && live.size <= 100);
    SC_FUZZ_CHECK(live.paintStyle < 18 && live.texture < 18);
    loadStrokePresets(s, path);
    SC_FUZZ_CHECK(s.strokePresets.selected >= 0 && s.strokePresets.selected < kStrokePresetSlots);
}

}  // namespace sc::fuzz
