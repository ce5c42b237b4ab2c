#include "core/review/ProblemMarks.h"

#include "core/model/TypeCharacters.h"
#include "core/project/PathOps.h"
#include "core/review/RoutineFacts.h"

namespace tally {

namespace {

void addMark(ProjectModel& model, std::string name, std::uint32_t colour) {
    // Blanked rows have no name; an empty mark would match everywhere.
    if (name.empty()) return;
    model.marks.push_back(MarkRec{std::move(name), colour});
}

std::uint32_t routineColour(const SubRec& r) {
    bool neverCalled = r.timesCalled == 0;
    if (neverCalled || (r.problems & kProblemCalledByDeadOnly))
        return isNonPrivateClassRoutine(r) ? 0 : kMarkDarkRed;
    if (r.problems & kProblemNoReturnType) return kMarkBlue;
    return r.kind >= 7 ? kMarkRed : 0;
}

void markRoutines(ProjectModel& model, int slot, bool globalSlot) {
    if (slot < 0 || slot >= static_cast<int>(model.subs.size())) return;
    for (const SubRec& r : model.subs[slot]) {
        bool marked = (r.timesCalled == 0 && r.kind < kKindPropertyGet) || r.problems > 0;
        if (!marked) continue;
        // Global event routines without problems are called by the runtime, and unused or untyped
        // variables are marked by their own names instead.
        if (globalSlot && ((r.isEvent && r.problems == 0) ||
                           (r.problems & (kProblemUnusedVariable | kProblemUntypedVariable))))
            continue;
        std::string name = r.name;
        if (r.problems & kProblemOldStyle) {
            char suffix = characterOfType(r.returnType);
            if (suffix) name += suffix;
        }
        addMark(model, std::move(name), routineColour(r));
    }
}

void markUnusedTypes(ProjectModel& model) {
    for (const TypeRec& type : model.types)
        if (type.uses == 0) addMark(model, type.name, kMarkRed);
}

}  // namespace

void buildFileMarks(ProjectModel& model, std::string_view filePath) {
    model.marks.clear();
    int fileRow = model.fileRowOf(filePath);
    if (fileRow > 0) markRoutines(model, fileRow, false);
    markRoutines(model, 0, true);
    std::string fileName = fileNameOf(filePath);
    for (const VarRec& var : model.decVar)
        if (var.file == fileName && isModuleLevelScope(var.scope)) addMark(model, var.name.str(), kMarkBlue);
    for (const VarRec& var : model.unVar)
        if (var.file == fileName && isModuleLevelScope(var.scope)) addMark(model, var.name.str(), kMarkRed);
    markUnusedTypes(model);
}

void appendRoutineMarks(ProjectModel& model, std::string_view fileName, std::string_view routineName) {
    for (const VarRec& var : model.unVar)
        if (var.scope == routineName && var.file == fileName) addMark(model, var.name.str(), kMarkRed);
    for (const VarRec& var : model.decVar)
        if (var.scope == routineName && var.file == fileName) addMark(model, var.name.str(), kMarkBlue);
    markUnusedTypes(model);
}

}  // namespace tally
