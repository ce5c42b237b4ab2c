#pragma once
// The "Project Statistics Report": the project as it was at scan time (scan date and duration,
// source files with their folders, sizes and dates, references, objects, DLLs, project
// properties, routine lengths and the table of type names).

#include <string>

#include "core/model/ProjectModel.h"
#include "core/reports/ReportSettings.h"

namespace tally {

// The report's RTF document; it always has something to say.
std::string buildStatisticsReport(const ProjectModel& model, const ReportSettings& settings);

}  // namespace tally
