#pragma once
// Runs the three parsing passes over the model on a worker thread. The GUI thread does not touch
// the model until `finished` has arrived and the thread has ended.

#include <QObject>
#include <functional>

#include "core/parser/ParseDriver.h"

namespace tally {

// The passes to run; the program uses runParse, tests may wrap it.
using ParseFunction = std::function<ParseOutcome(ParseContext&)>;

// Everything one parse needs besides its progress sink and cancel flag.
struct ParseRequest {
    ProjectModel& model;
    const FileVersionSource& versions;
    NumberLocale locale;
    ParseFunction parse;
};

class ParseWorker : public QObject {
    Q_OBJECT
public:
    ParseWorker(ParseRequest request, ParseProgress& progress, CancelFlag& cancel);

public slots:
    // Runs the passes; progress goes out through the throttle, `finished` comes last.
    void run();

signals:
    void finished(bool cancelled);

private:
    ParseRequest m_request;
    ParseProgress& m_progress;
    CancelFlag& m_cancel;
};

}  // namespace tally
