#include "core/parser/UsagePass.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/parser/CalledByList.h"
#include "core/parser/FullPathLookup.h"
#include "core/parser/NameTrie.h"

namespace tally {

namespace {

std::string joinKey(std::string_view a, std::string_view b) {
    std::string key;
    key.reserve(a.size() + b.size() + 1);
    key.append(a).push_back('\x01');
    key.append(b);
    return key;
}

std::string routineKey(std::string_view name, int kind, std::string_view extra = {}) {
    return joinKey(name, joinKey(std::to_string(kind), extra));
}

class UsagePassRun {
public:
    explicit UsagePassRun(ParseContext& context) : m_context(context), m_model(context.model) {
        m_slots = std::min(m_model.subs.size(), m_model.files.size());
    }

    void run();

private:
    // Flags the routine owning each variable row (flag 2 for UnVar, 4 for DecVar).
    void flagOwners(const std::vector<VarRec>& rows, int flag);
    void buildRoutineIndexes();
    void buildCallerIndexes();
    void calledByDeadOnly(SubRec& callee, const std::vector<CalledByEntry>& entries);
    // Notes the callers of `callee` found in its CalledBy list.
    void findCallers(const SubRec& callee);
    void findCallersNamed(int nameId, std::size_t hit, std::string_view calledBy, std::uint32_t calleeIndex);
    // Appends the noted callees to the callers' Calls lists.
    void writeCalls();

    ParseContext& m_context;
    ProjectModel& m_model;
    std::size_t m_slots = 0;
    long long m_value = 0;

    // First position of (slot, name, kind), and of (name, kind, file) in the global slot.
    std::unordered_map<std::string, std::size_t> m_firstInSlot;
    std::unordered_map<std::string, std::size_t> m_firstGlobal;

    // Every routine as a possible caller: grouped by name id, then by file id.
    struct RoutineRef {
        std::uint32_t slot, position;
    };
    NameTrie m_callerNames;
    NameTrie m_fileTrie;
    // The routines of name n lie in groups m_groups[m_groupsOfName[n] .. m_groupsOfName[n + 1]), one
    // per file and sorted by file id; the routines of group g are m_refs[g.firstRef, next group's).
    struct Group {
        int file;
        std::uint32_t firstRef;
    };
    std::vector<std::uint32_t> m_groupsOfName;
    std::vector<Group> m_groups;
    std::vector<RoutineRef> m_refs;
    std::unordered_set<std::string> m_deadCallers;
    bool m_anyRoutine = false;

    std::vector<unsigned> m_nameSeen, m_fileSeen;
    unsigned m_nameStamp = 0, m_fileStamp = 0;
    std::vector<int> m_filesAtHit;

    // Calls entries to write: the callees' texts "name - file<code 1>" one after another (callee i is
    // m_calleeText[m_callees[i], m_callees[i + 1])), and (caller, callee) pairs in the order found;
    // callers are indexes into m_refs.
    struct CallPair {
        std::uint32_t caller, callee;
    };
    std::string m_calleeText;
    std::vector<std::size_t> m_callees{0};
    std::vector<CallPair> m_callPairs;
};

void UsagePassRun::run() {
    const long long files = static_cast<long long>(m_model.files.size());
    const long long varRows = static_cast<long long>(m_model.unVar.size() + m_model.decVar.size());
    const long long globals = m_model.subCount(0);
    const long long maximum = 2 * files + varRows + (globals - 1) * varRows - 4;
    m_context.progress.setRange(0, std::max(0LL, maximum));
    m_value = 0;

    buildRoutineIndexes();
    flagOwners(m_model.unVar, kProblemUnusedVariable);
    flagOwners(m_model.decVar, kProblemUntypedVariable);

    buildCallerIndexes();
    for (std::size_t slot = 0; slot < m_slots; ++slot) {
        for (SubRec& callee : m_model.subs[slot]) {
            if (callee.calledBy.empty()) continue;
            calledByDeadOnly(callee, parseCalledByList(callee.calledBy));
            findCallers(callee);
        }
        m_context.progress.setValue(++m_value);
    }
    writeCalls();
}

void UsagePassRun::writeCalls() {
    // Each caller's list is written in one go, its callees in the order they were met.
    std::stable_sort(m_callPairs.begin(), m_callPairs.end(),
                     [](const CallPair& a, const CallPair& b) { return a.caller < b.caller; });
    for (std::size_t k = 0; k < m_callPairs.size();) {
        const std::uint32_t caller = m_callPairs[k].caller;
        std::size_t end = k, length = 0;
        for (; end < m_callPairs.size() && m_callPairs[end].caller == caller; ++end)
            length += m_callees[m_callPairs[end].callee + 1] - m_callees[m_callPairs[end].callee];
        SubRec& routine = m_model.subs[m_refs[caller].slot][m_refs[caller].position];
        routine.calls.reserve(routine.calls.size() + length);
        for (; k < end; ++k) {
            const std::uint32_t callee = m_callPairs[k].callee;
            routine.calls.append(m_calleeText, m_callees[callee], m_callees[callee + 1] - m_callees[callee]);
        }
    }
}

void UsagePassRun::buildRoutineIndexes() {
    for (std::size_t slot = 0; slot < m_slots; ++slot) {
        const std::vector<SubRec>& routines = m_model.subs[slot];
        for (std::size_t pos = 0; pos < routines.size(); ++pos) {
            const SubRec& r = routines[pos];
            m_firstInSlot.try_emplace(joinKey(std::to_string(slot), routineKey(r.name, r.kind)), pos);
            if (slot == 0) m_firstGlobal.try_emplace(routineKey(r.name, r.kind, r.file), pos);
        }
    }
}

void UsagePassRun::flagOwners(const std::vector<VarRec>& rows, int flag) {
    std::vector<std::string_view> fileNames;
    fileNames.reserve(rows.size());
    for (const VarRec& row : rows) fileNames.push_back(row.file);
    FullPathLookup paths(m_model.tree, fileNames);
    std::unordered_map<std::string, int> rowOfPath;
    for (std::size_t row = m_model.files.size(); row-- > 1;)
        rowOfPath[m_model.files[row].path] = static_cast<int>(row);

    const std::size_t globals = m_slots > 0 ? m_model.subs[0].size() : 0;
    auto mark = [flag](SubRec& routine) {
        if ((routine.problems & flag) == 0) routine.problems += flag;
    };
    for (const VarRec& var : rows) {
        ++m_value;
        auto pathRow = rowOfPath.find(paths.pathOf(var.file));
        const std::size_t slot = pathRow == rowOfPath.end() ? 0 : static_cast<std::size_t>(pathRow->second);
        // First the routine of that name and kind in the file's own slot.
        if (slot < m_slots) {
            auto own =
                m_firstInSlot.find(joinKey(std::to_string(slot), routineKey(var.scope, var.ownerKind)));
            if (own != m_firstInSlot.end()) {
                mark(m_model.subs[slot][own->second]);
                m_context.progress.setValue(m_value);
                continue;
            }
        }
        // Then a global routine of that name, kind and file; the progress counts the routines a
        // search from the first would have looked at.
        auto global = m_firstGlobal.find(routineKey(var.scope, var.ownerKind, var.file));
        if (global != m_firstGlobal.end()) {
            m_value += static_cast<long long>(global->second) + 1;
            mark(m_model.subs[0][global->second]);
        } else {
            m_value += static_cast<long long>(globals);
        }
        m_context.progress.setValue(m_value);
    }
}

void UsagePassRun::buildCallerIndexes() {
    std::vector<std::string_view> callerNames, fileNames;
    for (std::size_t slot = 0; slot < m_slots; ++slot) {
        for (const SubRec& r : m_model.subs[slot]) {
            callerNames.push_back(r.name);
            fileNames.push_back(r.file);
            m_anyRoutine = true;
            if (r.timesCalled == 0 && r.kind < kKindPropertyGet)
                m_deadCallers.insert(joinKey(r.name, r.file));
        }
    }
    m_callerNames = NameTrie(NameTrie::Direction::Forward, callerNames);
    m_fileTrie = NameTrie(NameTrie::Direction::Forward, fileNames);
    const int names = m_callerNames.size();
    struct Keyed {
        int name, file;
        RoutineRef ref;
    };
    std::vector<Keyed> keyed;
    // The tries were built from the routines in this same order.
    const std::vector<int>& nameIds = m_callerNames.idsOfGivenNames();
    const std::vector<int>& fileIds = m_fileTrie.idsOfGivenNames();
    for (std::size_t slot = 0, k = 0; slot < m_slots; ++slot) {
        for (std::size_t pos = 0; pos < m_model.subs[slot].size(); ++pos, ++k)
            keyed.push_back({nameIds[k],
                             fileIds[k],
                             {static_cast<std::uint32_t>(slot), static_cast<std::uint32_t>(pos)}});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return a.name != b.name ? a.name < b.name : a.file < b.file;
    });
    m_groupsOfName.assign(static_cast<std::size_t>(names) + 1, 0);
    for (std::size_t k = 0; k < keyed.size(); ++k) {
        if (k == 0 || keyed[k].name != keyed[k - 1].name || keyed[k].file != keyed[k - 1].file) {
            m_groups.push_back({keyed[k].file, static_cast<std::uint32_t>(k)});
            ++m_groupsOfName[static_cast<std::size_t>(keyed[k].name) + 1];
        }
        m_refs.push_back(keyed[k].ref);
    }
    for (std::size_t n = 1; n < m_groupsOfName.size(); ++n) m_groupsOfName[n] += m_groupsOfName[n - 1];
    m_groups.push_back({-1, static_cast<std::uint32_t>(m_refs.size())});
    m_nameSeen.assign(static_cast<std::size_t>(names), 0);
    m_fileSeen.assign(static_cast<std::size_t>(m_fileTrie.size()), 0);
}

void UsagePassRun::calledByDeadOnly(SubRec& callee, const std::vector<CalledByEntry>& entries) {
    if (callee.kind >= kKindPropertyGet || (callee.problems & kProblemCalledByDeadOnly) != 0) return;
    // Flagged when one never-called Function, Sub or DLL routine made every recorded call (with no
    // readable entry at all, any routine does).
    bool flag = false;
    if (entries.empty()) {
        flag = m_anyRoutine;
    } else {
        const CalledByEntry& first = entries.front();
        flag = std::all_of(entries.begin(), entries.end(),
                           [&](const CalledByEntry& e) {
                               return e.routine == first.routine && e.file == first.file;
                           }) &&
               m_deadCallers.count(joinKey(first.routine, first.file)) != 0;
    }
    if (flag) callee.problems += kProblemCalledByDeadOnly;
}

void UsagePassRun::findCallers(const SubRec& callee) {
    const auto calleeIndex = static_cast<std::uint32_t>(m_callees.size() - 1);
    m_calleeText.append(callee.name).append(" - ").append(callee.file).push_back('\x01');
    m_callees.push_back(m_calleeText.size());
    const std::string_view calledBy = callee.calledBy;
    if (++m_nameStamp == 0) {
        std::fill(m_nameSeen.begin(), m_nameSeen.end(), 0);
        m_nameStamp = 1;
    }
    // A routine is a caller when its name occurs in the list and its file name occurs after the
    // first place of the name, within the same entry. Only the first place of each name counts.
    // Names are met in the order of the places where they begin, so the first meeting is the first place.
    const NameTrie& names = m_callerNames;
    for (std::size_t start = 0; start < calledBy.size(); ++start) {
        if (!names.mayBeginWith(calledBy[start])) continue;
        names.forEachStartingAt(calledBy, start, [&](int id, std::size_t) {
            auto& seen = m_nameSeen[static_cast<std::size_t>(id)];
            if (seen == m_nameStamp) return;
            seen = m_nameStamp;
            findCallersNamed(id, start, calledBy, calleeIndex);
        });
    }
}

void UsagePassRun::findCallersNamed(int nameId, std::size_t hit, std::string_view calledBy,
                                    std::uint32_t calleeIndex) {
    const Group* first = m_groups.data() + m_groupsOfName[static_cast<std::size_t>(nameId)];
    const Group* last = m_groups.data() + m_groupsOfName[static_cast<std::size_t>(nameId) + 1];
    std::size_t end = calledBy.find('\x01', hit + 1);
    if (end == std::string_view::npos) end = calledBy.size();
    // The file's first place at or after the hit must lie after the hit and before the entry's end.
    const std::string_view window = calledBy.substr(hit, end - hit);
    auto append = [&](const Group* group) {
        for (std::uint32_t k = group->firstRef; k < (group + 1)->firstRef; ++k)
            m_callPairs.push_back({k, calleeIndex});
    };
    if (last - first <= 8) {
        for (const Group* group = first; group != last; ++group) {
            std::size_t at = window.find(m_fileTrie.name(group->file));
            if (at != std::string_view::npos && at > 0) append(group);
        }
        return;
    }
    // A name shared by many files (an event routine of every form): list the file names that start
    // inside the window instead of searching for each.
    if (++m_fileStamp == 0) {
        std::fill(m_fileSeen.begin(), m_fileSeen.end(), 0);
        m_fileStamp = 1;
    }
    const unsigned stamp = m_fileStamp;
    m_filesAtHit.clear();
    m_fileTrie.forEachStartingAt(calledBy, hit, [&](int fileId, std::size_t) {
        m_fileSeen[static_cast<std::size_t>(fileId)] = stamp;
    });
    for (std::size_t j = hit + 1; j < end; ++j) {
        m_fileTrie.forEachStartingAt(calledBy, j, [&](int fileId, std::size_t) {
            auto& seen = m_fileSeen[static_cast<std::size_t>(fileId)];
            if (seen == stamp) return;
            seen = stamp;
            m_filesAtHit.push_back(fileId);
        });
    }
    for (int fileId : m_filesAtHit) {
        const Group* group =
            std::lower_bound(first, last, fileId, [](const Group& g, int f) { return g.file < f; });
        if (group != last && group->file == fileId) append(group);
    }
}

}  // namespace

void runUsagePass(ParseContext& context) {
    UsagePassRun run(context);
    run.run();
}

}  // namespace tally
