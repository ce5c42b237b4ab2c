#pragma once
// Starting and stopping the few worker threads a pass keeps beside its own.

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

namespace tally {

// Sets `stopping` under `mutex` and wakes every thread waiting on `changed`.
inline void stopWorkers(std::mutex& mutex, bool& stopping, std::condition_variable& changed) {
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    changed.notify_all();
}

// Starts `count` threads that run `work`. Should starting one fail (no memory, no thread to be had),
// `stop` is called before the failure goes on: an object whose constructor fails is never destroyed,
// so nothing else would tell the threads already started to return, and joining them would wait
// for ever.
template <class Work, class Stop>
void startWorkers(std::vector<std::jthread>& workers, int count, const Work& work, const Stop& stop) {
    try {
        workers.reserve(static_cast<std::size_t>(std::max(0, count)));
        for (int k = 0; k < count; ++k) workers.emplace_back(work);
    } catch (...) {
        stop();
        throw;
    }
}

}  // namespace tally
