#include "ui/app/ComingLaterPage.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tally {

ComingLaterPage::ComingLaterPage(const QString& text, QWidget* parent) : QWidget(parent) {
    m_label = new QLabel(text, this);
    m_label->setObjectName(QStringLiteral("comingLater"));
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->addWidget(m_label, 0, Qt::AlignCenter);
}

QString ComingLaterPage::text() const {
    return m_label->text();
}

}  // namespace tally
