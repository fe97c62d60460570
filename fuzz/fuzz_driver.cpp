// SPDX-License-Identifier: GPL-3.0-or-later
// The libFuzzer entry point of one target; SC_FUZZ_BODY names its body.
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SC_FUZZ_BODY(data, size);
    return 0;
}
