#include "core/parser/RoutineChecks.h"

#include "core/parser/UnusedLocals.h"

namespace tally {

namespace {

// Queued checks beyond this many per worker make the reading thread check some itself.
constexpr std::size_t kQueuedPerWorker = 32;

}  // namespace

RoutineChecks::RoutineChecks(ProjectModel& model, TypeNotes& types, int threads)
    : m_model(model), m_types(types) {
    for (int k = 1; k < threads; ++k)
        m_workers.emplace_back([this] { work(); });
}

RoutineChecks::~RoutineChecks() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    // The workers are joined as m_workers goes, before the stretches they may still hold.
}

void RoutineChecks::run(Stretch& stretch) {
    const RoutineCheck& check = *stretch.check;
    try {
        checkUnusedLocals(stretch.rows, check.text, NameOwner{check.fileName, check.name, check.kind},
                          check.paramNames);
    } catch (...) {
        stretch.failure = std::current_exception();
    }
    // The routine's text is the bulk of what waits in the queue: it goes as soon as it is read.
    stretch.check.reset();
}

void RoutineChecks::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_queued.empty(); });
        if (m_stopping) return;
        runOldest(lock);
        m_changed.notify_all();
    }
}

void RoutineChecks::runOldest(std::unique_lock<std::mutex>& lock) {
    Stretch* stretch = m_queued.front();
    m_queued.pop_front();
    lock.unlock();
    run(*stretch);
    lock.lock();
    stretch->done = true;
}

bool RoutineChecks::helpOnce() {
    std::unique_lock lock(m_mutex);
    if (m_queued.empty()) return false;
    runOldest(lock);
    return true;
}

void RoutineChecks::addGathered(GatheredRows& rows) {
    if (rows.empty()) return;
    auto stretch = std::make_unique<Stretch>();
    stretch->rows = std::move(rows);
    rows = GatheredRows{};
    stretch->done = true;  // no worker ever sees it
    m_order.push_back(std::move(stretch));
}

void RoutineChecks::addCheck(RoutineCheck check) {
    auto stretch = std::make_unique<Stretch>();
    stretch->check = std::move(check);
    Stretch& added = *stretch;
    m_order.push_back(std::move(stretch));
    if (m_workers.empty()) {
        run(added);
        added.done = true;
    } else {
        std::size_t queued = 0;
        {
            std::lock_guard lock(m_mutex);
            m_queued.push_back(&added);
            queued = m_queued.size();
        }
        m_changed.notify_one();
        if (queued > kQueuedPerWorker * m_workers.size()) helpOnce();
    }
    deliver(false);
}

void RoutineChecks::deliver(bool all) {
    while (!m_order.empty()) {
        Stretch& front = *m_order.front();
        {
            std::unique_lock lock(m_mutex);
            if (!front.done) {
                if (!all) return;
                lock.unlock();
                // Checking a queued routine here beats waiting; only when every check is taken is
                // there nothing to do but wait for the front one.
                if (helpOnce()) continue;
                lock.lock();
                m_changed.wait(lock, [&front] { return front.done; });
            }
        }
        if (front.failure) std::rethrow_exception(front.failure);
        front.rows.moveInto(m_model, m_types);
        m_order.pop_front();
    }
}

}  // namespace tally
