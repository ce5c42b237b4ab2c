#pragma once
// Opening a project and parsing it, the one way every front end does it: the project path made
// absolute once, the project file read, the three passes run with progress and cancel, and the
// outcome with its reason.

#include <functional>
#include <string>
#include <string_view>

#include "core/model/ProjectModel.h"
#include "core/project/FileVersion.h"
#include "core/support/ParseProgress.h"
#include "core/text/NumberFormat.h"

namespace tally {

struct ScanRequest {
    std::string_view projectPath;
    const FileVersionSource& versions;
    ParseProgress& progress;
    const CancelFlag& cancel;
    NumberLocale locale{};
    // Called once the project file is read and before the passes run (to report skipped members,
    // say); may be empty.
    std::function<void(const ProjectModel&)> opened;
};

struct ScanOutcome {
    bool opened = false;     // the project file could be read
    bool cancelled = false;  // the passes were cancelled; the model holds what was gathered
    std::string message;     // why the project could not be opened

    // The project was opened and parsed to the end.
    explicit operator bool() const { return opened && !cancelled; }
};

// Replaces `model` with the scanned project. A project file that cannot be read leaves the model
// empty with the counter skeleton, as opening it does.
ScanOutcome scanProject(ProjectModel& model, const ScanRequest& request);

}  // namespace tally
