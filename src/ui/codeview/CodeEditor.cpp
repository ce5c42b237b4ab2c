#include "ui/codeview/CodeEditor.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <algorithm>

#include "ui/app/FontFamilies.h"

namespace tally {

namespace {

const QColor kGutterBackground(0xf7, 0xf8, 0xfa);
const QColor kGutterText(0x9a, 0xa3, 0xaf);
const QColor kGutterCurrentText(0x37, 0x41, 0x51);
const QColor kGutterRule(0xe5, 0xe7, 0xeb);
const QColor kCaretLine(0xf3, 0xf6, 0xfc);

class Gutter : public QWidget {
public:
    explicit Gutter(CodeEditor* editor) : QWidget(editor), m_editor(editor) {}
    QSize sizeHint() const override { return QSize(m_editor->gutterWidth(), 0); }

protected:
    void paintEvent(QPaintEvent* event) override { m_editor->paintGutter(event); }

private:
    CodeEditor* m_editor;
};

}  // namespace

CodeEditor::CodeEditor(QWidget* parent) : QPlainTextEdit(parent), m_gutter(new Gutter(this)) {
    setObjectName(QStringLiteral("txtCode"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    setTabChangesFocus(false);
    setFrameShape(QFrame::NoFrame);
    setCenterOnScroll(false);
    document()->setDocumentMargin(6);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::Highlight, QColor(0xc7, 0xdb, 0xfd));
    colours.setColor(QPalette::HighlightedText, Qt::black);
    setPalette(colours);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &CodeEditor::updateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &CodeEditor::updateGutter);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CodeEditor::highlightCaretLine);
    applySettings(EditorSettings{});
    updateGutterWidth();
}

void CodeEditor::applySettings(const EditorSettings& settings) {
    QFont font(installedFontFamily(QString::fromStdString(settings.fontFace)));
    font.setPointSizeF(settings.fontHeight);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    document()->setDefaultFont(font);
    QFontMetricsF metrics(font);
    setTabStopDistance(metrics.horizontalAdvance(QString(settings.tabWidth, QLatin1Char(' '))));
    updateGutterWidth();
}

void CodeEditor::setFirstLineNumber(int number) {
    if (number == m_firstLine) return;
    m_firstLine = number;
    updateGutterWidth();
    m_gutter->update();
}

int CodeEditor::gutterWidth() const {
    if (m_firstLine <= 0) return 8;
    int last = m_firstLine + std::max(1, blockCount()) - 1;
    int digits = std::max(3, static_cast<int>(QString::number(last).size()));
    return 18 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void CodeEditor::updateGutterWidth() {
    setViewportMargins(gutterWidth(), 0, 0, 0);
}

void CodeEditor::updateGutter(const QRect& rect, int dy) {
    if (dy)
        m_gutter->scroll(0, dy);
    else
        m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
}

void CodeEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    QRect area = contentsRect();
    m_gutter->setGeometry(QRect(area.left(), area.top(), gutterWidth(), area.height()));
}

void CodeEditor::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuRequested(event->globalPos());
    event->accept();
}

void CodeEditor::paintGutter(QPaintEvent* event) {
    QPainter painter(m_gutter);
    painter.fillRect(event->rect(), kGutterBackground);
    painter.setPen(kGutterRule);
    painter.drawLine(m_gutter->width() - 1, event->rect().top(), m_gutter->width() - 1,
                     event->rect().bottom());
    if (m_firstLine <= 0) return;
    painter.setFont(font());
    const int caretBlock = textCursor().blockNumber();
    QTextBlock block = firstVisibleBlock();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    const int lineHeight = fontMetrics().height();
    while (block.isValid() && top <= event->rect().bottom()) {
        qreal bottom = top + blockBoundingRect(block).height();
        if (block.isVisible() && bottom >= event->rect().top()) {
            painter.setPen(block.blockNumber() == caretBlock ? kGutterCurrentText : kGutterText);
            painter.drawText(QRectF(0, top, m_gutter->width() - 10, lineHeight),
                             Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(m_firstLine + block.blockNumber()));
        }
        top = bottom;
        block = block.next();
    }
}

// A faint band marks the caret's line when nothing is selected.
void CodeEditor::highlightCaretLine() {
    QList<QTextEdit::ExtraSelection> bands;
    if (!textCursor().hasSelection() && !document()->isEmpty()) {
        QTextEdit::ExtraSelection band;
        band.format.setBackground(kCaretLine);
        band.format.setProperty(QTextFormat::FullWidthSelection, true);
        band.cursor = textCursor();
        band.cursor.clearSelection();
        bands.append(band);
    }
    setExtraSelections(bands);
    m_gutter->update();
}

void CodeEditor::keyPressEvent(QKeyEvent* event) {
    // Every text is judged: the widget also types what is not "printable" to QChar (a character past
    // the BMP, a zero-width joiner, a private-use character), and a control character always fits.
    const QString typed = event->text();
    if (m_mayInsert && !typed.isEmpty() && !m_mayInsert(typed)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CodeEditor::inputMethodEvent(QInputMethodEvent* event) {
    if (m_mayInsert && !event->commitString().isEmpty() && !m_mayInsert(event->commitString())) {
        // The composition is dropped with the refused text.
        QInputMethodEvent empty;
        QPlainTextEdit::inputMethodEvent(&empty);
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void CodeEditor::insertFromMimeData(const QMimeData* source) {
    if (m_mayInsert && source && source->hasText() && !m_mayInsert(source->text())) return;
    QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace tally
