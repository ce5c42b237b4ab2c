#include "core/engine/ScanProject.h"

#include <algorithm>
#include <exception>
#include <new>
#include <thread>

#include "core/project/ProjectReader.h"

namespace tally {

namespace {

ParseOutcome runPasses(const ScanRequest& request, ParseContext& context) {
    return request.passes ? request.passes(context) : runParse(context);
}

}  // namespace

int defaultScanThreads() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 64u));
}

ScanOutcome scanProject(ProjectModel& model, const ScanRequest& request) {
    ScanOutcome outcome;
    // The cancel flag is not handed to the reader to be cleared: a cancel that came while the
    // project file was read still stops the passes.
    outcome.open = openProject(model, request.projectPath, request.versions, nullptr, request.codecs);
    if (!outcome.open) return outcome;
    // The code page comes first: what `opened` shows may already decode with it.
    const int codePage = request.codePage ? request.codePage(model) : kCodePageWestern;
    if (request.opened) request.opened(model);
    ParseContext context{model, request.progress, request.cancel, request.versions, request.locale};
    context.codePage = codePage;
    context.readAhead = request.readAhead;
    context.threads = request.threads;
    try {
        outcome.cancelled = runPasses(request, context).cancelled;
    } catch (const std::bad_alloc&) {
        outcome.cancelled = true;
        outcome.stoppedBy = "Out of memory";
    } catch (const std::exception& failure) {
        outcome.cancelled = true;
        outcome.stoppedBy = failure.what();
    } catch (...) {
        outcome.cancelled = true;
        outcome.stoppedBy = "an unknown failure";
    }
    if (request.readAhead) request.readAhead->clear();
    return outcome;
}

}  // namespace tally
