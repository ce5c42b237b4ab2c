#include "ui/project/ParseWorker.h"

#include "platform/text/TextCodecs.h"

namespace tally {

ParseWorker::ParseWorker(ParseRequest request, ParseProgress& progress, CancelFlag& cancel)
    : m_request(std::move(request)), m_progress(progress), m_cancel(cancel) {}

void ParseWorker::run() {
    // A person sees at most a few dozen updates a second; the throttle keeps the GUI thread's queue
    // short however fast the passes run.
    ThrottledProgress throttled(m_progress);
    ScanRequest request{m_request.projectPath, m_request.versions, throttled, m_cancel, m_request.locale,
                        [this](const ProjectModel&) { emit projectRead(); }, m_request.parse};
    request.codePage = m_request.codePage;
    request.readAhead = m_request.readAhead;
    request.codecs = makeTextCodec;
    request.threads = defaultScanThreads();
    m_outcome = scanProject(m_request.model, request);
    emit finished();
}

}  // namespace tally
