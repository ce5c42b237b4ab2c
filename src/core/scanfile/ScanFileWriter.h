#pragma once
// Writes a whole analysis as a Project Scan File (always format version 2.0): the project's paths,
// the caption, the parse times, the project tree and every table of the model, one field per line.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/os/SafeFileWriter.h"
#include "core/model/ProjectModel.h"
#include "core/scanfile/ScanFileFormat.h"

namespace tally {

// The complete text of the scan file of `model`, lines ended by CR LF. Reads the model only.
std::string scanFileText(const ProjectModel& model);

// Writes the scan file of `model` at `path`, replacing a scan file (or empty file) there. Refused
// without writing: the project file, a file of the project, a file that is not a scan file (see
// ScanSaveTarget.h), and what SafeFileWriter refuses; a read-only, hard-linked or foreign-owned
// scan file only when `cautionsAgreed`. A failed write leaves an existing file untouched and returns
// the reason. A scan file that would be larger than `largestFile` (what opening one reads at most)
// is not written either: the write stops when the text passes it. Does not change ScanFilePath or
// ScanChanged.
Outcome saveScanFile(const ProjectModel& model, std::string_view path, bool cautionsAgreed = false,
                     std::int64_t largestFile = kLargestScanFile);

}  // namespace tally
