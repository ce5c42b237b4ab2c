#include "core/parser/FileScanWorker.h"

#include "core/support/WorkerThreads.h"

namespace tally {

FileScanWorker::FileScanWorker(Scan scan) : m_scan(std::move(scan)), m_thread([this] { work(); }) {}

FileScanWorker::~FileScanWorker() {
    stopWorkers(m_mutex, m_stopping, m_changed);
}

std::string FileScanWorker::add(std::string text, std::string path) {
    std::string spent;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_failure || m_jobs.size() < kMostQueued; });
    rethrowFailure();
    m_jobs.push_back(Job{std::move(text), std::move(path)});
    if (!m_spent.empty()) {
        spent = std::move(m_spent.back());
        m_spent.pop_back();
    }
    lock.unlock();
    m_changed.notify_all();
    return spent;
}

void FileScanWorker::finish() {
    std::vector<std::string> spent;  // freed here, outside the lock
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_failure || (m_jobs.empty() && !m_busy); });
    spent.swap(m_spent);
    rethrowFailure();
}

void FileScanWorker::rethrowFailure() {
    if (!m_failure) return;
    m_jobs.clear();
    std::rethrow_exception(m_failure);
}

void FileScanWorker::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || (!m_jobs.empty() && !m_failure); });
        if (m_stopping) return;
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_busy = true;
        lock.unlock();
        std::exception_ptr failure;
        try {
            m_scan(job.text, job.path);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        m_spent.push_back(std::move(job.text));
        m_busy = false;
        if (failure) m_failure = failure;
        m_changed.notify_all();
    }
}

}  // namespace tally
