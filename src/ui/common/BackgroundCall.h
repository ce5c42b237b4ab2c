#pragma once
// Runs one long call (reading or writing a big scan file) on a worker thread while the GUI thread
// keeps repainting. Clicks and keys wait until the call has returned, so nothing can act on the
// model meanwhile.

#include <QEventLoop>
#include <QThread>
#include <memory>
#include <optional>
#include <utility>

namespace tally {

// Calls `work` on a new thread and returns its result once it has finished.
template <typename Work>
auto runWhilePainting(Work work) -> decltype(work()) {
    std::optional<decltype(work())> result;
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create([&] { result.emplace(work()); }));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    return std::move(*result);
}

}  // namespace tally
