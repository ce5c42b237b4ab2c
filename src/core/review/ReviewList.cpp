#include "core/review/ReviewList.h"

#include <algorithm>
#include <cstdio>

#include "core/model/FullPathLookup.h"
#include "core/review/RoutineFacts.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

constexpr ReviewListInfo kInfos[] = {
    {ReviewListId::NeverCalled, "Never Called", "Routines that are never called", "Never &Called", "Type", "File",
     true, "never-called"},
    {ReviewListId::NoCode, "No Code", "Routines that contain no code", "&No Code", "Type", "File", true, "no-code"},
    {ReviewListId::NoReturn, "No Return", "Functions with no declared return type", "No &Return", "Type", "File",
     true, "no-return"},
    {ReviewListId::NoType, "No Type", "Variables with no declared data type", "No &Type", "Routine", "File", true,
     "no-type"},
    {ReviewListId::NeverUsed, "Never Used", "Variables and constants that are never used", "Never &Used",
     "Routine", "File", true, "never-used"},
    {ReviewListId::AllRoutines, "All Routines", "List all routines", "&All Routines", "Line Count", "File", false,
     "all-routines"},
    {ReviewListId::AllTypes, "All Types", "List All Varaible Types", "All Type&s", "Times Declared", "Type", false,
     "all-types"},
};

// The hidden numeric sort key: "000000000012.00".
std::string numericSortKey(long long value) {
    char buffer[40];
    if (value < 0)
        std::snprintf(buffer, sizeof buffer, "-%012lld.00", -value);
    else
        std::snprintf(buffer, sizeof buffer, "%012lld.00", value);
    return buffer;
}

ReviewRow routineRow(const SubRec& routine, int slot, int position) {
    ReviewRow row;
    row.text = routine.name;
    row.column2 = std::string(reviewTypeText(routine.kind));
    row.column3 = routine.file;
    row.icon = std::string(reviewIconKey(routine.kind));
    row.checked = routine.checked;
    row.slot = slot;
    row.index = position;
    return row;
}

template <typename Include, typename Make>
void forEachRoutine(const ProjectModel& model, ReviewListData& list, Include include, Make make) {
    int slots = std::min(model.fileCount(), static_cast<int>(model.subs.size()));
    for (int slot = 0; slot < slots; ++slot) {
        const std::vector<SubRec>& routines = model.subs[slot];
        for (int position = 0; position < static_cast<int>(routines.size()); ++position)
            if (include(routines[position])) list.rows.push_back(make(routines[position], slot, position));
    }
}

// The owner shown for an unused variable: its scope text, with the routine's type character when
// the scope names an old-style routine of the variable's file.
std::string ownerLocation(const ProjectModel& model, const FullPathLookup& paths, const VarRec& var) {
    int fileRow = model.fileRowOf(paths.pathOf(var.file));
    auto findIn = [&](int slot, bool checkFile) -> const SubRec* {
        if (slot < 0 || slot >= static_cast<int>(model.subs.size())) return nullptr;
        for (const SubRec& routine : model.subs[slot])
            if (routine.name == var.scope && (!checkFile || routine.file == var.file)) return &routine;
        return nullptr;
    };
    const SubRec* owner = fileRow > 0 ? findIn(fileRow, false) : nullptr;
    if (!owner) owner = findIn(0, true);
    return owner ? var.scope + oldStyleSuffix(*owner) : var.scope.str();
}

void addVariableRows(const ProjectModel& model, ReviewListData& list, bool unused) {
    const std::vector<VarRec>& table = unused ? model.unVar : model.decVar;
    std::vector<std::string_view> fileNames;
    for (const VarRec& var : table) fileNames.push_back(var.file);
    FullPathLookup paths(model.tree, fileNames);
    for (int index = 0; index < static_cast<int>(table.size()); ++index) {
        const VarRec& var = table[index];
        if (trimView(var.name).empty()) continue;
        ReviewRow row;
        row.source = unused ? ReviewSource::UnVar : ReviewSource::DecVar;
        row.index = index;
        row.checked = var.checked;
        row.column3 = var.file;
        if (unused) {
            row.text = var.commented ? var.name + " [Commented]" : var.name;
            row.icon = var.isConst ? "const" : "var";
            row.column2 = ownerLocation(model, paths, var);
        } else {
            row.text = var.name;
            row.icon = "var";
            row.column2 = var.scope;
        }
        list.rows.push_back(std::move(row));
    }
}

void addTypeRows(const ProjectModel& model, ReviewListData& list) {
    static constexpr std::string_view kLabels[] = {"Unknown", "Variable", "Object", "Type", "Enum"};
    static constexpr std::string_view kIcons[] = {"var1", "var", "object", "type", "type"};
    for (int index = 0; index < static_cast<int>(model.types.size()); ++index) {
        const TypeRec& type = model.types[index];
        if (index == 0 && type.uses <= 0) continue;
        int kind = (type.typeKind >= 0 && type.typeKind <= 4) ? type.typeKind : 0;
        ReviewRow row;
        row.source = ReviewSource::Type;
        row.index = index;
        row.text = type.name;
        row.column2 = std::to_string(type.uses);
        row.column3 = std::string(kLabels[kind]);
        row.icon = std::string(kIcons[kind]);
        if (index > 0) row.sortKey = numericSortKey(type.uses);
        list.rows.push_back(std::move(row));
    }
}

void addAllRoutines(const ProjectModel& model, ReviewListData& list) {
    long long totalLines = 0;
    forEachRoutine(
        model, list, [](const SubRec&) { return true; },
        [&](const SubRec& routine, int slot, int position) {
            ReviewRow row = routineRow(routine, slot, position);
            row.text += std::string(propertyMarker(routine.kind));
            row.column2 = std::to_string(routine.lineCount);
            row.sortKey = numericSortKey(routine.lineCount);
            totalLines += routine.lineCount;
            return row;
        });
    ReviewRow summary;
    summary.source = ReviewSource::Summary;
    long long count = static_cast<long long>(list.rows.size());
    // A number printed the way the language prints it: a blank where a positive sign would be.
    summary.text = (count >= 0 ? " " : "") + std::to_string(count);
    summary.icon = "report";
    summary.column2 = std::to_string(totalLines);
    summary.column3 = std::to_string(model.fileCount());
    list.rows.push_back(std::move(summary));
    list.selectedRow = static_cast<int>(list.rows.size()) - 1;
}

}  // namespace

const ReviewListInfo& reviewListInfo(ReviewListId id) { return kInfos[static_cast<int>(id)]; }

bool reviewListFromCommandName(std::string_view name, ReviewListId& id) {
    for (const ReviewListInfo& info : kInfos) {
        if (info.commandName == name) {
            id = info.id;
            return true;
        }
    }
    return false;
}

ReviewListData buildReviewList(const ProjectModel& model, ReviewListId id) {
    ReviewListData list;
    list.id = id;
    switch (id) {
        case ReviewListId::NeverCalled: {
            EventHandlerTest handlers(model);
            forEachRoutine(
                model, list,
                [&](const SubRec& r) {
                    bool uncalled = r.timesCalled == 0 || (r.problems & kProblemCalledByDeadOnly);
                    return uncalled && !handlers.isHandler(r.name) && !isNonPrivateClassRoutine(r) &&
                           r.kind < kKindPropertyGet;
                },
                routineRow);
            break;
        }
        case ReviewListId::NoCode:
            forEachRoutine(model, list, [](const SubRec& r) { return r.lineCount == 0; }, routineRow);
            break;
        case ReviewListId::NoReturn:
            forEachRoutine(
                model, list,
                [](const SubRec& r) {
                    return r.returnType == "None" && (r.kind == kKindFunction || r.kind == kKindPropertyGet);
                },
                [](const SubRec& r, int slot, int position) {
                    ReviewRow row = routineRow(r, slot, position);
                    row.icon = "func";
                    return row;
                });
            break;
        case ReviewListId::NoType: addVariableRows(model, list, false); break;
        case ReviewListId::NeverUsed: addVariableRows(model, list, true); break;
        case ReviewListId::AllRoutines: addAllRoutines(model, list); break;
        case ReviewListId::AllTypes: addTypeRows(model, list); break;
    }
    return list;
}

void sortReviewRows(ReviewListData& list, int column) {
    const ReviewListInfo& info = reviewListInfo(list.id);
    bool byHiddenKey =
        column == 2 && (info.column2Header == "Times Declared" || info.column2Header == "Line Count");
    auto keyOf = [&](const ReviewRow& row) -> const std::string& {
        if (byHiddenKey) return row.sortKey;
        return column == 2 ? row.column2 : column == 3 ? row.column3 : row.text;
    };
    // List views compare item texts without regard to case.
    std::stable_sort(list.rows.begin(), list.rows.end(), [&](const ReviewRow& a, const ReviewRow& b) {
        return toLower(keyOf(a)) < toLower(keyOf(b));
    });
    list.selectedRow = -1;
}

}  // namespace tally
