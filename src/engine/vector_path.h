// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which vector instructions the renderer and the tools' cell updates use:
// AVX-512 (sixteen lanes) or AVX2 (eight) where the processor has them, or
// none. Every path gives the same bits; tests choose each in turn.
namespace sc {

enum class VectorPath { kScalar, kAvx2, kAvx512 };

// True when the processor and the operating system support the path.
bool vectorPathAvailable(VectorPath path);

// The path taken: the widest available unless a test has chosen another.
// Setting an unavailable path leaves the choice unchanged; the previous path
// is returned.
VectorPath vectorPath();
VectorPath setVectorPath(VectorPath path);

}  // namespace sc
