// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Taking what a tool left on the work canvas (the stack below the active
// layer with that layer on it) into the active layer, a run of one row's
// cells at a time.
#include <cstddef>

#include "engine/layer.h"
#include "engine/vector_target.h"

namespace sc {

// Each cell taken goes into the layer (takeIntoLayer); the work canvas's cell
// is made again from `below` and the layer as it now is, and the document's
// cell is that (or `below` for a hidden layer) under `above`. Every pointer
// addresses the run's first cell.
struct TakenCells {
    const PaintCell* below;
    PaintCell* work;
    PaintCell* cells;  // the active layer's
    float* coverage;   // the active layer's; null: it is opaque
    PaintCell* document;
    const CoverAbove* above;  // null: nothing above any of these cells
    std::size_t count;
    // True: only the cells the tool changed are taken. Between applications
    // the work canvas holds exactly `below` covered by the layer (cellOf of
    // coverWith), so a cell still bit for bit that is one the tool left alone.
    // False: every cell.
    bool changedOnly;
    // With changedOnly, when not null: the work cells as they were before the
    // tool, so that a cell the tool left alone is one equal to its `before`
    // (a cheaper test than making the layer's cell again).
    const PaintCell* before = nullptr;
};
void takeCells(const TakenCells& run, float opacity, bool visible);

// The three ways takeCells does its arithmetic: cell by cell, on eight lanes
// where the processor has AVX2 and on sixteen where it has AVX-512. All give
// the same bits; takeCells picks by vectorPath().
void takeCellsByCell(const TakenCells& run, float opacity, bool visible);
#if SC_VECTOR_TARGETS
// Only for an opacity above 0 (at 0 only the relief changes, cell by cell).
void takeCellsAvx2(const TakenCells& run, float opacity, bool visible);
void takeCellsAvx512(const TakenCells& run, float opacity, bool visible);
#endif

}  // namespace sc
