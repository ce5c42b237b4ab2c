#include "core/review/ReviewActions.h"

#include "core/model/FullPathLookup.h"
#include "core/review/RoutineFacts.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {
bool validRow(const ReviewListData& list, int rowIndex) {
    return rowIndex >= 0 && rowIndex < static_cast<int>(list.rows.size());
}
}  // namespace

bool toggleReviewCheck(ProjectModel& model, const ReviewListData& list, int rowIndex) {
    if (!validRow(list, rowIndex) || !reviewListInfo(list.id).checkBoxes) return false;
    const ReviewRow& row = list.rows[rowIndex];
    // The row remembers exactly which model row it shows, so two rows with the same name, scope
    // and file each keep their own mark.
    bool* mark = nullptr;
    switch (row.source) {
        case ReviewSource::Routine:
            if (row.slot < static_cast<int>(model.subs.size()) &&
                row.index < static_cast<int>(model.subs[row.slot].size()))
                mark = &model.subs[row.slot][row.index].checked;
            break;
        case ReviewSource::DecVar:
            if (row.index < static_cast<int>(model.decVar.size())) mark = &model.decVar[row.index].checked;
            break;
        case ReviewSource::UnVar:
            if (row.index < static_cast<int>(model.unVar.size())) mark = &model.unVar[row.index].checked;
            break;
        default: break;
    }
    if (!mark) return false;
    *mark = !*mark;
    model.scanChanged = true;
    return true;
}

CodeTarget reviewDoubleClickTarget(const ProjectModel& model, const ReviewListData& list, int rowIndex) {
    CodeTarget target;
    if (!validRow(list, rowIndex) || list.id == ReviewListId::AllTypes) return target;
    const ReviewRow& row = list.rows[rowIndex];
    if (row.source == ReviewSource::Summary || row.source == ReviewSource::Type) return target;

    target.valid = true;
    target.filePath = fullPathOf(model.tree, row.column3);
    if (row.source == ReviewSource::DecVar || row.source == ReviewSource::UnVar) {
        const VarRec& var = row.source == ReviewSource::DecVar ? model.decVar[row.index] : model.unVar[row.index];
        // "Public" itself counts too: a public variable lives in the declarations section as well.
        target.declarations = startsWith(var.scope, "Private ") || startsWith(var.scope, "Public ") ||
                              var.scope == "Public";
        if (!target.declarations) target.routineText = var.scope + std::string(propertyMarker(var.ownerKind));
        target.searchText = " " + var.name + " ";
        return target;
    }
    const SubRec& routine = model.subs[row.slot][row.index];
    if (startsWith(reviewTypeText(routine.kind), "DLL")) {
        target.declarations = true;
        target.searchText = " " + routine.name + " ";
    } else {
        target.routineText = routine.name + std::string(propertyMarker(routine.kind));
    }
    return target;
}

}  // namespace tally
