#pragma once
// The routine length lines of the statistics report: longest, shortest and average Function or Sub.

#include <string>
#include <vector>

#include "core/model/ProjectModel.h"
#include "core/reports/ReportSettings.h"

namespace tally {

// "Longest Routine: <name> in <file> - <n> Lines.", "Shortest Routine: ..." (the shortest with any
// lines; left out when no routine has lines) and "Average Length: <n> Lines." (whole-number
// average, routines without lines included). A project without any Function or Sub gets only
// "Average Length: 0 Lines.". Names are decoded to UTF-8 with `codecs`, not escaped.
std::vector<std::string> routineStatistics(const ProjectModel& model,
                                           const SourceCodecs& codecs = westernSourceCodecs());

}  // namespace tally
