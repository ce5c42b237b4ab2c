// Starting a pass's workers may fail part way (no memory, no thread to be had); the threads already
// started must then be told to return, or joining them waits for ever.

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "core/support/WorkerThreads.h"

namespace tally {
namespace {

struct Shared {
    std::mutex mutex;
    std::condition_variable changed;
    bool stopping = false;
    std::atomic<int> copies{0};
    std::atomic<int> returned{0};
};

// Waits for the stop; its second copy (the second thread's) fails to be made.
struct WaitForStop {
    explicit WaitForStop(Shared& s) : shared(&s) {}
    WaitForStop(const WaitForStop& other) : shared(other.shared) {
        if (++shared->copies >= 2) throw std::runtime_error("no thread to be had");
    }
    WaitForStop(WaitForStop&& other) noexcept : shared(other.shared) {}
    void operator()() const {
        std::unique_lock lock(shared->mutex);
        shared->changed.wait(lock, [this] { return shared->stopping; });
        ++shared->returned;
    }
    Shared* shared;
};

TEST(WorkerThreads, AStartFailingPartWayStopsTheThreadsAlreadyStarted) {
    Shared shared;
    {
        std::vector<std::jthread> workers;
        EXPECT_THROW(startWorkers(workers, 3, WaitForStop(shared),
                                  [&] { stopWorkers(shared.mutex, shared.stopping, shared.changed); }),
                     std::runtime_error);
        EXPECT_EQ(workers.size(), 1u);
    }  // joined here: this returns only if the started thread was told to stop
    EXPECT_TRUE(shared.stopping);
    EXPECT_EQ(shared.returned, 1);
}

TEST(WorkerThreads, NoneAreStartedForACountBelowOne) {
    Shared shared;
    std::vector<std::jthread> workers;
    startWorkers(workers, -1, WaitForStop(shared), [] {});
    EXPECT_TRUE(workers.empty());
}

}  // namespace
}  // namespace tally
