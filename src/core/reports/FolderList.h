#pragma once
// The folders the project's source files sit in, as the statistics report lists them.

#include <string>
#include <vector>

#include "core/model/ProjectModel.h"
#include "core/reports/ReportFiles.h"

namespace tally {

// The distinct folders (compared without regard to case) of the Files rows 1 on whose file exists,
// in the order first met.
std::vector<std::string> projectFolders(const ProjectModel& model, const ReportFiles& files);

}  // namespace tally
