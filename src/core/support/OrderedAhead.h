#pragma once
// A list of items worked on ahead of their turn by a few threads and taken in list order by the
// thread that owns the list. Whichever thread is free works on the next item not yet begun, the
// owner too while it waits, within a window of items past the one taken last: enough that no
// thread waits for another's item, few enough that the results held stay small.

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "core/support/WorkerThreads.h"

namespace tally {

template <class Result>
class OrderedAhead {
public:
    // Makes item k's result when it is claimed, with the lock held (so it may take what only the
    // lock guards); may throw.
    using Prepare = std::function<std::unique_ptr<Result>(std::size_t k)>;
    // Works on item k's result, outside the lock, on the thread that claimed it; must not throw.
    using Work = std::function<void(std::size_t k, Result& result)>;

    // Works on `count` items on `threads` - 1 workers and on the taking thread.
    OrderedAhead(std::size_t count, std::size_t window, int threads, Prepare prepare, Work work)
        : m_prepare(std::move(prepare)),
          m_work(std::move(work)),
          m_results(count),
          m_done(count, 0),
          m_window(std::max<std::size_t>(1, window)) {
        startWorkers(
            m_workers, threads - 1, [this] { workerLoop(); }, [this] { stop(); });
    }
    // Stops the workers once they finish the item in hand.
    ~OrderedAhead() { stop(); }
    OrderedAhead(const OrderedAhead&) = delete;
    OrderedAhead& operator=(const OrderedAhead&) = delete;

    std::size_t size() const { return m_results.size(); }

    // Item k's result, taken in order (k counts up from 0): waits for it, working on the later items
    // meanwhile or on this one when no thread has begun it. It stays the caller's until the next take.
    Result& take(std::size_t k) {
        // What was taken before is no longer needed; it goes once the lock is let go (declared
        // before the lock), so that the workers need not wait while a large result is freed.
        std::unique_ptr<Result> previous;
        std::unique_lock lock(m_mutex);
        if (k > 0) previous = std::move(m_results[k - 1]);
        m_taken = k;
        m_changed.notify_all();
        while (!m_done[k]) {
            std::optional<std::size_t> mine;
            try {
                mine = claim();
            } catch (...) {
                // Making a later item's result failed: that item waits for another try, and this
                // one, which another thread works on, is waited for. Only item k's own failure
                // is the caller's.
                if (m_nextClaim == k) throw;
            }
            if (!mine) {
                m_changed.wait(lock);
                continue;
            }
            lock.unlock();
            m_work(*mine, *m_results[*mine]);
            lock.lock();
            m_done[*mine] = 1;
            m_changed.notify_all();
        }
        return *m_results[k];
    }

private:
    void stop() { stopWorkers(m_mutex, m_stopping, m_changed); }

    // Claims the next item when the window allows, with m_mutex held.
    std::optional<std::size_t> claim() {
        if (m_nextClaim >= m_results.size() || m_nextClaim >= m_taken + m_window) return std::nullopt;
        const std::size_t k = m_nextClaim;
        // Made before the item counts as claimed: should this throw, no thread holds it.
        m_results[k] = m_prepare(k);
        ++m_nextClaim;
        return k;
    }

    void workerLoop() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            std::optional<std::size_t> k;
            try {
                m_changed.wait(lock, [&] { return m_stopping || (k = claim()).has_value(); });
            } catch (...) {
                return;  // no room for another result: the taking thread works on the rest itself
            }
            if (m_stopping) return;
            lock.unlock();
            m_work(*k, *m_results[*k]);
            lock.lock();
            m_done[*k] = 1;
            m_changed.notify_all();
        }
    }

    Prepare m_prepare;
    Work m_work;
    std::vector<std::unique_ptr<Result>> m_results;
    std::vector<char> m_done;     // guarded by m_mutex
    std::size_t m_nextClaim = 0;  // guarded by m_mutex
    std::size_t m_taken = 0;      // guarded by m_mutex
    std::size_t m_window;
    bool m_stopping = false;  // guarded by m_mutex
    std::mutex m_mutex;
    std::condition_variable m_changed;
    // Declared last: joined before what they work on goes.
    std::vector<std::jthread> m_workers;
};

}  // namespace tally
