#include "core/review/CodeJumps.h"

#include "core/model/FullPathLookup.h"
#include "core/review/RoutineFacts.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

// The nearest text at or above `row` that is not blank after trimming.
template <typename Field>
std::string nearestAbove(const std::vector<SpellRow>& rows, int row, Field field) {
    for (int i = row; i >= 0; --i) {
        std::string_view text = trimView(rows[i].*field);
        if (!text.empty()) return std::string(text);
    }
    return {};
}

bool isRoutineName(const ProjectModel& model, std::string_view name) {
    for (const std::vector<SubRec>& slot : model.subs)
        for (const SubRec& routine : slot)
            if (routine.name == name) return true;
    return false;
}

}  // namespace

SpellJump spellRowTarget(const ProjectModel& model, int rowIndex) {
    SpellJump jump;
    if (rowIndex < 0 || rowIndex >= static_cast<int>(model.spell.size())) return jump;
    jump.fileName = nearestAbove(model.spell, rowIndex, &SpellRow::file);
    jump.routineName = nearestAbove(model.spell, rowIndex, &SpellRow::routine);
    if (jump.routineName.empty() || !isRoutineName(model, jump.routineName)) return jump;
    jump.isRoutine = true;
    if (jump.fileName.empty()) return jump;
    jump.target.valid = true;
    jump.target.filePath = fullPathOf(model.tree, jump.fileName);
    jump.target.routineText = jump.routineName;
    return jump;
}

CodeTarget dependencyRowTarget(const ProjectModel& model, const PanelRow& row,
                               std::string_view listedRoutine) {
    CodeTarget target;
    if (row.bold || row.subItems.empty() || trimView(row.subItems[0]).empty()) return target;
    target.valid = true;
    target.filePath = fullPathOf(model.tree, trimView(row.subItems[0]));
    target.routineText = row.text;
    target.searchText = std::string(listedRoutine);
    return target;
}

CodeTarget routineEntryTarget(const ProjectModel& model, int fileRow, const RoutineEntry& entry) {
    CodeTarget target;
    if (fileRow <= 0 || fileRow >= model.fileCount()) return target;
    target.valid = true;
    target.filePath = model.files[fileRow].path;
    target.declarations = entry.declarations;
    if (!entry.declarations) target.routineText = entry.comboText;
    return target;
}

}  // namespace tally
