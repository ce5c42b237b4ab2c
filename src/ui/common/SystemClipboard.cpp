#include "ui/common/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "core/text/SourceCodecs.h"
#include "ui/common/AnsiText.h"

namespace tally {

void SystemClipboard::clear() {
    QGuiApplication::clipboard()->clear();
}

void SystemClipboard::setText(std::string_view text) {
    QString shown = m_codec ? QString::fromStdString(m_codec->toUtf8(text)) : fromAnsi(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QGuiApplication::clipboard()->setText(shown);
}

QString SystemClipboard::desktopText() {
    return QGuiApplication::clipboard()->text();
}

std::string SystemClipboard::text() const {
    QString held = desktopText();
    held.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    held.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    held.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    held.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    held.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return m_codec ? encodeWithQuestionMarks(*m_codec, held.toStdString()) : toAnsi(held);
}

bool SystemClipboard::hasText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() && !data->text().isEmpty();
}

}  // namespace tally
