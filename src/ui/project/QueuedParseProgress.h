#pragma once
// The passes' progress reports turned into Qt signals. The passes call it on the worker thread;
// the parse dialog, living on the GUI thread, receives the signals queued.

#include <QByteArray>
#include <QObject>

#include "core/support/ParseProgress.h"

namespace tally {

class QueuedParseProgress : public QObject, public ParseProgress {
    Q_OBJECT
public:
    using QObject::QObject;

    void setFileLabel(std::string_view text) override;
    void setLineLabel(std::string_view text) override;
    void setRange(long long minimum, long long maximum) override;
    void setValue(long long value) override;

signals:
    // Texts are the model's Windows-1252 bytes.
    void fileLabelChanged(const QByteArray& text);
    void lineLabelChanged(const QByteArray& text);
    void rangeChanged(qint64 minimum, qint64 maximum);
    void valueChanged(qint64 value);
};

}  // namespace tally
