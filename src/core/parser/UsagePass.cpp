#include "core/parser/UsagePass.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/support/ByteSetScan.h"
#include "core/parser/CalledByList.h"
#include "core/model/FullPathLookup.h"
#include "core/support/NameInterner.h"
#include "core/support/NameTrie.h"
#include "core/support/StableOrder.h"
#include "core/parser/RoutineKeyTable.h"

namespace tally {

namespace {

// How many routines after the last owner found are tried as the next row's owner before a lookup.
constexpr std::size_t kOwnersTriedAfterLast = 4;

// Whether `name`, met in a CalledBy entry "<routine> - <file> - <line>", can only lie within the
// caller's text: it cannot begin in the line number (with a digit), nor begin inside the caller's
// text and run on past its closing " - " (holding " - ", or beginning with "-" or a blank).
bool endsBeforeLineNumber(std::string_view name) {
    if (!name.empty() && (name.front() == '-' || name.front() == ' ' || (name.front() >= '0' && name.front() <= '9')))
        return false;
    return name.find(" - ") == std::string_view::npos;
}

class UsagePassRun {
public:
    explicit UsagePassRun(ParseContext& context) : m_context(context), m_model(context.model) {
        m_slots = std::min(m_model.subs.size(), m_model.files.size());
        for (std::size_t row = m_model.files.size(); row-- > 1;)
            m_rowOfPath[m_model.files[row].path] = static_cast<int>(row);
    }

    void run();

private:
    // The tries of the routines' names and files (the ids every step uses), then the routines
    // grouped as callers.
    void buildNameTries();
    void buildCallerGroups();
    void buildRoutineIndexes();
    // Flags the routine owning each variable row (flag 2 for UnVar, 4 for DecVar).
    void flagOwners(const std::vector<VarRec>& rows, int flag);
    // `noted` is the number the call pass gave the callee's list, or CalledByOrigins::kNotNoted.
    void calledByDeadOnly(SubRec& callee, std::uint32_t noted);
    bool deadOnlyCaller(std::string_view calledBy) const;
    // The same for a list the call pass wrote, read as the callers of its entries.
    bool deadOnlyCallerOfNoted(std::uint32_t noted) const;
    bool isDeadCaller(std::string_view routine, std::string_view file) const;
    // Notes the callers of `callee` found in its CalledBy list.
    void findCallers(const SubRec& callee, std::uint32_t noted);
    // Adds to `groups` the caller groups that the entries of `calledBy` name, entry by entry.
    void callerGroupsIn(std::string_view calledBy, std::vector<std::uint32_t>& groups);
    void callerGroupsNamed(int nameId, std::size_t hit, std::size_t end, std::string_view calledBy,
                           std::vector<std::uint32_t>& groups);
    // Lets go of what finding the callers needed, the origins of the lists included.
    void releaseCallerSearch();
    // Appends the noted callees to the callers' Calls lists.
    void writeCalls();

    ParseContext& m_context;
    ProjectModel& m_model;
    std::size_t m_slots = 0;
    long long m_value = 0;
    std::unordered_map<std::string, int> m_rowOfPath;  // the first Files row of each path

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
        bool anyDead;  // one of them is a never-called Function, Sub or DLL routine
    };
    std::vector<std::uint32_t> m_groupsOfName;
    std::vector<Group> m_groups;
    std::vector<RoutineRef> m_refs;
    bool m_anyRoutine = false;

    // First position of a (slot, name, kind), and of a (file, name, kind) in the project-wide slot.
    RoutineKeyTable m_firstInSlot, m_firstGlobal;
    // Per routine, counted slot after slot from m_routineStart[slot]: whether it is the first of its
    // name and kind in its slot, the one m_firstInSlot gives.
    std::vector<std::size_t> m_routineStart;
    std::vector<char> m_firstOfKeyInSlot;
    // Per routine of the project-wide slot: whether it is the first of its file, name and kind there,
    // the one m_firstGlobal gives.
    std::vector<char> m_firstOfKeyGlobally;

    std::vector<unsigned> m_nameSeen, m_fileSeen, m_groupSeen;
    unsigned m_nameStamp = 0, m_fileStamp = 0, m_groupStamp = 0;
    std::vector<int> m_filesAtHit;
    // The caller groups each distinct CalledBy entry names: m_entryGroups[first, second). Valid only
    // while no routine or file name holds the entry end (code 1), which the names are checked for.
    bool m_namesHoldEntryEnd = false;
    std::unordered_map<std::string_view, std::pair<std::uint32_t, std::uint32_t>> m_groupsOfEntry;
    std::vector<std::uint32_t> m_entryGroups;
    // When no routine or file name can begin in an entry's line number or run on into it from the
    // caller's text, an entry names the caller groups that its caller's text alone names, and a list
    // the call pass wrote is read as its entries' callers: caller c's groups are
    // m_entryGroups[m_groupsOfCaller[c]) (first past second: not read yet).
    bool m_entriesAreTheirCallers = false;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_groupsOfCaller;
    // The callers (groups, each once) found for each list text, by its buffer: the namesakes that
    // share a list form one class of callees, and class c's callers are m_listGroups[first, second)
    // of m_classCallers[c].
    std::unordered_map<const void*, std::uint32_t> m_classOfList;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_classCallers;
    std::vector<std::uint32_t> m_listGroups;
    // Whether each list text was made by one never-called routine alone, by its buffer.
    std::unordered_map<const void*, bool> m_deadOnlyOfList;
    // The same two for the lists the call pass noted, by their numbers: no lookup by buffer.
    std::vector<std::uint32_t> m_classOfNoted;  // kNotNoted until the list's callers are found
    std::vector<signed char> m_deadOnlyOfNoted;  // -1 until known

    // Calls entries to write: the callees' texts "name - file<code 1>" one after another (callee i is
    // m_calleeText[m_callees[i], m_callees[i + 1])), and the class of each callee.
    std::string m_calleeText;
    std::vector<std::size_t> m_callees{0};
    std::vector<std::uint32_t> m_classOfCallee;
};

void UsagePassRun::run() {
    const long long files = static_cast<long long>(m_model.files.size());
    const long long varRows = static_cast<long long>(m_model.unVar.size() + m_model.decVar.size());
    const long long globals = m_model.subCount(0);
    const long long maximum = 2 * files + varRows + (globals - 1) * varRows - 4;
    m_context.progress.setRange(0, std::max(0LL, maximum));
    m_value = 0;

    // What each step needs is let go once it is done, so that the pass's peak is its largest step
    // rather than all of them: it comes while the model holds every list.
    buildNameTries();
    buildRoutineIndexes();
    flagOwners(m_model.unVar, kProblemUnusedVariable);
    flagOwners(m_model.decVar, kProblemUntypedVariable);
    m_firstInSlot = RoutineKeyTable();
    m_firstGlobal = RoutineKeyTable();
    m_routineStart = {};
    m_firstOfKeyInSlot = {};
    m_firstOfKeyGlobally = {};
    buildCallerGroups();

    for (std::size_t slot = 0; slot < m_slots; ++slot) {
        for (SubRec& callee : m_model.subs[slot]) {
            if (callee.calledBy.empty()) continue;
            const std::uint32_t noted = m_context.calledByOrigins
                                            ? m_context.calledByOrigins->numberOf(callee.calledBy)
                                            : CalledByOrigins::kNotNoted;
            calledByDeadOnly(callee, noted);
            findCallers(callee, noted);
        }
        m_context.progress.setValue(++m_value);
    }
    releaseCallerSearch();
    writeCalls();
}

void UsagePassRun::releaseCallerSearch() {
    m_callerNames = NameTrie();
    m_fileTrie = NameTrie();
    m_groupsOfName = {};
    m_groupsOfEntry = {};
    m_entryGroups = {};
    m_groupsOfCaller = {};
    m_classOfList = {};
    m_deadOnlyOfList = {};
    m_classOfNoted = {};
    m_deadOnlyOfNoted = {};
    m_nameSeen = {};
    m_fileSeen = {};
    m_groupSeen = {};
    m_filesAtHit = {};
    if (m_context.calledByOrigins) m_context.calledByOrigins->clear();
}

void UsagePassRun::writeCalls() {
    // The routines of one caller group (one name in one file: the Get, Let and Set of a property)
    // share one list. The lists stay numbers in one table: the callees of each class (counting sort,
    // so in callee order) and the classes each group calls.
    auto table = std::make_shared<CalleeTable>();
    const std::size_t classes = m_classCallers.size();
    const std::size_t groups = m_groups.size() - 1;
    groupByKey(
        classes,
        [&](auto&& emit) {
            for (std::size_t callee = 0; callee < m_classOfCallee.size(); ++callee)
                emit(static_cast<std::uint32_t>(callee), m_classOfCallee[callee]);
        },
        table->memberStart, table->members);
    groupByKey(
        groups,
        [&](auto&& emit) {
            for (std::size_t c = 0; c < classes; ++c)
                for (std::uint32_t k = m_classCallers[c].first; k < m_classCallers[c].second; ++k)
                    emit(static_cast<std::uint32_t>(c), m_listGroups[k]);
        },
        table->classStart, table->classes);
    table->text = std::move(m_calleeText);
    table->offsets = std::move(m_callees);
    std::shared_ptr<const CalleeTable> shared = std::move(table);
    for (std::size_t group = 0; group < groups; ++group) {
        if (!shared->callsAny(static_cast<std::uint32_t>(group))) continue;
        const CallsList list(shared, static_cast<std::uint32_t>(group));
        for (std::uint32_t k = m_groups[group].firstRef; k < m_groups[group + 1].firstRef; ++k) {
            CallsList& calls = m_model.subs[m_refs[k].slot][m_refs[k].position].calls;
            // A list already there (a model scanned before) keeps its entries ahead of the new ones.
            calls = calls.empty() ? list : CallsList(calls.text() + list.text());
        }
    }
}

void UsagePassRun::buildRoutineIndexes() {
    const std::vector<int>& nameIds = m_callerNames.idsOfGivenNames();
    const std::vector<int>& fileIds = m_fileTrie.idsOfGivenNames();
    m_firstInSlot = RoutineKeyTable(nameIds.size());
    m_routineStart.assign(m_slots + 1, 0);
    m_firstOfKeyInSlot.assign(nameIds.size(), 0);
    for (std::size_t slot = 0, k = 0; slot < m_slots; ++slot) {
        const std::vector<SubRec>& routines = m_model.subs[slot];
        m_routineStart[slot] = k;
        for (std::size_t pos = 0; pos < routines.size(); ++pos, ++k) {
            const auto name = static_cast<std::uint32_t>(nameIds[k]);
            const auto position = static_cast<std::uint32_t>(pos);
            m_firstOfKeyInSlot[k] =
                m_firstInSlot.addFirst({static_cast<std::uint32_t>(slot), name, routines[pos].kind}, position);
            if (slot == 0)
                m_firstOfKeyGlobally.push_back(m_firstGlobal.addFirst(
                    {static_cast<std::uint32_t>(fileIds[k]), name, routines[pos].kind}, position));
        }
    }
}

void UsagePassRun::flagOwners(const std::vector<VarRec>& rows, int flag) {
    // The rows name few distinct files: find the slot and the file id of each file name once.
    NameInterner files(64);
    std::vector<int> fileOfRow;
    fileOfRow.reserve(rows.size());
    // Rows come routine by routine, so most name the file (and the routine) the row before did.
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const bool same = r > 0 && rows[r].file == rows[r - 1].file;
        fileOfRow.push_back(same ? fileOfRow.back() : files.intern(rows[r].file));
    }
    std::vector<std::string_view> fileNames;
    for (int id = 0; id < files.size(); ++id) fileNames.push_back(files.text(id));
    FullPathLookup paths(m_model.tree, fileNames);
    std::vector<std::size_t> slotOfFile;
    std::vector<int> routineFileOf;  // the id among the routines' file names, or -1
    for (std::string_view file : fileNames) {
        auto row = m_rowOfPath.find(paths.pathOf(file));
        slotOfFile.push_back(row == m_rowOfPath.end() ? 0 : static_cast<std::size_t>(row->second));
        routineFileOf.push_back(m_fileTrie.idOf(file));
    }

    const std::size_t globals = m_slots > 0 ? m_model.subs[0].size() : 0;
    auto mark = [flag](SubRec& routine) {
        if ((routine.problems & flag) == 0) routine.problems += flag;
    };
    // A routine's rows come one after another, so the row before usually has the same owner: its
    // lookups are reused rather than made again in tables too large to stay in the cache. And the
    // routines of a file come in the order of their rows, so the next owner is usually one of the
    // few routines after the last: it is tried first, and is the answer when it is the first of its
    // name and kind in the slot. The same holds for the file's routines in the project-wide slot
    // (a class's public properties), where the routine found still yields to one of its name and
    // kind in the file's own slot.
    struct Owner {
        std::size_t own = SIZE_MAX;     // the position in the file's own slot
        std::size_t global = SIZE_MAX;  // the position in the project-wide slot
    } last;
    const std::vector<int>& nameIds = m_callerNames.idsOfGivenNames();
    const std::vector<int>& fileIds = m_fileTrie.idsOfGivenNames();  // slot 0 comes first in both
    std::size_t lastGlobal = SIZE_MAX;
    auto globalAfterLast = [&](std::size_t file, const VarRec& var) -> std::size_t {
        if (lastGlobal == SIZE_MAX || routineFileOf[file] < 0) return SIZE_MAX;
        const std::vector<SubRec>& routines = m_model.subs[0];
        const std::size_t end = std::min(routines.size(), lastGlobal + 1 + kOwnersTriedAfterLast);
        for (std::size_t pos = lastGlobal + 1; pos < end; ++pos)
            if (routines[pos].kind == var.ownerKind && m_firstOfKeyGlobally[pos] &&
                fileIds[pos] == routineFileOf[file] && var.scope == routines[pos].name)
                return pos;
        return SIZE_MAX;
    };
    std::size_t lastOwnSlot = SIZE_MAX, lastOwn = 0;
    auto ownAfterLast = [&](std::size_t slot, const VarRec& var) -> std::size_t {
        if (slot != lastOwnSlot) return SIZE_MAX;
        const std::vector<SubRec>& routines = m_model.subs[slot];
        const std::size_t end = std::min(routines.size(), lastOwn + 1 + kOwnersTriedAfterLast);
        for (std::size_t pos = lastOwn + 1; pos < end; ++pos)
            if (routines[pos].kind == var.ownerKind && m_firstOfKeyInSlot[m_routineStart[slot] + pos] &&
                var.scope == routines[pos].name)
                return pos;
        return SIZE_MAX;
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const VarRec& var = rows[r];
        ++m_value;
        const auto file = static_cast<std::size_t>(fileOfRow[r]);
        const std::size_t slot = slotOfFile[file];
        if (r == 0 || fileOfRow[r - 1] != fileOfRow[r] || var.ownerKind != rows[r - 1].ownerKind ||
            var.scope != rows[r - 1].scope) {
            last = Owner();
            if (slot < m_slots) last.own = ownAfterLast(slot, var);
            if (last.own == SIZE_MAX) {
                const std::size_t next = m_slots > 0 ? globalAfterLast(file, var) : SIZE_MAX;
                // The name of a routine found is the scope's: its id needs no lookup.
                const int name = next != SIZE_MAX ? nameIds[next] : m_callerNames.idOf(var.scope);
                const std::uint32_t* own = nullptr;
                if (slot < m_slots && name >= 0)
                    own = m_firstInSlot.find(
                        {static_cast<std::uint32_t>(slot), static_cast<std::uint32_t>(name), var.ownerKind});
                if (own) {
                    last.own = *own;
                } else if (next != SIZE_MAX) {
                    last.global = next;
                } else if (name >= 0 && routineFileOf[file] >= 0) {
                    const std::uint32_t* global =
                        m_firstGlobal.find({static_cast<std::uint32_t>(routineFileOf[file]),
                                            static_cast<std::uint32_t>(name), var.ownerKind});
                    if (global) last.global = *global;
                }
            }
            if (last.own != SIZE_MAX) {
                lastOwnSlot = slot;
                lastOwn = last.own;
            }
            if (last.global != SIZE_MAX) lastGlobal = last.global;
        }
        // First the routine of that name and kind in the file's own slot.
        if (last.own != SIZE_MAX) {
            mark(m_model.subs[slot][last.own]);
            m_context.progress.setValue(m_value);
            continue;
        }
        // Then a global routine of that name, kind and file; the progress counts the routines a
        // search from the first would have looked at.
        if (last.global != SIZE_MAX) {
            m_value += static_cast<long long>(last.global) + 1;
            mark(m_model.subs[0][last.global]);
        } else {
            m_value += static_cast<long long>(globals);
        }
        m_context.progress.setValue(m_value);
    }
}

void UsagePassRun::buildNameTries() {
    m_entriesAreTheirCallers = m_context.calledByOrigins != nullptr;
    std::vector<std::string_view> callerNames, fileNames;
    for (std::size_t slot = 0; slot < m_slots; ++slot) {
        for (const SubRec& r : m_model.subs[slot]) {
            callerNames.push_back(r.name);
            fileNames.push_back(r.file);
            m_anyRoutine = true;
            if (r.name.find('\x01') != std::string::npos || r.file.view().find('\x01') != std::string_view::npos)
                m_namesHoldEntryEnd = true;
            if (!endsBeforeLineNumber(r.name) || !endsBeforeLineNumber(r.file)) m_entriesAreTheirCallers = false;
        }
    }
    m_callerNames = NameTrie(NameTrie::Direction::Forward, callerNames);
    m_fileTrie = NameTrie(NameTrie::Direction::Forward, fileNames);
}

void UsagePassRun::buildCallerGroups() {
    const int names = m_callerNames.size();
    // The tries were built from the routines in this same order: place k is the k-th routine.
    const std::vector<int>& nameIds = m_callerNames.idsOfGivenNames();
    const std::vector<int>& fileIds = m_fileTrie.idsOfGivenNames();
    std::vector<RoutineRef> refOf;
    refOf.reserve(nameIds.size());
    // Whether each routine is a never-called Function, Sub or DLL routine, read here in table order:
    // the groups below visit the routines in name order, all over the tables.
    std::vector<char> deadOf;
    deadOf.reserve(nameIds.size());
    for (std::size_t slot = 0; slot < m_slots; ++slot)
        for (std::size_t pos = 0; pos < m_model.subs[slot].size(); ++pos) {
            refOf.push_back({static_cast<std::uint32_t>(slot), static_cast<std::uint32_t>(pos)});
            const SubRec& routine = m_model.subs[slot][pos];
            deadOf.push_back(routine.timesCalled == 0 && routine.kind < kKindPropertyGet);
        }
    // By name, then file, then place in the tables: two stable counting sorts, the file first.
    std::vector<std::uint32_t> places, start;
    groupByKey(
        static_cast<std::size_t>(m_fileTrie.size()),
        [&](auto&& emit) {
            for (std::size_t k = 0; k < refOf.size(); ++k) emit(static_cast<std::uint32_t>(k), fileIds[k]);
        },
        start, places);
    start = {};
    places = stableOrderByKey(places, static_cast<std::size_t>(names), [&](std::uint32_t k) { return nameIds[k]; });
    m_groupsOfName.assign(static_cast<std::size_t>(names) + 1, 0);
    m_refs.reserve(places.size());
    for (std::size_t k = 0; k < places.size(); ++k) {
        const std::uint32_t place = places[k];
        const int name = nameIds[place], file = fileIds[place];
        if (k == 0 || name != nameIds[places[k - 1]] || file != fileIds[places[k - 1]]) {
            m_groups.push_back({file, static_cast<std::uint32_t>(k), false});
            ++m_groupsOfName[static_cast<std::size_t>(name) + 1];
        }
        if (deadOf[place]) m_groups.back().anyDead = true;
        m_refs.push_back(refOf[place]);
    }
    for (std::size_t n = 1; n < m_groupsOfName.size(); ++n) m_groupsOfName[n] += m_groupsOfName[n - 1];
    m_groups.push_back({-1, static_cast<std::uint32_t>(m_refs.size()), false});
    m_nameSeen.assign(static_cast<std::size_t>(names), 0);
    m_groupSeen.assign(m_groups.size(), 0);
    m_fileSeen.assign(static_cast<std::size_t>(m_fileTrie.size()), 0);
}

bool UsagePassRun::isDeadCaller(std::string_view routine, std::string_view file) const {
    const int name = m_callerNames.idOf(routine);
    const int fileId = m_fileTrie.idOf(file);
    if (name < 0 || fileId < 0) return false;
    const Group* first = m_groups.data() + m_groupsOfName[static_cast<std::size_t>(name)];
    const Group* last = m_groups.data() + m_groupsOfName[static_cast<std::size_t>(name) + 1];
    const Group* group =
        std::lower_bound(first, last, fileId, [](const Group& g, int f) { return g.file < f; });
    return group != last && group->file == fileId && group->anyDead;
}

void UsagePassRun::calledByDeadOnly(SubRec& callee, std::uint32_t noted) {
    if (callee.kind >= kKindPropertyGet || (callee.problems & kProblemCalledByDeadOnly) != 0) return;
    // Namesakes that share one list text share the answer: it is found once per list.
    bool deadOnly = false;
    if (noted != CalledByOrigins::kNotNoted) {
        if (m_deadOnlyOfNoted.empty()) m_deadOnlyOfNoted.assign(m_context.calledByOrigins->listCount(), -1);
        signed char& known = m_deadOnlyOfNoted[noted];
        if (known < 0) {
            const bool dead = m_namesHoldEntryEnd ? deadOnlyCaller(callee.calledBy) : deadOnlyCallerOfNoted(noted);
            known = dead ? 1 : 0;
        }
        deadOnly = known > 0;
    } else {
        auto [known, added] = m_deadOnlyOfList.try_emplace(callee.calledBy.identity(), false);
        if (added) known->second = deadOnlyCaller(callee.calledBy);
        deadOnly = known->second;
    }
    if (deadOnly) callee.problems += kProblemCalledByDeadOnly;
}

bool UsagePassRun::deadOnlyCaller(std::string_view calledBy) const {
    // One never-called Function, Sub or DLL routine made every recorded call (with no readable entry
    // at all, any routine does).
    bool any = false, oneCaller = true;
    CalledByEntry first;
    forEachCalledByEntry(calledBy, [&](const CalledByEntry& entry) {
        if (!any) {
            first = entry;
            any = true;
        } else if (entry.routine != first.routine || entry.file != first.file) {
            oneCaller = false;
        }
    });
    return any ? oneCaller && isDeadCaller(first.routine, first.file) : m_anyRoutine;
}

bool UsagePassRun::deadOnlyCallerOfNoted(std::uint32_t noted) const {
    // Each entry is its caller's text "<routine> - <file> - " followed by the line and the end code:
    // no name holds the end code, and that text has both its " - " marks, so the routine and the
    // file the entry reads as are those its caller's text reads as. The entries' callers are
    // compared instead of the list's text, which is far larger, and the first other caller ends it.
    const CalledByOrigins& origins = *m_context.calledByOrigins;
    const std::span<const std::uint32_t> callers = origins.callersOf(noted);
    if (callers.empty()) return m_anyRoutine;
    auto entryOf = [&](std::uint32_t caller) {
        CalledByEntry entry;
        forEachCalledByEntry(origins.callerText(caller), [&](const CalledByEntry& read) { entry = read; });
        return entry;
    };
    const CalledByEntry first = entryOf(callers.front());
    for (std::uint32_t caller : callers) {
        if (caller == callers.front()) continue;
        const CalledByEntry other = entryOf(caller);
        if (other.routine != first.routine || other.file != first.file) return false;
    }
    return isDeadCaller(first.routine, first.file);
}

void UsagePassRun::findCallers(const SubRec& callee, std::uint32_t noted) {
    m_calleeText.append(callee.name).append(" - ").append(callee.file).push_back('\x01');
    m_callees.push_back(m_calleeText.size());
    if (++m_groupStamp == 0) {
        std::fill(m_groupSeen.begin(), m_groupSeen.end(), 0);
        m_groupStamp = 1;
    }
    // Namesakes that share one list text have the same callers: those are found once.
    const auto nextClass = static_cast<std::uint32_t>(m_classCallers.size());
    std::uint32_t* known = nullptr;
    if (noted != CalledByOrigins::kNotNoted) {
        if (m_classOfNoted.empty()) m_classOfNoted.assign(m_context.calledByOrigins->listCount(), CalledByOrigins::kNotNoted);
        known = &m_classOfNoted[noted];
        if (*known == CalledByOrigins::kNotNoted) *known = nextClass;
    } else {
        known = &m_classOfList.try_emplace(callee.calledBy.identity(), nextClass).first->second;
    }
    m_classOfCallee.push_back(*known);
    if (*known != nextClass) return;
    m_classCallers.emplace_back(static_cast<std::uint32_t>(m_listGroups.size()), 0);
    // Each caller is noted once per callee, however many entries name it.
    auto append = [&](std::uint32_t group) {
        auto& seen = m_groupSeen[group];
        if (seen == m_groupStamp) return;
        seen = m_groupStamp;
        m_listGroups.push_back(group);
    };
    struct Close {
        std::vector<std::pair<std::uint32_t, std::uint32_t>>& ranges;
        const std::vector<std::uint32_t>& groups;
        ~Close() { ranges.back().second = static_cast<std::uint32_t>(groups.size()); }
    } close{m_classCallers, m_listGroups};
    // The list's text is read only where its entries are: a list the call pass noted is read as its
    // callers, and its text, in a block of its own somewhere in the heap, is not touched at all.
    if (m_namesHoldEntryEnd) {
        m_entryGroups.clear();
        callerGroupsIn(callee.calledBy, m_entryGroups);
        for (std::uint32_t group : m_entryGroups) append(group);
        return;
    }
    if (m_entriesAreTheirCallers && noted != CalledByOrigins::kNotNoted) {
        const CalledByOrigins& origins = *m_context.calledByOrigins;
        const std::span<const std::uint32_t> callers = origins.callersOf(noted);
        if (m_groupsOfCaller.empty()) m_groupsOfCaller.assign(origins.callerCount(), {1, 0});
        for (std::uint32_t caller : callers) {
            auto& range = m_groupsOfCaller[caller];
            if (range.first > range.second) {
                range.first = static_cast<std::uint32_t>(m_entryGroups.size());
                callerGroupsIn(origins.callerText(caller), m_entryGroups);
                range.second = static_cast<std::uint32_t>(m_entryGroups.size());
            }
            for (std::uint32_t k = range.first; k < range.second; ++k) append(m_entryGroups[k]);
        }
        return;
    }
    // No name holds the character that ends an entry, so what an entry yields depends on its text
    // alone. A routine called from one line of a caller has that same entry in the list of every
    // namesake it calls; each distinct entry is read once and its callers replayed after that.
    const std::string_view calledBy = callee.calledBy;
    std::size_t start = 0;
    while (start < calledBy.size()) {
        std::size_t end = calledBy.find('\x01', start);
        if (end == std::string_view::npos) end = calledBy.size();
        const std::string_view entry = calledBy.substr(start, end - start);
        start = end + 1;
        auto [found, added] = m_groupsOfEntry.try_emplace(entry, 0, 0);
        if (added) {
            found->second.first = static_cast<std::uint32_t>(m_entryGroups.size());
            callerGroupsIn(entry, m_entryGroups);
            found->second.second = static_cast<std::uint32_t>(m_entryGroups.size());
        }
        for (std::uint32_t k = found->second.first; k < found->second.second; ++k) append(m_entryGroups[k]);
    }
}

void UsagePassRun::callerGroupsIn(std::string_view calledBy, std::vector<std::uint32_t>& groups) {
    // A routine is a caller when its name occurs in the list and its file name occurs after that
    // place, within the same entry. Every entry counts, not only the one where the name first
    // occurs: a name met first inside another caller's entry must not hide its own. Within one
    // entry the name's first place leaves the most room for the file, so later places there are
    // passed over. Names are met in the order of the places where they begin.
    const NameTrie& names = m_callerNames;
    std::size_t entryEnd = 0;
    bool anyEntry = false;
    forEachByteInRange(calledBy, names.firstBytes(), [&](std::size_t start) {
        if (!anyEntry || start >= entryEnd) {
            anyEntry = true;
            entryEnd = calledBy.find('\x01', start + 1);
            if (entryEnd == std::string_view::npos) entryEnd = calledBy.size();
            if (++m_nameStamp == 0) {
                std::fill(m_nameSeen.begin(), m_nameSeen.end(), 0);
                m_nameStamp = 1;
            }
        }
        names.forEachStartingAt(calledBy, start, [&](int id, std::size_t) {
            auto& seen = m_nameSeen[static_cast<std::size_t>(id)];
            if (seen == m_nameStamp) return;
            seen = m_nameStamp;
            callerGroupsNamed(id, start, entryEnd, calledBy, groups);
        });
    });
}

void UsagePassRun::callerGroupsNamed(int nameId, std::size_t hit, std::size_t end, std::string_view calledBy,
                                     std::vector<std::uint32_t>& groups) {
    const Group* first = m_groups.data() + m_groupsOfName[static_cast<std::size_t>(nameId)];
    const Group* last = m_groups.data() + m_groupsOfName[static_cast<std::size_t>(nameId) + 1];
    auto note = [&](const Group* group) { groups.push_back(static_cast<std::uint32_t>(group - m_groups.data())); };
    // The file must begin after the hit and before the entry's end.
    if (last - first <= 8) {
        // Only a place that begins before the entry's end counts, so the search stops there rather
        // than running on through the rest of a long list.
        for (const Group* group = first; group != last; ++group) {
            const std::string_view file = m_fileTrie.name(group->file);
            const std::size_t from = hit + 1;
            if (from >= end) continue;
            const std::size_t window = std::min(calledBy.size() - from, end - from + file.size() - 1);
            if (calledBy.substr(from, window).find(file) != std::string_view::npos) note(group);
        }
        return;
    }
    // A name shared by many files (an event routine of every form): list the file names that start
    // inside the entry instead of searching for each.
    if (++m_fileStamp == 0) {
        std::fill(m_fileSeen.begin(), m_fileSeen.end(), 0);
        m_fileStamp = 1;
    }
    const unsigned stamp = m_fileStamp;
    m_filesAtHit.clear();
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
        if (group != last && group->file == fileId) note(group);
    }
}

}  // namespace

void runUsagePass(ParseContext& context) {
    UsagePassRun run(context);
    run.run();
}

}  // namespace tally
