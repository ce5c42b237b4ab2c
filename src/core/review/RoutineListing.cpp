#include "core/review/RoutineListing.h"

#include <algorithm>

#include "core/project/PathOps.h"
#include "core/review/RoutineFacts.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

bool isDll(int kind) { return kind == kKindDllSub || kind == kKindDllFunction; }

void dropTrailing(std::string& key, std::string_view characters) {
    if (!key.empty() && characters.find(key.back()) != std::string_view::npos) key.pop_back();
}

RoutineEntry entryOf(const SubRec& routine, int slot, int position) {
    RoutineEntry entry;
    entry.displayName = routineDisplayName(routine);
    entry.comboText = routine.name + std::string(propertyMarker(routine.kind));
    entry.icon = routineIconKey(routine);
    entry.slot = slot;
    entry.position = position;
    return entry;
}

}  // namespace

std::string routineIconKey(const SubRec& r) {
    std::string key(reviewIconKey(r.kind));
    if (((r.kind == kKindFunction || r.kind == kKindSub) && r.scope == kScopeFriend) || r.isEvent) key = "event";
    if (r.problems > 0) key += "1";
    if ((r.timesCalled == 0 || r.problems == kProblemCalledByDeadOnly) && !contains(key, "control") &&
        !contains(key, "prop") && !contains(key, "event")) {
        dropTrailing(key, "1");
        if (!isNonPrivateClassRoutine(r)) key += "0";
    }
    if (r.lineCount == 0) {
        dropTrailing(key, "01");
        key += "0";
    }
    return key;
}

std::string routineDisplayName(const SubRec& routine) {
    return routine.name + std::string(propertyMarker(routine.kind)) + oldStyleSuffix(routine);
}

bool fileHasSomethingToReview(const ProjectModel& model, int fileRow) {
    if (fileRow <= 0 || fileRow >= model.fileCount()) return false;
    const std::string fileName = fileNameOf(model.files[fileRow].path);
    auto reviewable = [](const SubRec& r) {
        bool neverCalled = r.timesCalled == 0 && r.kind < kKindPropertyGet;
        return (r.problems > 0 || neverCalled || r.lineCount == 0) && !isDll(r.kind) && !r.isEvent &&
               !isNonPrivateClassRoutine(r);
    };
    if (fileRow < static_cast<int>(model.subs.size()))
        for (const SubRec& r : model.subs[fileRow])
            if (reviewable(r)) return true;
    if (!model.subs.empty())
        for (const SubRec& r : model.subs[0])
            if (r.file == fileName && reviewable(r)) return true;
    for (const std::vector<VarRec>* table : {&model.unVar, &model.decVar})
        for (const VarRec& var : *table)
            if (var.file == fileName && isModuleLevelScope(var.scope)) return true;
    return false;
}

std::vector<RoutineEntry> listFileRoutines(const ProjectModel& model, int fileRow, RoutineFilter filter) {
    std::vector<RoutineEntry> entries;
    if (fileRow <= 0 || fileRow >= model.fileCount()) return entries;
    const std::string fileName = fileNameOf(model.files[fileRow].path);

    auto wanted = [&](const SubRec& r) { return filter == RoutineFilter::Routines || isDll(r.kind); };
    if (fileRow < static_cast<int>(model.subs.size()))
        for (int p = 0; p < static_cast<int>(model.subs[fileRow].size()); ++p)
            if (wanted(model.subs[fileRow][p])) entries.push_back(entryOf(model.subs[fileRow][p], fileRow, p));
    if (!model.subs.empty())
        for (int p = 0; p < static_cast<int>(model.subs[0].size()); ++p) {
            const SubRec& r = model.subs[0][p];
            if (r.file == fileName && wanted(r)) entries.push_back(entryOf(r, 0, p));
        }
    // Sorted by name as a procedure list is, so a routine is found where a reader expects it.
    std::stable_sort(entries.begin(), entries.end(), [](const RoutineEntry& a, const RoutineEntry& b) {
        return toLower(a.displayName) < toLower(b.displayName);
    });
    if (filter == RoutineFilter::Routines) {
        RoutineEntry declarations;
        declarations.displayName = std::string(kDeclarationsEntry);
        declarations.comboText = std::string(kDeclarationsEntry);
        declarations.icon = fileHasSomethingToReview(model, fileRow) ? "decs1" : "decs";
        declarations.declarations = true;
        entries.insert(entries.begin(), std::move(declarations));
    }
    return entries;
}

std::vector<ComboItem> comboItemsFor(const ProjectModel& model, int fileRow, const std::vector<RoutineEntry>& entries) {
    std::vector<ComboItem> items;
    items.push_back(ComboItem{std::string(kDeclarationsEntry), "0 - -1",
                              fileHasSomethingToReview(model, fileRow) ? "decs1" : "decs"});
    for (const RoutineEntry& entry : entries) {
        if (entry.declarations) continue;
        const SubRec& r = model.subs[entry.slot][entry.position];
        std::string index = std::to_string(items.size());
        items.push_back(ComboItem{entry.comboText, index + " - " + std::to_string(r.kind + r.scope), entry.icon});
    }
    return items;
}

}  // namespace tally
