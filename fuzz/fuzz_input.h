// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The readers under test take paths, so each input is handed to them as a
// file: an in-memory file rewritten for every input, reached through its
// /proc/self/fd path, so no disk is touched between inputs.
#include <cstddef>
#include <cstdint>
#include <string>

namespace sc::fuzz {

// Replaces the contents of the process's input file and returns its path.
// Aborts when no file can be had: a fuzzer without input is no use.
const std::string& inputFile(const std::uint8_t* data, std::size_t size);

// Makes a private directory (made once per process, removed at exit) the
// current one, so the targets that work with relative names
// ("sc_sendfile_to_app.txt") touch nothing of the user's.
void enterScratchDirectory();

}  // namespace sc::fuzz
