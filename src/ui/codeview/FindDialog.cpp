#include "ui/codeview/FindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tally {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(tr("Find"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* label = new QLabel(tr("Fi&nd what:"), this);
    m_what = new QLineEdit(this);
    m_what->setObjectName(QStringLiteral("findWhat"));
    m_what->setMaxLength(255);
    m_what->setMinimumWidth(240);
    label->setBuddy(m_what);

    m_wholeWord = new QCheckBox(tr("Match &whole word only"), this);
    m_wholeWord->setObjectName(QStringLiteral("findWholeWord"));
    m_matchCase = new QCheckBox(tr("Match &case"), this);
    m_matchCase->setObjectName(QStringLiteral("findMatchCase"));

    auto* direction = new QGroupBox(tr("Direction"), this);
    m_up = new QRadioButton(tr("&Up"), direction);
    m_up->setObjectName(QStringLiteral("findUp"));
    m_down = new QRadioButton(tr("&Down"), direction);
    m_down->setObjectName(QStringLiteral("findDown"));
    m_down->setChecked(true);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    m_findNext = new QPushButton(tr("&Find Next"), this);
    m_findNext->setObjectName(QStringLiteral("findNext"));
    m_findNext->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("findCancel"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_what, 0, 1, 1, 2);
    auto* checks = new QVBoxLayout;
    checks->addWidget(m_wholeWord);
    checks->addWidget(m_matchCase);
    checks->addStretch(1);
    grid->addLayout(checks, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(cancel);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(14);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);

    auto updateButton = [this] { m_findNext->setEnabled(!m_what->text().isEmpty()); };
    connect(m_what, &QLineEdit::textChanged, this, updateButton);
    connect(m_findNext, &QPushButton::clicked, this,
            [this] { emit findNextRequested(findText(), options()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    // Esc and the window's close button end the dialog the same way.
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
    updateButton();
}

void FindDialog::start(const QString& text) {
    m_what->setText(text);
    m_what->selectAll();
    m_what->setFocus();
    m_down->setChecked(true);
}

QString FindDialog::findText() const {
    return m_what->text();
}

FindOptions FindDialog::options() const {
    return FindOptions{m_down->isChecked(), m_matchCase->isChecked(), m_wholeWord->isChecked()};
}

void FindDialog::setOptions(const FindOptions& options) {
    (options.down ? m_down : m_up)->setChecked(true);
    m_matchCase->setChecked(options.matchCase);
    m_wholeWord->setChecked(options.wholeWord);
}

}  // namespace tally
