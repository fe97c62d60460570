// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "app/hand_over.h"
#include "fuzz_targets.h"
#include "shell/start_up.h"

namespace sc::fuzz {

void fuzzCommandLine(const std::uint8_t* data, std::size_t size) {
    // The bytes as program arguments, split where a NUL stands, as the
    // system passes them.
    std::vector<std::string> arguments{"smudgecraft"};
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    arguments.push_back(current);
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);

    const std::string text = commandTextFrom(static_cast<int>(arguments.size()), argv.data());
    const std::optional<std::string> path = commandLinePath(text);
    if (text.size() <= 3) {
        SC_FUZZ_CHECK(!path);
        return;
    }
    SC_FUZZ_CHECK(path.has_value());
    SC_FUZZ_CHECK(path->size() <= kHandOverPathMax);
    SC_FUZZ_CHECK(path->find('"') == std::string::npos);
    SC_FUZZ_CHECK(path->size() <= text.size());
}

}  // namespace sc::fuzz
