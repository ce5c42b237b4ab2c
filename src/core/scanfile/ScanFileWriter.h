#pragma once
// Writes a whole analysis as a Project Scan File (always format version 2.0): the project's paths,
// the caption, the parse times, the project tree and every table of the model, one field per line.

#include <string>
#include <string_view>

#include "core/archive/SafeFileWriter.h"
#include "core/model/ProjectModel.h"

namespace tally {

// The complete text of the scan file of `model`, lines ended by CR LF. Reads the model only.
std::string scanFileText(const ProjectModel& model);

// Writes the scan file of `model` at `path`, replacing any file there. A failed write leaves an
// existing file untouched and returns the reason. Does not change ScanFilePath or ScanChanged.
FileWriteResult saveScanFile(const ProjectModel& model, std::string_view path);

}  // namespace tally
