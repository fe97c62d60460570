// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Standing worker threads that share a job's independent chunks with the
// thread that asks for them: whole-canvas and large rectangle renders, the
// filter frame and the undo copy, each cut into bands of rows.
//
// The pool holds one thread fewer than the threads that take part (the
// caller works too). Its size is the machine's hardware threads, capped by
// the environment variable SMUDGECRAFT_THREADS when that holds a positive
// number, so that benchmarks can pin it. Chunks are claimed one at a time from
// a shared counter, and every chunk must compute the same result whichever
// thread runs it and in whatever order: then the result is the same on any
// number of threads.
#include <cstdint>

namespace sc {

using ChunkFunction = void (*)(void* job, std::uint32_t chunk);

// Calls chunkFunction(job, i) exactly once for every i in [0, chunkCount),
// spread over the calling thread and the workers, and returns when all are
// done. A call made while the pool serves another caller's job, or from
// inside a chunk, runs every chunk on its own thread.
void runChunks(std::uint32_t chunkCount, ChunkFunction chunkFunction, void* job);

// The same for a callable taking the chunk index.
template <class Chunk>
void runChunks(std::uint32_t chunkCount, const Chunk& chunk) {
    runChunks(
        chunkCount, [](void* job, std::uint32_t i) { (*static_cast<const Chunk*>(job))(i); },
        const_cast<void*>(static_cast<const void*>(&chunk)));
}

// The threads that take part in a shared job, the caller included (at least 1).
std::uint32_t sharingThreads();

// Sets that number (1 to kMaxSharingThreads; the caller alone for 1) and
// returns the previous one. For tests and benchmarks; not while a job runs.
std::uint32_t setSharingThreads(std::uint32_t threads);

inline constexpr std::uint32_t kMaxSharingThreads = 256;

// Chunks for `rows` rows shared by the pool: the same number for every
// thread, up to four each so that a thread slowed by other work only shifts
// rows to the others, but only as many as keep `minimumRows` rows a chunk
// (each chunk has a fixed start-up cost), and at least one a thread. 1 when
// the pool has one thread.
std::uint32_t bandCount(std::uint32_t rows, std::uint32_t minimumRows);

// Calls band(first, end) for bands of rows covering [0, rows) exactly once
// each, shared by the pool (bandCount bands), or once for all rows on the
// calling thread when rows x cellsPerRow is below minimumCells.
template <class Band>
void forEachRowBand(std::uint32_t rows, std::uint64_t cellsPerRow, std::uint64_t minimumCells,
                    std::uint32_t minimumRows, const Band& band) {
    if (rows == 0) return;
    const std::uint32_t bands = rows * cellsPerRow < minimumCells ? 1 : bandCount(rows, minimumRows);
    const std::uint32_t rowsPerBand = (rows + bands - 1) / bands;
    runChunks((rows + rowsPerBand - 1) / rowsPerBand, [&](std::uint32_t i) {
        const std::uint32_t first = i * rowsPerBand;
        band(first, first + rowsPerBand < rows ? first + rowsPerBand : rows);
    });
}

// Wakes sleeping workers so that a job submitted within the next few tens of
// microseconds finds them running (a tool calls it before the cell update
// whose square it then renders). Cheap when they are awake already.
void wakeWorkers();

}  // namespace sc
