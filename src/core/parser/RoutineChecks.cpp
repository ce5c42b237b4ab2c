#include "core/parser/RoutineChecks.h"

#include "core/support/WorkerThreads.h"

namespace tally {

namespace {

// Queued stretches beyond this many per worker make the reading thread check some itself.
constexpr std::size_t kQueuedPerWorker = 4;
// A stretch goes to the workers once its routines hold this much text, or this many routines.
constexpr std::size_t kStretchBytes = std::size_t{64} << 10;
constexpr std::size_t kStretchChecks = 128;

}  // namespace

RoutineChecks::RoutineChecks(ProjectModel& model, TypeNotes& types, int threads, GatheredRows* collect)
    : m_model(model), m_types(types), m_collect(collect) {
    startWorkers(
        m_workers, threads - 1, [this] { work(); }, [this] { stop(); });
}

RoutineChecks::~RoutineChecks() {
    stop();
    // The workers are joined as m_workers goes, before the stretches they may still hold.
}

void RoutineChecks::stop() {
    stopWorkers(m_mutex, m_stopping, m_changed);
}

void RoutineChecks::run(Stretch& stretch) {
    UnusedLocalScratch scratch;  // one per stretch: workers share nothing
    for (std::size_t k = 0; k < stretch.parts.size(); ++k) {
        Part& part = stretch.parts[k];
        if (!part.check) continue;
        const RoutineCheck& check = *part.check;
        try {
            checkUnusedLocals(part.found, check.text, check.declarationLines,
                              NameOwner{check.fileName, check.name, check.kind}, check.paramNames, scratch);
        } catch (...) {
            stretch.failure = std::current_exception();
            stretch.failedPart = k;
            return;
        }
        // The routine's text is the bulk of what waits in the queue: it goes as soon as it is read.
        part.check.reset();
    }
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

RoutineChecks::Stretch& RoutineChecks::open() {
    if (!m_open) {
        m_order.push_back(std::make_unique<Stretch>());
        m_open = m_order.back().get();
    }
    return *m_open;
}

void RoutineChecks::close() {
    if (!m_open) return;
    Stretch& closed = *m_open;
    m_open = nullptr;
    if (m_workers.empty() || closed.checks == 0) {
        run(closed);
        closed.done = true;
        return;
    }
    std::size_t queued = 0;
    {
        std::lock_guard lock(m_mutex);
        m_queued.push_back(&closed);
        queued = m_queued.size();
    }
    m_changed.notify_one();
    if (queued > kQueuedPerWorker * m_workers.size()) helpOnce();
}

void RoutineChecks::addGathered(GatheredRows& rows) {
    if (rows.empty()) return;
    // With nothing waiting (always so on one thread) the rows join the model at once, and `rows`
    // keeps its storage for the next ones.
    if (m_order.empty()) {
        join(rows);
        return;
    }
    gatheringPart().rows.append(rows);
}

RoutineChecks::Part& RoutineChecks::gatheringPart() {
    Stretch& stretch = open();
    if (stretch.parts.empty() || stretch.parts.back().check) stretch.parts.emplace_back();
    return stretch.parts.back();
}

void RoutineChecks::check(std::string_view text, const std::vector<LineSpan>& declarationLines,
                          std::string_view fileName, std::string_view name, int kind,
                          const std::vector<std::string>& paramNames) {
    if (m_workers.empty() || text.size() < kWorkerTextBytes) {
        checkNow(text, declarationLines, NameOwner{fileName, name, kind}, paramNames);
        return;
    }
    addCheck(RoutineCheck{std::string(text), declarationLines, std::string(fileName), std::string(name), kind,
                          paramNames});
}

void RoutineChecks::checkNow(std::string_view text, const std::vector<LineSpan>& declarationLines,
                             const NameOwner& owner, const std::vector<std::string>& paramNames) {
    // What the workers finished joins the model first; an open stretch with no check in it waits
    // for nothing, so it joins too.
    deliver(false);
    if (m_open && m_open->checks == 0 && m_order.size() == 1) {
        close();
        deliver(false);
    }
    try {
        checkUnusedLocals(m_found, text, declarationLines, owner, paramNames, m_scratch);
    } catch (...) {
        // Nothing of a check that failed joins the model; as when a queued check fails, what came
        // before it does.
        m_found = GatheredRows{};
        if (!m_order.empty()) deliver(true);
        throw;
    }
    if (m_order.empty()) {
        join(m_found);
        return;
    }
    // Behind the rows gathered just before it, as a queued check's findings would be.
    gatheringPart().rows.append(m_found);
    // A stretch of short routines closes by their number, as one of queued checks does.
    if (++m_open->routines >= kStretchChecks) close();
    deliver(false);
}

void RoutineChecks::addCheck(RoutineCheck check) {
    // Rows gathered just before the routine belong to its part, so that they stay ahead of it.
    Part& part = gatheringPart();
    Stretch& stretch = *m_open;
    ++stretch.checks;
    ++stretch.routines;
    stretch.textBytes += check.text.size();
    part.check = std::move(check);
    if (m_workers.empty() || stretch.textBytes >= kStretchBytes || stretch.checks >= kStretchChecks)
        close();
    deliver(false);
}

void RoutineChecks::deliver(bool all) {
    if (all) close();
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
        // The stretch being filled is never done, so it is never delivered while it grows.
        const std::size_t whole = front.failure ? front.failedPart : front.parts.size();
        for (std::size_t k = 0; k < whole; ++k) {
            join(front.parts[k].rows);
            join(front.parts[k].found);
        }
        if (front.failure) {
            join(front.parts[whole].rows);
            std::rethrow_exception(front.failure);
        }
        m_order.pop_front();
    }
}

}  // namespace tally
