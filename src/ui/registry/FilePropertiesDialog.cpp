#include "ui/registry/FilePropertiesDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include "ui/common/AnsiText.h"

namespace tally {

FilePropertiesDialog::FilePropertiesDialog(const QString& path, const VersionInfoSource& versions, QWidget* parent)
    : QDialog(parent) {
    const QFileInfo info(path);
    setObjectName(QStringLiteral("frmFileProperties"));
    setWindowTitle(tr("%1 Properties").arg(info.fileName()));
    m_form = new QFormLayout;
    const QLocale locale;
    addLine(tr("Location:"), QDir::toNativeSeparators(info.absolutePath()));
    addLine(tr("Name:"), info.fileName());
    addLine(tr("Size:"), tr("%1 (%2 bytes)").arg(locale.formattedDataSize(info.size()), locale.toString(info.size())));
    if (info.birthTime().isValid()) addLine(tr("Created:"), locale.toString(info.birthTime(), QLocale::LongFormat));
    addLine(tr("Modified:"), locale.toString(info.lastModified(), QLocale::LongFormat));
    addLine(tr("Accessed:"), locale.toString(info.lastRead(), QLocale::LongFormat));
    const VersionStrings strings = versions.versionStrings(toLocalPath(path));
    for (std::size_t i = 0; i < strings.size(); ++i) {
        if (strings[i].empty()) continue;
        QString label = QString::fromLatin1(kVersionLabels[i].data(), static_cast<qsizetype>(kVersionLabels[i].size()));
        addLine(label.trimmed(), fromAnsi(strings[i]));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addWidget(buttons);
}

void FilePropertiesDialog::addLine(const QString& label, const QString& value) {
    auto* shown = new QLabel(value, this);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_form->addRow(label, shown);
}

QStringList FilePropertiesDialog::lines() const {
    QStringList out;
    for (int row = 0; row < m_form->rowCount(); ++row) {
        auto* label = qobject_cast<QLabel*>(m_form->itemAt(row, QFormLayout::LabelRole)->widget());
        auto* value = qobject_cast<QLabel*>(m_form->itemAt(row, QFormLayout::FieldRole)->widget());
        if (label && value) out << label->text() + QLatin1Char(' ') + value->text();
    }
    return out;
}

}  // namespace tally
