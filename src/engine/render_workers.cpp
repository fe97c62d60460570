#include "engine/render_workers.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>

namespace sc {
namespace {

// One helper thread, started with the first shared render and joined at exit.
// Chunks are handed out one at a time from a shared counter, so a helper that
// wakes late (or a machine busy with other work) only shifts chunks to the
// calling thread; the pixels do not depend on who renders them.
class RenderHelper {
public:
    RenderHelper() {
        if (std::thread::hardware_concurrency() < 2) return;
        // Starting a thread reports failure only by exception; without the
        // helper every render simply stays on the calling thread.
        try {
            thread_ = std::thread([this] { serve(); });
        } catch (const std::system_error&) {
        }
    }

    ~RenderHelper() {
        if (!thread_.joinable()) return;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

    RenderHelper(const RenderHelper&) = delete;
    RenderHelper& operator=(const RenderHelper&) = delete;

    bool available() const { return thread_.joinable(); }

    void run(std::uint32_t count, RenderChunkFunction function, void* job) {
        // One shared job at a time; a second caller renders on its own thread.
        std::unique_lock<std::mutex> submit(submitMutex_, std::try_to_lock);
        if (!available() || !submit.owns_lock() || count < 2) {
            for (std::uint32_t i = 0; i < count; ++i) function(job, i);
            return;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            function_ = function;
            job_ = job;
            count_ = count;
            next_.store(0, std::memory_order_relaxed);
            open_ = true;
            ++generation_;
        }
        wake_.notify_one();
        work();
        // Close the job; a helper that has not joined by now never will, and
        // one that has is finishing its last chunk.
        std::unique_lock<std::mutex> lock(mutex_);
        open_ = false;
        done_.wait(lock, [this] { return !inside_; });
    }

private:
    void work() {
        for (std::uint32_t i; (i = next_.fetch_add(1, std::memory_order_relaxed)) < count_;) function_(job_, i);
    }

    void serve() {
        std::uint64_t seen = 0;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return quit_ || generation_ != seen; });
            if (quit_) return;
            seen = generation_;
            if (!open_) continue;
            inside_ = true;
            lock.unlock();
            work();
            lock.lock();
            inside_ = false;
            done_.notify_one();
        }
    }

    std::mutex submitMutex_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    // Guarded by mutex_; the job fields do not change while a job is open.
    std::uint64_t generation_ = 0;
    bool open_ = false;
    bool inside_ = false;
    bool quit_ = false;
    RenderChunkFunction function_ = nullptr;
    void* job_ = nullptr;
    std::uint32_t count_ = 0;
    std::atomic<std::uint32_t> next_{0};
    std::thread thread_;  // last: started once every other member exists
};

RenderHelper& helper() {
    static RenderHelper instance;
    return instance;
}

}  // namespace

void runRenderChunks(std::uint32_t chunkCount, RenderChunkFunction chunkFunction, void* job) {
    helper().run(chunkCount, chunkFunction, job);
}

bool renderHelperAvailable() { return helper().available(); }

}  // namespace sc
