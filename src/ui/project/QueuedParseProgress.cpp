#include "ui/project/QueuedParseProgress.h"

namespace tally {

namespace {
QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

void QueuedParseProgress::setFileLabel(std::string_view text) {
    emit fileLabelChanged(bytes(text));
}

void QueuedParseProgress::setLineLabel(std::string_view text) {
    emit lineLabelChanged(bytes(text));
}

void QueuedParseProgress::setRange(long long minimum, long long maximum) {
    emit rangeChanged(minimum, maximum);
}

void QueuedParseProgress::setValue(long long value) {
    emit valueChanged(value);
}

}  // namespace tally
