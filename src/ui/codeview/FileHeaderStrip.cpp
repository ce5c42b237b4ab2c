#include "ui/codeview/FileHeaderStrip.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>

#include "ui/common/IconLibrary.h"

namespace tally {

FileHeaderStrip::FileHeaderStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("headerStrip"));
    setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->setSpacing(8);
    m_icon = new QLabel(this);
    m_icon->setFixedSize(20, 20);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("headerTitle"));
    m_text->setTextFormat(Qt::PlainText);
    m_detail = new QLabel(this);
    m_detail->setObjectName(QStringLiteral("headerDetail"));
    m_detail->setTextFormat(Qt::PlainText);
    m_detail->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("headerNote"));
    m_note->setTextFormat(Qt::PlainText);
    m_note->hide();
    layout->addWidget(m_icon);
    layout->addWidget(m_text);
    layout->addWidget(m_detail, 1);
    layout->addWidget(m_note);
    m_icon->hide();
}

void FileHeaderStrip::showFile(const QString& path) {
    QFileInfo info(path);
    QIcon icon = IconLibrary::icon(IconLibrary::fileKindKey(path));
    m_icon->setPixmap(icon.pixmap(QSize(20, 20), devicePixelRatioF()));
    m_icon->setVisible(!icon.isNull());
    m_text->setText(info.fileName());
    m_detail->setText(info.path());
    m_detail->setToolTip(path);
    m_note->clear();
    m_note->hide();
}

void FileHeaderStrip::showNote(const QString& note) {
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
}

void FileHeaderStrip::showText(const QString& text) {
    m_icon->hide();
    m_text->setText(text);
    m_detail->clear();
    m_detail->setToolTip(QString());
    m_note->clear();
    m_note->hide();
}

void FileHeaderStrip::clear() {
    showText(QString());
}

QString FileHeaderStrip::text() const {
    return m_text->text();
}

}  // namespace tally
