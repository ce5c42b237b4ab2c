#include "core/parser/CallPass.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/os/FileBuffer.h"
#include "core/os/FileFacts.h"
#include "core/parser/CallLines.h"
#include "core/parser/CallMatcher.h"
#include "core/parser/CalledByLog.h"
#include "core/parser/FileCallRecord.h"
#include "core/parser/LineCursor.h"
#include "core/parser/LineLabel.h"
#include "core/parser/ModuleVariableScan.h"
#include "core/parser/PublicVariableSweep.h"
#include "core/parser/RowsByName.h"
#include "core/project/PathOps.h"
#include "core/support/OrderedAhead.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

// The slots that can be a file's own: those of the Files rows (slot 0 when a file is not found).
std::size_t ownSlotCount(const ProjectModel& model) {
    return std::max<std::size_t>(1, std::min(model.subs.size(), model.files.size()));
}

// The names of the routines of those slots, slot after slot.
std::vector<std::string_view> routineNames(const ProjectModel& model) {
    std::vector<std::string_view> names;
    const std::size_t slots = std::min(model.subs.size(), ownSlotCount(model));
    for (std::size_t slot = 0; slot < slots; ++slot)
        for (const SubRec& routine : model.subs[slot]) names.push_back(routine.name);
    return names;
}

// Files read ahead of the one the pass takes next, per thread.
constexpr std::size_t kWindowPerThread = 4;

// What one thread reads files with.
struct FileSearches {
    CallLineReader calls;
    ModuleVariableScan::Search variables;
};

// One file as a thread read it ahead of its turn.
struct CallFileRead {
    explicit CallFileRead(const ParseContext& pass) : calls(pass) {}

    std::string bytes;  // the text pass 1 kept (`bytesGiven`), or the file as read
    bool bytesGiven = false;
    bool skipped = false;   // missing or unreadable: passed over
    bool complete = false;  // read to its end: no cancel, nothing thrown
    std::exception_ptr failure;
    FileCallRecord calls;
    FileVariableUses variables;
};

class CallPassRun {
public:
    explicit CallPassRun(ParseContext& context)
        : m_context(context), m_model(context.model), m_variables(context.model), m_calledBy(context.model) {
        CallMatcher matcher(routineNames(m_model));
        // The matcher's name ids of slot s are ids[m_slotStart[s], m_slotStart[s + 1]).
        const std::size_t slots = std::min(m_model.subs.size(), ownSlotCount(m_model));
        m_slotStart.assign(1, 0);
        for (std::size_t slot = 0; slot < slots; ++slot)
            m_slotStart.push_back(m_slotStart.back() + m_model.subs[slot].size());
        if (slots > 0) {
            const std::vector<int>& ids = matcher.names().idsOfGivenNames();
            matcher.setGlobalNames(std::vector<int>(ids.begin(), ids.begin() + m_slotStart[1]));
            m_calledBy.setGlobalNameIds(ids.data(), m_slotStart[1]);
        }
        // The searches of each thread; the call readers share the matcher's tries.
        const auto threads = static_cast<std::size_t>(std::max(1, context.threads));
        for (std::size_t k = 0; k < threads; ++k) {
            // The last takes the matcher itself: one thread keeps no second copy of its stamps.
            CallMatcher own = k + 1 < threads ? CallMatcher(matcher) : std::move(matcher);
            m_searches.push_back(std::make_unique<FileSearches>(FileSearches{
                CallLineReader(std::move(own), m_slotStart), ModuleVariableScan::Search(m_variables)}));
        }
        for (std::size_t row = 1; row < m_model.files.size(); ++row)
            m_rowOfPath.try_emplace(m_model.files[row].path, static_cast<int>(row));
    }

    void run();

private:
    // The sink of the lines read, or played back, on the pass's thread: the progress and the log.
    struct PassSink {
        CallPassRun& run;
        LineLabel lineLabel;

        bool line(std::size_t length) {
            if (run.m_context.cancelled()) return false;
            lineLabel.next();
            run.m_charactersRead += static_cast<long long>(length);
            run.m_context.progress.setValue(run.m_charactersRead);
            return true;
        }
        void label() { run.m_context.progress.setLineLabel(lineLabel.text()); }
        void startCaller(std::string_view entry) { run.m_calledBy.startCaller(entry); }
        void add(std::size_t slot, std::uint32_t row, int line) { run.m_calledBy.add(slot, row, line); }
        void addForName(int nameId, int line) { run.m_calledBy.addForName(nameId, line); }
    };

    int rowOfPath(const std::string& path) const {
        auto it = m_rowOfPath.find(path);
        return it == m_rowOfPath.end() ? 0 : it->second;
    }
    // The slot of the file's own routines, or -1.
    int ownSlotOf(const std::string& path) const {
        const int fileRow = rowOfPath(path);
        return fileRow < static_cast<int>(m_model.subs.size()) ? fileRow : -1;
    }
    // The files one after another on this thread; false when the pass was cancelled.
    bool readInTurn(const std::vector<PathStatus>& looks, int& filesProcessed);
    // Reads file `row` on the pass's thread with `searches`, from `kept` (the text pass 1 kept) when
    // given; false when the pass was cancelled.
    bool readHere(std::size_t row, const PathStatus& look, std::optional<std::string> kept,
                  FileSearches& searches, int& filesProcessed);
    // The files read ahead on several threads and taken in order; false when the pass was cancelled.
    bool readAhead(const std::vector<PathStatus>& looks, int& filesProcessed);
    // Reads file `row` into `read` on whichever thread claimed it.
    void readFile(std::size_t row, const PathStatus& look, CallFileRead& read);
    // The text pass 1 kept for `path`, if any; once each.
    std::optional<std::string> takeKept(const std::string& path) {
        return m_context.sources ? m_context.sources->take(path) : std::nullopt;
    }
    // The searches of a thread that is not the only one, taken from the free ones for as long as
    // it lives. There are as many searches as threads and a thread holds one at most, so one is
    // always free.
    class BorrowedSearches {
    public:
        explicit BorrowedSearches(CallPassRun& run) : m_run(run) {
            std::lock_guard lock(m_run.m_searchesMutex);
            m_searches = m_run.m_freeSearches.back();
            m_run.m_freeSearches.pop_back();
        }
        ~BorrowedSearches() {
            std::lock_guard lock(m_run.m_searchesMutex);
            m_run.m_freeSearches.push_back(m_searches);
        }
        BorrowedSearches(const BorrowedSearches&) = delete;
        BorrowedSearches& operator=(const BorrowedSearches&) = delete;
        FileSearches& operator*() const { return *m_searches; }
        FileSearches* operator->() const { return m_searches; }

    private:
        CallPassRun& m_run;
        FileSearches* m_searches;
    };
    // Lets go of what reading the lines needed (the name tries above all) before the lists are
    // written: writing them is the pass's peak. The variable searches stay until after it: freed
    // before, their blocks left the heap so cut up that the lists and pass 3 took 4% more memory.
    void releaseLineMatching() {
        m_freeSearches.clear();
        for (auto& searches : m_searches) searches->calls.release();
        m_file = FileBuffer();
        m_joined = std::string();
    }

    ParseContext& m_context;
    ProjectModel& m_model;
    ModuleVariableScan m_variables;
    std::vector<std::size_t> m_slotStart;
    CalledByLog m_calledBy;
    std::vector<std::unique_ptr<FileSearches>> m_searches;  // one per thread
    std::mutex m_searchesMutex;
    std::vector<FileSearches*> m_freeSearches;  // those not in use; guarded by m_searchesMutex
    FileBuffer m_file;
    std::unordered_map<std::string, int> m_rowOfPath;
    std::string m_joined;     // the file's lines joined with CR LF, when they had other ends
    FileVariableUses m_uses;  // what the variable search of a file found
    long long m_charactersRead = 0;
};

void CallPassRun::run() {
    // The length is 0 for a path that names no regular file, as for an empty one. The look that
    // gives it also lets the file be opened below without another.
    long long total = 0;
    std::vector<PathStatus> looks;
    looks.reserve(m_model.files.size());
    for (const FileRec& file : m_model.files) {
        looks.push_back(pathStatus(file.path));
        total += looks.back().length;
    }
    m_context.progress.setRange(0, total);

    int filesProcessed = 0;
    const bool complete =
        m_searches.size() > 1 ? readAhead(looks, filesProcessed) : readInTurn(looks, filesProcessed);
    releaseLineMatching();
    m_calledBy.writeTo(m_model, m_context.calledByOrigins);
    m_searches.clear();
    m_variables.storeFilesNotUsing();
    if (!complete) return;
    sweepPublicVariables(m_model, filesProcessed,
                         [this](std::size_t row) { return m_variables.usedInOwnFile(row); });
    m_context.progress.setValue(0);
}

bool CallPassRun::readInTurn(const std::vector<PathStatus>& looks, int& filesProcessed) {
    for (std::size_t row = 0; row < m_model.files.size(); ++row) {
        if (!readHere(row, looks[row], takeKept(m_model.files[row].path), *m_searches.front(),
                      filesProcessed))
            return false;
    }
    return true;
}

bool CallPassRun::readHere(std::size_t row, const PathStatus& look, std::optional<std::string> kept,
                           FileSearches& searches, int& filesProcessed) {
    const FileRec& file = m_model.files[row];
    // A file that is missing, vanished or cannot be read since the project was opened is passed over.
    // The text pass 1 read is used when there is one, once the file is seen to be still there.
    if (kept && !fileExists(file.path)) return true;
    if (!kept && !m_file.read(file.path, look)) return true;
    const std::string_view text = kept ? std::string_view(*kept) : m_file.bytes();
    m_context.progress.setFileLabel("Part 2 of 3. Parsing " + fileNameOf(file.path));
    ++filesProcessed;
    PassSink sink{*this, {}};
    CallLineReader& reader = searches.calls;
    if (!reader.read(text, fileNameOf(file.path), ownSlotOf(file.path), sink)) return false;
    m_context.progress.setLineLabel("Please wait...");
    searches.variables.run(variableScanText(text, reader.crlfThroughout(), m_joined), file.path, m_uses);
    m_variables.takeIn(m_uses);
    return true;
}

void CallPassRun::readFile(std::size_t row, const PathStatus& look, CallFileRead& read) {
    const FileRec& file = m_model.files[row];
    try {
        // As on one thread: the text pass 1 kept once the file is seen to be still there, else the
        // file as it is now.
        if (read.bytesGiven) {
            read.skipped = !fileExists(file.path);
        } else if (std::optional<std::string> bytes = readFileBytes(file.path, look)) {
            read.bytes = std::move(*bytes);
        } else {
            read.skipped = true;
        }
        if (read.skipped) {
            read.complete = true;
            return;
        }
        BorrowedSearches searches(*this);
        read.complete =
            searches->calls.read(read.bytes, fileNameOf(file.path), ownSlotOf(file.path), read.calls);
        if (read.complete) {
            std::string joined;
            searches->variables.run(variableScanText(read.bytes, searches->calls.crlfThroughout(), joined),
                                    file.path, read.variables);
        }
        // The text is done with; it goes on the thread that read it.
        read.bytes = std::string();
    } catch (...) {
        read.failure = std::current_exception();
    }
}

bool CallPassRun::readAhead(const std::vector<PathStatus>& looks, int& filesProcessed) {
    for (auto& searches : m_searches) m_freeSearches.push_back(searches.get());
    auto prepare = [&](std::size_t row) {
        auto read = std::make_unique<CallFileRead>(m_context);
        // The texts pass 1 kept are in a table that only the lock guards while the files are read.
        const std::string& path = m_model.files[row].path;
        if (std::optional<std::string> kept = takeKept(path)) {
            read->bytes = std::move(*kept);
            read->bytesGiven = true;
        }
        return read;
    };
    OrderedAhead<CallFileRead> ahead(
        m_model.files.size(), kWindowPerThread * m_searches.size(), static_cast<int>(m_searches.size()),
        prepare, [&](std::size_t row, CallFileRead& read) { readFile(row, looks[row], read); });
    for (std::size_t row = 0; row < m_model.files.size(); ++row) {
        CallFileRead& read = ahead.take(row);
        if (read.failure) {
            // Read again in its turn, here, where whatever it was shows as it does on one thread;
            // after a cancel the pass stops as it would at the file's first line.
            if (m_context.cancelled()) return false;
            std::optional<std::string> kept;
            if (read.bytesGiven) kept = std::move(read.bytes);
            BorrowedSearches searches(*this);
            if (!readHere(row, looks[row], std::move(kept), *searches, filesProcessed)) return false;
            continue;
        }
        if (read.skipped) continue;
        const FileRec& file = m_model.files[row];
        m_context.progress.setFileLabel("Part 2 of 3. Parsing " + fileNameOf(file.path));
        ++filesProcessed;
        PassSink sink{*this, {}};
        const int ownSlot = ownSlotOf(file.path);
        if (!read.calls.playBack(sink, ownSlot < 0 ? 0 : static_cast<std::size_t>(ownSlot)) || !read.complete)
            return false;
        m_context.progress.setLineLabel("Please wait...");
        m_variables.takeIn(read.variables);
    }
    return true;
}

}  // namespace

void runCallPass(ParseContext& context) {
    CallPassRun run(context);
    run.run();
}

}  // namespace tally
