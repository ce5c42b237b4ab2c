#include "ui/app/AssociationDialog.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/settings/ScanFileAssociation.h"
#include "ui/common/IconLibrary.h"

namespace tally {

AssociationDialog::AssociationDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAssoc"));
    setWindowTitle(QStringLiteral("File Asscociation"));
    auto* image = new QLabel(this);
    image->setPixmap(IconLibrary::icon(QStringLiteral("app")).pixmap(48, 48));
    auto* text = new QLabel(
        QStringLiteral("Tallyscan 6 uses the *.PSF file extention for project scan files. Would you like to "
                       "associate  the PSF file extention with this program? "),
        this);
    text->setWordWrap(true);
    text->setMinimumWidth(340);
    m_again = new QCheckBox(QStringLiteral("Don't ask me this again."), this);
    m_again->setObjectName(QStringLiteral("chkAgain"));
    m_buttons[1] = new QPushButton(QStringLiteral("&Yes"), this);
    m_buttons[0] = new QPushButton(QStringLiteral("&No"), this);
    m_buttons[1]->setObjectName(QStringLiteral("cmdOpt1"));
    m_buttons[0]->setObjectName(QStringLiteral("cmdOpt0"));
    m_buttons[1]->setDefault(true);
    connect(m_buttons[1], &QPushButton::clicked, this, [this] { answered(true); });
    connect(m_buttons[0], &QPushButton::clicked, this, [this] { answered(false); });

    auto* top = new QHBoxLayout;
    top->addWidget(image, 0, Qt::AlignTop);
    top->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_again);
    buttons->addStretch();
    buttons->addWidget(m_buttons[1]);
    buttons->addWidget(m_buttons[0]);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

void AssociationDialog::answered(bool yes) {
    m_answer = associationAnswer(yes, m_again->isChecked());
    accept();
}

int askAboutAssociation(QWidget* parent) {
    AssociationDialog dialog(parent);
    dialog.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    dialog.exec();
    return dialog.answer();
}

}  // namespace tally
