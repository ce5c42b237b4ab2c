#include "ui/common/DialogPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "ui/codeview/SaveItDialog.h"

namespace tally {

QString qtNameFilter(const QString& filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (pattern == QLatin1String("*.*")) {
                patterns << QStringLiteral("*");
                continue;
            }
            patterns << pattern.toLower();
            if (pattern.toUpper() != pattern.toLower()) patterns << pattern.toUpper();
        }
        patterns.removeDuplicates();
        // A name that already shows its pattern ("Basic Files (*.bas)") shows it once, in both cases.
        QString name = parts[i];
        QString shown = QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
        if (name.endsWith(shown)) name.chop(shown.size());
        filters << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

void DialogPrompts::notify(const QString& text, MessageIcon icon, const QString& title) {
    QMessageBox::Icon boxIcon = icon == MessageIcon::Exclamation   ? QMessageBox::Warning
                                : icon == MessageIcon::Question    ? QMessageBox::Question
                                : icon == MessageIcon::Information ? QMessageBox::Information
                                                                   : QMessageBox::NoIcon;
    QMessageBox box(boxIcon, title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool DialogPrompts::askYesNo(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString DialogPrompts::chooseOpenFile(const QString& caption, const QString& filter) {
    return QFileDialog::getOpenFileName(m_parent, caption, QString(), qtNameFilter(filter));
}

QStringList DialogPrompts::chooseOpenFiles(const QString& caption, const QString& filter) {
    return QFileDialog::getOpenFileNames(m_parent, caption, QString(), qtNameFilter(filter));
}

QString DialogPrompts::chooseSaveFile(const QString& caption, const QString& filter,
                                      const QString& proposed) {
    return QFileDialog::getSaveFileName(m_parent, caption, proposed, qtNameFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

SaveItChoice DialogPrompts::chooseSaveIt(const QString& label, std::span<const SaveItButton> buttons) {
    SaveItDialog dialog(label, buttons, m_parent);
    dialog.exec();
    return dialog.choice();
}

}  // namespace tally
