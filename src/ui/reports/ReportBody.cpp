#include "ui/reports/ReportBody.h"

#include <QContextMenuEvent>
#include <QMimeData>
#include <QTextCursor>

#include "ui/reports/RichTextConversion.h"

namespace tally {

ReportBody::ReportBody(QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("txtBody"));
    setLineWrapMode(QTextEdit::NoWrap);
    setAcceptRichText(false);
    setTabChangesFocus(false);
    // The widget's font becomes the document's default whenever it changes, so both are Arial.
    setFont(reportViewFont());
    applyReportLayout(*document());
}

QMimeData* ReportBody::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    QString text = textCursor().selectedText();
    text.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    text.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    data->setText(text);
    return data;
}

bool ReportBody::canInsertFromMimeData(const QMimeData* source) const {
    return source && source->hasText();
}

void ReportBody::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    textCursor().insertText(text);
    ensureCursorVisible();
}

void ReportBody::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuRequested(event->globalPos());
    event->accept();
}

}  // namespace tally
