#pragma once
// Where a scan file may be saved: never over the project file or a file of the open project, and
// over an existing file only when that is a scan file already (or empty), so that a slip of the
// name cannot turn a source into scan text.

#include <string>
#include <string_view>

#include "core/model/ProjectModel.h"

namespace tally {

// Why the scan file of `model` may not be saved at `path` ("<path> is not a project scan file;
// choose another name"); empty when it may. Looks at the disk, follows links.
std::string scanSaveRefusal(const ProjectModel& model, std::string_view path);

// True when `head` (the start of a file) is empty or begins with a scan file's version line.
bool looksLikeScanFile(std::string_view head);

}  // namespace tally
