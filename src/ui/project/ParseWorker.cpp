#include "ui/project/ParseWorker.h"

namespace tally {

ParseWorker::ParseWorker(ParseRequest request, ParseProgress& progress, CancelFlag& cancel)
    : m_request(std::move(request)), m_progress(progress), m_cancel(cancel) {}

void ParseWorker::run() {
    bool cancelled = true;
    try {
        // A person sees at most a few dozen updates a second; the throttle keeps the GUI thread's
        // queue short however fast the passes run.
        ThrottledProgress throttled(m_progress);
        ParseContext context{m_request.model, throttled, m_cancel, m_request.versions, m_request.locale};
        cancelled = m_request.parse(context).cancelled;
    } catch (...) {
        // A failure inside the passes leaves a partial model, shown like a cancelled parse.
        cancelled = true;
    }
    emit finished(cancelled);
}

}  // namespace tally
