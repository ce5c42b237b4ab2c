#pragma once
// Where double clicks outside the review lists take the code view: a row of the Spell Check list,
// a row of the Dependencies panel, and an entry of a file's routine list.

#include <string_view>

#include "core/model/ProjectModel.h"
#include "core/review/PropertyPanels.h"
#include "core/review/ReviewActions.h"
#include "core/review/RoutineListing.h"

namespace tally {

// Shown when a spell row's routine is no routine of the project (a control or a caption).
inline constexpr std::string_view kNotARoutine = "This is not a routine.";

// A spell row's routine and file, and where it leads when it is a routine.
struct SpellJump {
    bool isRoutine = false;
    std::string fileName;     // the nearest non-blank "File" text at or above the row
    std::string routineName;  // the nearest non-blank "Control/Routine" text at or above the row
    CodeTarget target;        // the file's full path and the routine; valid only for a routine
};

// The target of a double click on the Spell row at `rowIndex`. The file and routine are written
// only on the first row of each, so the rows above are read for them; the routine must be the name
// of some routine of the project (any file, exact comparison).
SpellJump spellRowTarget(const ProjectModel& model, int rowIndex);

// The target of a double click on a Dependencies row: the row's routine in the row's file, searched
// for the routine whose dependencies are listed. The two bold header rows lead nowhere.
CodeTarget dependencyRowTarget(const ProjectModel& model, const PanelRow& row,
                               std::string_view listedRoutine);

// The target of a double click on an entry of the routine list of the file at `fileRow`.
CodeTarget routineEntryTarget(const ProjectModel& model, int fileRow, const RoutineEntry& entry);

}  // namespace tally
