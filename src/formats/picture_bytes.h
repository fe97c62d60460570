// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture file's bytes in memory from the C allocator, as the readers
// pass them on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace sc {

struct FreeDeleter {
    void operator()(std::uint8_t* p) const { std::free(p); }
};

using ByteBuffer = std::unique_ptr<std::uint8_t, FreeDeleter>;

struct PictureBytes {
    ByteBuffer data;
    std::size_t size = 0;
};

}  // namespace sc
