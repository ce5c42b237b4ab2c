#pragma once
// Opening a project: reading its project file (.vbp) into the Files table and the project tree.
// The caller then runs the parse driver over the files.

#include <string>
#include <string_view>

#include "core/model/ProjectModel.h"
#include "core/support/ParseProgress.h"
#include "core/project/FileVersion.h"
#include "core/support/Outcome.h"
#include "core/text/TextCodec.h"

namespace tally {

// Reads the project file at `projectPath` (made absolute) into `model`: one Files row and tree node
// per source file, references, objects, per-kind counters, the root text and the window caption;
// then resets the other tables and clears `cancel` when one is given. When the project file is
// missing or unreadable the model is left empty with the counter skeleton and the message says why.
// With `codecs`, a member whose name (in the project file's code page) is not on the disk is looked
// for under its name in UTF-8 too: a Japanese project unpacked here may have either.
Outcome openProject(ProjectModel& model, std::string_view projectPath, const FileVersionSource& versions,
                    CancelFlag* cancel = nullptr, CodecFactory codecs = nullptr);

}  // namespace tally
