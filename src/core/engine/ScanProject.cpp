#include "core/engine/ScanProject.h"

#include "core/parser/ParseDriver.h"
#include "core/project/ProjectReader.h"

namespace tally {

ScanOutcome scanProject(ProjectModel& model, const ScanRequest& request) {
    ScanOutcome outcome;
    // The cancel flag is not handed to the reader to be cleared: a cancel that came while the
    // project file was read still stops the passes.
    OpenProjectResult opened = openProject(model, request.projectPath, request.versions);
    if (!opened) {
        outcome.message = std::move(opened.message);
        return outcome;
    }
    outcome.opened = true;
    if (request.opened) request.opened(model);
    ParseContext context{model, request.progress, request.cancel, request.versions, request.locale};
    outcome.cancelled = runParse(context).cancelled;
    return outcome;
}

}  // namespace tally
