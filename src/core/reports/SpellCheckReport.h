#pragma once
// The "Project Spell Check Report": every correction the spell check made, under the heading of
// its file and, indented, of its control or routine, with the text before and after.

#include <string_view>

#include "core/model/ProjectModel.h"
#include "core/reports/ReportSettings.h"

namespace tally {

// Shown instead of the report when the Spell Check list has no rows at all.
inline constexpr std::string_view kNothingInTheList = "Nothing to report.";

struct SpellCheckReport {
    ReportDocument document;   // nothing when there is nothing to report
    std::string_view message;  // then why: kNothingInTheList or kNothingToReport
};

SpellCheckReport buildSpellCheckReport(const ProjectModel& model, const ReportSettings& settings);

}  // namespace tally
