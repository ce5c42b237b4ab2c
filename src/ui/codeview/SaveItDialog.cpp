#include "ui/codeview/SaveItDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/common/AnsiText.h"

namespace tally {

SaveItDialog::SaveItDialog(const QString& label, std::span<const SaveItButton> buttons, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmSave"));
    setWindowTitle(QStringLiteral("Save It"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    m_label = new QLabel(label, this);
    m_label->setObjectName(QStringLiteral("lblSave"));
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    QFont bold = m_label->font();
    bold.setBold(true);
    m_label->setFont(bold);

    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(icon);
    header->addWidget(m_label, 1);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(8);
    int row = 0;
    QPushButton* saveButton = nullptr;
    for (const SaveItButton& entry : buttons) {
        // The captions are the dialog's own texts; "&&" shows a single ampersand.
        auto* button = new QPushButton(fromAnsi(entry.caption), this);
        button->setObjectName(QStringLiteral("cmdSave%1").arg(row));
        button->setEnabled(entry.enabled);
        button->setMinimumWidth(170);
        button->setAutoDefault(true);
        auto* explanation = new QLabel(fromAnsi(entry.explanation), this);
        explanation->setObjectName(QStringLiteral("lblSaveInfo%1").arg(row));
        explanation->setWordWrap(true);
        explanation->setEnabled(entry.enabled);
        explanation->setBuddy(button);
        grid->addWidget(button, row, 0);
        grid->addWidget(explanation, row, 1);
        m_buttons.emplace_back(entry.choice, button);
        if (entry.choice == SaveItChoice::Save) saveButton = button;
        SaveItChoice choice = entry.choice;
        connect(button, &QPushButton::clicked, this, [this, choice] {
            m_choice = choice;
            accept();
        });
        ++row;
    }
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 16);
    layout->setSpacing(16);
    layout->addLayout(header);
    layout->addLayout(grid);
    setMinimumWidth(560);

    // Enter saves: the changed text is what the user was working on.
    if (saveButton) {
        saveButton->setDefault(true);
        saveButton->setFocus();
    }
}

QPushButton* SaveItDialog::button(SaveItChoice choice) const {
    for (const auto& [which, button] : m_buttons)
        if (which == choice) return button;
    return nullptr;
}

QString SaveItDialog::labelText() const {
    return m_label->text();
}

}  // namespace tally
