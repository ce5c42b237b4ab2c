#pragma once
// The three panels of the Routines tab for a routine (problems and properties, callers and callees,
// parameters) and the file panel, as plain rows any front end can show.

#include <string>
#include <string_view>
#include <vector>

#include "core/model/ProjectModel.h"
#include "core/text/NumberFormat.h"

namespace tally {

struct PanelRow {
    std::string text;
    std::vector<std::string> subItems;
    std::string icon;
    bool bold = false;
    std::string key;
};

struct RoutinePanels {
    std::vector<PanelRow> properties;
    std::vector<PanelRow> dependencies;
    std::vector<PanelRow> parameters;
};

inline constexpr std::string_view kRoutineNotFound =
    "This routine was not found in the current scan. I suggest you rescan the project.";

struct RoutineLookup {
    bool found = false;
    int slot = -1;
    int position = -1;
};

// Finds the routine a routine list text names in a file: the type character and property marker
// are taken off the text; the file's slot is searched first, then its global routines.
RoutineLookup findListedRoutine(const ProjectModel& model, int fileRow, std::string_view entryText);

// The panels of the routine at (slot, position).
RoutinePanels routinePanels(const ProjectModel& model, int slot, int position);
// The parameter rows of a parameter list: "ByVal a As Long, b" gives ("ByVal a", "Long") and ("b", "").
std::vector<PanelRow> parameterRows(std::string_view params);
// The file panel: path, scanned and current dates and sizes.
std::vector<PanelRow> fileProperties(const ProjectModel& model, int fileRow, const NumberLocale& locale = {});

// A date and time as the panels show it: "2026-12-06 10:00:00".
std::string formatPanelDate(double oleDate);

}  // namespace tally
