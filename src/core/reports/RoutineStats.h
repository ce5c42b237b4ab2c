#pragma once
// The routine length lines of the statistics report: longest, shortest and average Function or Sub.

#include <string>
#include <vector>

#include "core/model/ProjectModel.h"

namespace tally {

// "Longest Routine: <name> in <file> - <n> Lines.", "Shortest Routine: ..." (the shortest with any
// lines; left out when no routine has lines) and "Average Length: <n> Lines." (whole-number
// average, routines without lines included). A project without any Function or Sub gets only
// "Average Length: 0 Lines.". Texts are as in the model, not escaped.
std::vector<std::string> routineStatistics(const ProjectModel& model);

}  // namespace tally
