#pragma once
// The routine list of a file (Routines tab) and the routine combo of the code view: which routines
// a file lists, their display names, icon keys with problem and dead variants, and combo keys.

#include <string>
#include <vector>

#include "core/model/ProjectModel.h"

namespace tally {

enum class RoutineFilter { Routines, DllCalls };

inline constexpr std::string_view kDeclarationsEntry = "(Declarations)";

struct RoutineEntry {
    std::string displayName;  // routine list text: name, property marker, old-style type character
    std::string comboText;    // combo text: name and property marker
    std::string icon;
    bool declarations = false;  // the "(Declarations)" entry
    int slot = -1;
    int position = -1;
};

struct ComboItem {
    std::string text;
    std::string key;  // "<index> - <Kind + Scope>", "<index> - -1" for "(Declarations)"
    std::string icon;
};

// The icon key of a routine: func/sub/dll/prop/control/event, "1" for a problem, "0" for dead or empty.
std::string routineIconKey(const SubRec& routine);
// The routine list text: the name, " [Get]"/" [Let]"/" [Set]" for properties, the old-style type character.
std::string routineDisplayName(const SubRec& routine);
// True when the declarations entry of a file deserves the "decs1" icon.
bool fileHasSomethingToReview(const ProjectModel& model, int fileRow);
// The entries the routine list shows for a file: "(Declarations)" first for the Routines filter,
// then the routines of the file's slot and the file's global routines, sorted by name.
std::vector<RoutineEntry> listFileRoutines(const ProjectModel& model, int fileRow, RoutineFilter filter);
// The combo items for the same entries: "(Declarations)" first, then one per routine.
std::vector<ComboItem> comboItemsFor(const ProjectModel& model, int fileRow, const std::vector<RoutineEntry>& entries);

}  // namespace tally
