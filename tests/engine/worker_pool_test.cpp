// SPDX-License-Identifier: GPL-3.0-or-later
// The worker pool: every chunk runs exactly once on any thread count, a job
// started inside a chunk or while another caller's job runs stays on its own
// thread, and the pool can be resized between jobs.
#include "engine/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace sc {
namespace {

TEST(WorkerPool, EveryChunkRunsExactlyOnceOnAnyThreadCount) {
    const std::uint32_t previous = sharingThreads();
    for (std::uint32_t threads : {1u, 2u, 3u, 7u}) {
        setSharingThreads(threads);
        EXPECT_EQ(sharingThreads(), threads);
        for (std::uint32_t count : {0u, 1u, 2u, 5u, 64u, 1000u}) {
            std::vector<std::atomic<int>> runs(count);
            runChunks(count, [&](std::uint32_t i) { runs[i].fetch_add(1); });
            for (std::uint32_t i = 0; i < count; ++i)
                ASSERT_EQ(runs[i].load(), 1) << threads << " threads, chunk " << i;
        }
    }
    setSharingThreads(previous);
}

TEST(WorkerPool, NestedAndConcurrentJobsRunOnTheirOwnThread) {
    const std::uint32_t previous = setSharingThreads(3);
    std::atomic<int> inner{0};
    runChunks(6, [&](std::uint32_t) {
        const std::thread::id self = std::this_thread::get_id();
        runChunks(4, [&](std::uint32_t) {
            EXPECT_EQ(std::this_thread::get_id(), self);
            inner.fetch_add(1);
        });
    });
    EXPECT_EQ(inner.load(), 24);

    std::atomic<int> total{0};
    std::vector<std::thread> callers;
    for (int c = 0; c < 4; ++c)
        callers.emplace_back([&] {
            for (int round = 0; round < 50; ++round)
                runChunks(9, [&](std::uint32_t i) { total.fetch_add(static_cast<int>(i)); });
        });
    for (std::thread& t : callers) t.join();
    EXPECT_EQ(total.load(), 4 * 50 * 36);
    setSharingThreads(previous);
}

TEST(WorkerPool, BandsAreShared) {
    const std::uint32_t previous = setSharingThreads(4);
    EXPECT_EQ(bandCount(1, 16), 1u);
    EXPECT_EQ(bandCount(3, 16), 3u);
    EXPECT_EQ(bandCount(40, 16), 4u);     // one band a thread, though below the fewest rows
    EXPECT_EQ(bandCount(2000, 16), 16u);  // four a thread
    setSharingThreads(1);
    EXPECT_EQ(bandCount(2000, 16), 1u);
    setSharingThreads(previous);
}

}  // namespace
}  // namespace sc
