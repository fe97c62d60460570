// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two ways takeCells (engine/layer.h) does its arithmetic: cell by cell,
// and on sixteen lanes where the processor has AVX-512. Both give the same
// bits; takeCells picks by vectorPath().
#include "engine/layer.h"
#include "engine/vector_target.h"

namespace sc {

void takeCellsByCell(const TakenCells& run, float opacity, bool visible);

#if SC_VECTOR_TARGETS
// Only for an opacity above 0 (at 0 only the relief changes, cell by cell).
void takeCellsAvx512(const TakenCells& run, float opacity, bool visible);
#endif

}  // namespace sc
