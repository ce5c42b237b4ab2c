#pragma once
// The findings of a scan in the formats build pipelines read: SARIF 2.1.0 (code scanning in GitHub,
// Azure DevOps and most review tools), JUnit XML (test result pages of Jenkins, Azure DevOps
// Server, TeamCity, GitLab) and the Code Climate JSON GitLab's code quality widget reads.

#include <ostream>
#include <string>
#include <vector>

#include "core/findings/Findings.h"
#include "core/model/ProjectModel.h"

namespace tally {

struct FindingsRun {
    const ProjectModel& model;
    std::vector<Finding> findings;
    std::vector<ReviewListId> lists;  // the finding lists reported, in order
    std::vector<std::string> argv;    // the command line after the program's name
    bool withBaseline = false;        // findings carry New or Unchanged
    // The folder paths are given from (PROJECTROOT in SARIF), with its trailing "/": the project's
    // unless --source-root names another (a repository's root, which pipelines expect).
    std::string root;
};

// One run: the tool with its five rules, the command line, PROJECTROOT (the project folder), one
// result per finding with its file, its routine's line where known, a fingerprint, a checked row as
// an external suppression and, with a baseline, its state.
void writeSarif(std::ostream& out, const FindingsRun& run);
// One test suite, one test case per list, failed by the findings not yet reviewed (listed in the
// failure's text); reviewed ones are counted in the case's output.
void writeJunit(std::ostream& out, const FindingsRun& run);
// An array of issues: description, check_name, fingerprint, severity, location path and lines. Only
// findings not yet reviewed are issues.
void writeCodeClimate(std::ostream& out, const FindingsRun& run);

// `text` percent-encoded for a URI reference: letters, digits, "-._~/" as they are, the rest as
// %XX of its UTF-8 bytes.
std::string uriPath(const std::string& utf8);

}  // namespace tally
