#include "ui/common/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "ui/common/AnsiText.h"

namespace tally {

void SystemClipboard::clear() {
    QGuiApplication::clipboard()->clear();
}

void SystemClipboard::setText(std::string_view text) {
    QString shown = fromAnsi(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QGuiApplication::clipboard()->setText(shown);
}

std::string SystemClipboard::text() const {
    QString held = QGuiApplication::clipboard()->text();
    held.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    held.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    held.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    held.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    held.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return toAnsi(held);
}

bool SystemClipboard::hasText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() && !data->text().isEmpty();
}

}  // namespace tally
