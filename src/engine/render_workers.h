#pragma once
// Shares a render between the calling thread and one helper thread that is
// started once and then sleeps between jobs (no thread is created per call).
#include <cstdint>

namespace sc {

using RenderChunkFunction = void (*)(void* job, std::uint32_t chunk);

// Calls chunkFunction(job, i) exactly once for every i in [0, chunkCount),
// spread over the calling thread and the helper; returns when all are done.
// Chunks must not depend on one another. With one processor, no helper, or the
// helper busy with another caller's job, the calling thread does them all.
void runRenderChunks(std::uint32_t chunkCount, RenderChunkFunction chunkFunction, void* job);

// True when a second thread takes part in runRenderChunks.
bool renderHelperAvailable();

}  // namespace sc
