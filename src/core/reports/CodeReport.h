#pragma once
// The "Project Code Report": the dead and doubtful code the analysis found, one section each for
// unused routines and DLL calls, empty routines, functions with no return type, untyped
// variables, unused variables and unused types, with their columns lined up.

#include "core/model/ProjectModel.h"
#include "core/reports/ReportSettings.h"

namespace tally {

// The report's RTF document; nothing when no section would be written.
ReportDocument buildCodeReport(const ProjectModel& model, const ReportSettings& settings);

}  // namespace tally
