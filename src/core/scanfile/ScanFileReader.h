#pragma once
// Reopens a Project Scan File (format versions 1.0 and 2.0): every table of the model, the project
// tree and the spell rows are re-created from the file, and no parsing pass runs.
//
// The file must hold, after its five header lines, the nine sections in their fixed order, each
// with exactly the records its count announces and closed by its End line; blank lines between
// sections are allowed and anything after "End Spell" is ignored. Any other shape ends the read.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/model/ProjectModel.h"
#include "core/scanfile/ScanFileFormat.h"
#include "core/support/Outcome.h"

namespace tally {

inline constexpr std::string_view kScanReadFailureText =
    "There was a problem reading the Project Scan File. The following error occured.";

// The deepest project tree a scan file may hold (a project's own tree is four levels deep).
inline constexpr int kLargestScanTreeDepth = 256;

// Reads the scan file at `path` into `model`. On success the model holds the file's analysis and
// ScanFilePath is `path`; on failure the model is emptied completely (the caller builds the empty
// tree skeleton again).
Outcome openScanFile(std::string_view path, ProjectModel& model);

// The same for a file's text that has already been read; `path` becomes ScanFilePath.
Outcome readScanText(std::string_view text, std::string_view path, ProjectModel& model);

}  // namespace tally
