#include "core/parser/FileParseAhead.h"

#include <algorithm>

#include "core/parser/DeclarationLines.h"
#include "core/support/WorkerThreads.h"

namespace tally {

namespace {

// Members read ahead of the one the pass takes next, per thread: enough that no thread waits for
// another's file, few enough that what they hold stays small beside the sources.
constexpr std::size_t kWindowPerThread = 4;

}  // namespace

FileReadAhead::FileReadAhead(const ParseContext& pass)
    : context{model, quiet, pass.cancel, pass.versions, pass.locale},
      state(context),
      checks(model, state.types, 1, &found) {
    context.codePage = pass.codePage;
    state.checks = &checks;
    state.deferredLibraries = &libraries;
    state.controls.logLookups(&lookups);
}

FileParseAhead::FileParseAhead(const ParseContext& pass, std::vector<AheadMember> members, int threads)
    : m_pass(pass),
      m_members(std::move(members)),
      m_reads(m_members.size()),
      m_done(m_members.size(), 0),
      m_window(kWindowPerThread * static_cast<std::size_t>(std::max(1, threads))) {
    startWorkers(
        m_workers, threads - 1, [this] { work(); }, [this] { stop(); });
}

FileParseAhead::~FileParseAhead() {
    stop();
}

void FileParseAhead::stop() {
    stopWorkers(m_mutex, m_stopping, m_changed);
}

std::optional<std::size_t> FileParseAhead::claim() {
    if (m_nextClaim >= m_members.size() || m_nextClaim >= m_taken + m_window) return std::nullopt;
    const std::size_t k = m_nextClaim;
    // Made before the member counts as claimed: should this throw, no thread holds it.
    auto read = std::make_unique<FileReadAhead>(m_pass);
    // The texts read whole before the pass are kept in a table of their own, which only this lock
    // guards while the members are read ahead.
    read->bytes = takeReadAhead(m_pass.readAhead, m_members[k].path, m_members[k].look);
    m_reads[k] = std::move(read);
    ++m_nextClaim;
    return k;
}

void FileParseAhead::read(std::size_t k) {
    FileReadAhead& r = *m_reads[k];
    const AheadMember& member = m_members[k];
    try {
        if (!r.bytes) r.bytes = readFileBytes(member.path, member.look);
        if (!r.bytes) {
            r.complete = true;
            return;
        }
        // The file's own routines go to a stand-in slot of the model read into, slot 1 (or 0, where
        // a file's routines go when its path has no Files row), rather than a model of every slot.
        r.state.startFile(member.fileRow == 0 ? 0 : 1, member.path);
        LineReading how;
        how.lineLengths = &r.lineLengths;
        if (!readDeclarationLines(r.state, *r.bytes, how)) return;
        r.checks.addGathered(r.state.rows);
        r.checks.deliver(true);
        r.complete = true;
    } catch (...) {
        // Read again in its turn, where whatever it was shows as it does on one thread.
        r.failed = true;
    }
}

void FileParseAhead::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        std::optional<std::size_t> k;
        try {
            m_changed.wait(lock, [&] { return m_stopping || (k = claim()).has_value(); });
        } catch (...) {
            return;  // no room for another member: the pass's thread reads the rest itself
        }
        if (m_stopping) return;
        lock.unlock();
        read(*k);
        lock.lock();
        m_done[*k] = 1;
        m_changed.notify_all();
    }
}

FileReadAhead& FileParseAhead::take(std::size_t k) {
    std::unique_lock lock(m_mutex);
    // What the pass took before is no longer needed.
    if (k > 0) m_reads[k - 1].reset();
    m_taken = k;
    m_changed.notify_all();
    while (!m_done[k]) {
        // Read the next member here, or this one when no thread has begun it; wait only when the
        // window is full.
        std::optional<std::size_t> mine = claim();
        if (!mine) {
            m_changed.wait(lock);
            continue;
        }
        lock.unlock();
        read(*mine);
        lock.lock();
        m_done[*mine] = 1;
        m_changed.notify_all();
    }
    return *m_reads[k];
}

bool FileParseAhead::beganAsAssumed(const DeclarationState& state, const FileReadAhead& read) {
    // Whether the file before ended in a designer block does not matter while no routine is open:
    // the tests that read it are met only once this file opened a routine or a control, which sets
    // it (a form without code leaves it set).
    if (state.inRoutine || !state.routineText.empty()) return false;
    for (const ControlNames::Lookup& lookup : read.lookups) {
        const std::optional<int> kind = state.controls.firstKindOf(lookup.name);
        if (kind && *kind != lookup.kind) return false;
    }
    return true;
}

}  // namespace tally
