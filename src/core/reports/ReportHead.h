#pragma once
// The start the reports share: the RTF header and three big dark blue bold lines (the title, the
// date and time the report is made, the project's name from the root of the tree), then an empty
// line.

#include <string>
#include <string_view>

#include "core/model/ProjectModel.h"
#include "core/reports/ReportSettings.h"

namespace tally {

std::string reportHead(std::string_view title, const ProjectModel& model, const ReportSettings& settings);

// The text of the project tree's root node; empty for an empty tree.
std::string projectRootText(const ProjectModel& model);

}  // namespace tally
