#pragma once
// Where a finding's file is, as a pipeline names it: relative to the project folder with "/"
// separators, and the patterns that leave files or folders out of the findings (vendored controls,
// generated code).

#include <string>
#include <string_view>

#include "core/model/ProjectModel.h"

namespace tally {

// The member's path relative to the project folder, "/" between folders: "Forms/frmMain.frm", or
// "../Shared/modLog.bas" for a member outside the folder; a network path stays as it is.
std::string projectRelativePath(const ProjectModel& model, int fileRow);
// `path` relative to `folder` (absolute, with its trailing "/") the same way.
std::string pathRelativeTo(std::string_view folder, std::string_view path);

// Whether the exclude pattern names `relativePath` (as projectRelativePath gives it). "*" matches
// within one name, "**" across folders, "?" one character; "\" counts as "/"; case does not matter
// (the projects come from Windows). A pattern without "/" also matches the file name alone
// ("*.ctl"); one ending in "/" names a folder and everything in it ("Vendor/").
bool excludePatternMatches(std::string_view pattern, std::string_view relativePath);

}  // namespace tally
