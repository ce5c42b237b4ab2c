#pragma once
// Runs a per-file scan on a thread of its own while the reading thread goes on to the next file: the
// call pass hands each file's text to the module-variable scan this way, so that the search for the
// variables' uses (a third of the pass) and the search for calls run side by side on two cores.
// The scans run strictly in the order the files were handed in, one after another, so what they add
// to the model comes in the same order as on one thread.

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tally {

class FileScanWorker {
public:
    using Scan = std::function<void(std::string_view text, const std::string& path)>;

    explicit FileScanWorker(Scan scan);
    // Stops the thread once the scan under way ends; scans not begun by then are dropped.
    ~FileScanWorker();
    FileScanWorker(const FileScanWorker&) = delete;
    FileScanWorker& operator=(const FileScanWorker&) = delete;

    // Queues the scan of one file's text, which the worker keeps until its scan has run. Waits while
    // kMostQueued texts are waiting already, which bounds the memory they hold. Throws what an earlier
    // scan threw. Returns a text whose scan has run, if any, for the caller to reuse or let go of:
    // texts are freed on the thread that made them, as a free on the worker of a large block from
    // the reading thread's heap costs a lock against that thread's allocations (or an unmapping that
    // interrupts its core).
    std::string add(std::string text, std::string path);
    // Waits until every queued scan has run; throws what a scan threw (the scans after it are not run).
    void finish();

    static constexpr std::size_t kMostQueued = 2;

private:
    struct Job {
        std::string text;
        std::string path;
    };
    void work();
    void rethrowFailure();  // m_mutex held

    Scan m_scan;
    std::mutex m_mutex;
    // A plain condition and flags rather than a wait on a stop token, which hangs now and then in the
    // MinGW runtime (seen under Wine).
    std::condition_variable m_changed;
    std::deque<Job> m_jobs;            // guarded by m_mutex
    std::vector<std::string> m_spent;  // texts whose scan has run; guarded by m_mutex
    bool m_busy = false;               // a scan is running; guarded by m_mutex
    bool m_stopping = false;           // guarded by m_mutex
    std::exception_ptr m_failure;      // guarded by m_mutex
    // Declared last: the thread is joined before the rest goes.
    std::jthread m_thread;
};

}  // namespace tally
