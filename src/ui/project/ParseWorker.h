#pragma once
// Opens the project and runs the three parsing passes over the model on a worker thread, through
// the engine's one open-and-parse call. The GUI thread touches the model only while the worker waits
// in `projectRead`, and again once `finished` has arrived and the thread has ended.

#include <QObject>
#include <string>

#include "core/engine/ScanProject.h"

namespace tally {

// Everything one scan needs besides its progress sink and cancel flag.
struct ParseRequest {
    ProjectModel& model;
    std::string projectPath;
    const FileVersionSource& versions;
    NumberLocale locale;
    ParseFunction parse;  // the passes; empty for the real ones
    // The code page of the sources, asked on the worker once the project file is read; may be empty.
    std::function<int(const ProjectModel&)> codePage;
    // Members `codePage` read whole, for the first pass (see ScanRequest::readAhead); may be null.
    SourceTextCache* readAhead = nullptr;
};

class ParseWorker : public QObject {
    Q_OBJECT
public:
    ParseWorker(ParseRequest request, ParseProgress& progress, CancelFlag& cancel);

    // How the scan went; read once `finished` has arrived.
    const ScanOutcome& outcome() const { return m_outcome; }

public slots:
    // Opens and parses; progress goes out through the throttle, `finished` comes last.
    void run();

signals:
    // The project file has been read and the passes have not begun. Connected across threads with a
    // blocking connection, so the receiver may read the model.
    void projectRead();
    void finished();

private:
    ParseRequest m_request;
    ParseProgress& m_progress;
    CancelFlag& m_cancel;
    ScanOutcome m_outcome;
};

}  // namespace tally
