// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/worker_pool.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace sc {
namespace {

// How long a worker keeps watching for the next job before it sleeps: the
// render that follows a tool's cell update, or the next band job of a filter,
// finds it running; between tool applications (milliseconds apart) it sleeps.
constexpr auto kWatch = std::chrono::microseconds(300);

// Set on a thread while it runs chunks: a job started from inside a chunk
// runs on that thread alone.
thread_local bool t_insideJob = false;

std::uint32_t defaultThreads() {
    std::uint32_t n = std::max(1u, std::thread::hardware_concurrency());
    if (const char* cap = std::getenv("SMUDGECRAFT_THREADS")) {
        char* end = nullptr;
        const long value = std::strtol(cap, &end, 10);
        if (end != cap && *end == '\0' && value > 0) n = static_cast<std::uint32_t>(std::min<long>(n, value));
    }
    return std::min(n, kMaxSharingThreads);
}

inline void pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

class WorkerPool {
public:
    WorkerPool() { start(defaultThreads()); }
    ~WorkerPool() { stop(); }
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    std::uint32_t threads() const { return threads_.load(std::memory_order_relaxed); }

    std::uint32_t resize(std::uint32_t threads) {
        std::lock_guard<std::mutex> submit(submitMutex_);
        const std::uint32_t previous = this->threads();
        stop();
        start(std::clamp<std::uint32_t>(threads, 1, kMaxSharingThreads));
        return previous;
    }

    void run(std::uint32_t count, ChunkFunction function, void* job) {
        std::unique_lock<std::mutex> submit(submitMutex_, std::defer_lock);
        if (t_insideJob || count < 2 || !submit.try_lock() || workers_.empty()) {
            const bool outer = !t_insideJob;
            t_insideJob = true;
            for (std::uint32_t i = 0; i < count; ++i) function(job, i);
            t_insideJob = !outer;
            return;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            function_ = function;
            job_ = job;
            count_ = count;
            next_.store(0, std::memory_order_relaxed);
            open_ = true;
            generation_.store(generation_.load(std::memory_order_relaxed) + 1, std::memory_order_release);
        }
        if (sleepers_.load(std::memory_order_acquire) > 0) wake_.notify_all();
        t_insideJob = true;
        work(function, job, count);
        t_insideJob = false;
        // The chunks are all claimed. Workers still inside are finishing
        // their last one, most often within microseconds: watch for that
        // first, as a sleep on done_ and the wake-up after it would cost a
        // small job (a tool's square) more than its sharing saved.
        const auto until = std::chrono::steady_clock::now() + kWatch;
        for (unsigned spins = 0; inside_.load(std::memory_order_acquire) != 0; ++spins) {
            if ((spins & 63) == 63 && std::chrono::steady_clock::now() > until) break;
            pause();
        }
        // Close the job; a worker that has not entered it by now never will,
        // and those inside are finishing their last chunk.
        std::unique_lock<std::mutex> lock(mutex_);
        open_ = false;
        done_.wait(lock, [this] { return inside_.load(std::memory_order_relaxed) == 0; });
    }

    void wakeSleepers() {
        if (sleepers_.load(std::memory_order_acquire) == 0) return;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            alarm_.store(alarm_.load(std::memory_order_relaxed) + 1, std::memory_order_release);
        }
        wake_.notify_all();
    }

private:
    void start(std::uint32_t threads) {
        threads_.store(1, std::memory_order_relaxed);
        quit_.store(false, std::memory_order_relaxed);
        for (std::uint32_t i = 1; i < threads; ++i) {
            // Starting a thread reports failure only by exception; the pool
            // then works with the threads it has.
            try {
                workers_.emplace_back([this] { serve(); });
            } catch (const std::system_error&) {
                break;
            }
            threads_.store(i + 1, std::memory_order_relaxed);
        }
    }

    void stop() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_.store(true, std::memory_order_release);
        }
        wake_.notify_all();
        for (std::thread& t : workers_) t.join();
        workers_.clear();
    }

    void work(ChunkFunction function, void* job, std::uint32_t count) {
        for (std::uint32_t i; (i = next_.fetch_add(1, std::memory_order_relaxed)) < count;) function(job, i);
    }

    // Waits for a job newer than `seen`: first watching (so that a job soon
    // after the last one starts at once), then asleep. False when quitting.
    bool awaitJob(std::uint64_t seen) {
        for (;;) {
            const auto until = std::chrono::steady_clock::now() + kWatch;
            for (unsigned spins = 0;; ++spins) {
                if (quit_.load(std::memory_order_acquire)) return false;
                if (generation_.load(std::memory_order_acquire) != seen) return true;
                if ((spins & 63) == 63 && std::chrono::steady_clock::now() > until) break;
                pause();
            }
            std::unique_lock<std::mutex> lock(mutex_);
            const std::uint64_t alarm = alarm_.load(std::memory_order_relaxed);
            sleepers_.fetch_add(1, std::memory_order_acq_rel);
            wake_.wait(lock, [&] {
                return quit_.load(std::memory_order_relaxed) || generation_.load(std::memory_order_relaxed) != seen ||
                       alarm_.load(std::memory_order_relaxed) != alarm;
            });
            sleepers_.fetch_sub(1, std::memory_order_acq_rel);
        }
    }

    void serve() {
        t_insideJob = true;
        std::uint64_t seen = generation_.load(std::memory_order_acquire);
        while (awaitJob(seen)) {
            ChunkFunction function;
            void* job;
            std::uint32_t count;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                seen = generation_.load(std::memory_order_relaxed);
                if (!open_) continue;
                inside_.fetch_add(1, std::memory_order_relaxed);
                function = function_;
                job = job_;
                count = count_;
            }
            work(function, job, count);
            std::lock_guard<std::mutex> lock(mutex_);
            if (inside_.fetch_sub(1, std::memory_order_release) == 1) done_.notify_all();
        }
    }

    std::mutex submitMutex_;  // one shared job at a time
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    // The job, written under mutex_ before its generation is published and
    // read under mutex_ by the workers that enter it.
    ChunkFunction function_ = nullptr;
    void* job_ = nullptr;
    std::uint32_t count_ = 0;
    bool open_ = false;
    // Changed under mutex_; read without it by the caller watching for the
    // end of its job.
    std::atomic<std::uint32_t> inside_{0};
    std::atomic<std::uint32_t> next_{0};
    std::atomic<std::uint64_t> generation_{0};
    std::atomic<std::uint64_t> alarm_{0};
    std::atomic<std::uint32_t> sleepers_{0};
    std::atomic<bool> quit_{false};
    std::atomic<std::uint32_t> threads_{1};
    std::vector<std::thread> workers_;
};

WorkerPool& pool() {
    static WorkerPool instance;
    return instance;
}

}  // namespace

void runChunks(std::uint32_t chunkCount, ChunkFunction chunkFunction, void* job) {
    pool().run(chunkCount, chunkFunction, job);
}

std::uint32_t sharingThreads() { return pool().threads(); }

std::uint32_t setSharingThreads(std::uint32_t threads) { return pool().resize(threads); }

std::uint32_t bandCount(std::uint32_t rows, std::uint32_t minimumRows) {
    const std::uint32_t threads = sharingThreads();
    if (threads < 2 || rows < 2) return 1;
    if (rows <= threads) return rows;
    // Up to four bands a thread, and the same number for every thread.
    const std::uint32_t perThread = std::clamp<std::uint32_t>(rows / (threads * std::max(1u, minimumRows)), 1, 4);
    return threads * perThread;
}

void wakeWorkers() { pool().wakeSleepers(); }

}  // namespace sc
