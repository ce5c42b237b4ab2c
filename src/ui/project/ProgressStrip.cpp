#include "ui/project/ProgressStrip.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>

namespace tally {

namespace {

const QColor kStripColour(0x25, 0x63, 0xeb);
// The strip is painted at most this often: a pass calls step() once per character.
constexpr qint64 kPaintInterval = 40;

}  // namespace

ProgressStrip::ProgressStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("colouringProgress"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedHeight(3);
    hide();
}

void ProgressStrip::begin() {
    ++m_passes;
    m_filled = 1;
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    raise();
    show();
    repaint();
    m_sincePaint.start();
}

void ProgressStrip::step(std::size_t total, std::size_t current) {
    int filled = progressStripWidth(width(), total, current);
    if (filled == m_filled) return;
    m_filled = filled;
    if (m_sincePaint.elapsed() < kPaintInterval) return;
    repaint();
    m_sincePaint.restart();
}

void ProgressStrip::end() {
    m_filled = 0;
    hide();
    QGuiApplication::restoreOverrideCursor();
}

void ProgressStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, m_filled, height()), kStripColour);
}

}  // namespace tally
