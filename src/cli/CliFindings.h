#pragma once
// The findings of a scan for a build pipeline: the document of --format sarif, junit or
// codeclimate, and the --fail-on count of the findings nobody has reviewed, with --exclude and
// --baseline applied to both.

#include <optional>
#include <vector>

#include "cli/CliApp.h"
#include "cli/CliArguments.h"
#include "core/findings/Findings.h"
#include "core/model/ProjectModel.h"

namespace tally {

struct ScanFindings {
    std::vector<Finding> findings;  // all five lists
    bool withBaseline = false;
};

// The findings of `model` with the files --exclude names left out, marked against --baseline;
// nothing (after saying why on env.err) when the baseline cannot be read.
std::optional<ScanFindings> scanFindings(CliEnvironment& env, const CliArguments& args, const ProjectModel& model);

// Writes the pipeline document of args.format for the lists --list names (all five by default).
void writeFindingsDocument(CliEnvironment& env, const CliArguments& args, const ProjectModel& model,
                           const ScanFindings& found);

// The findings of `list` not reviewed: neither checked nor in the baseline.
int unreviewedFindings(const ScanFindings& found, ReviewListId list);

}  // namespace tally
