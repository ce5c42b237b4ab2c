#pragma once
// The code view's text pane (txtCode): a plain-text editor that never wraps, with tab stops a fixed
// number of spaces apart, a gutter with the lines' numbers in the source file, and a faint band on
// the line that holds the caret. What it shows and how it is coloured is decided elsewhere.

#include <QPlainTextEdit>

#include "core/settings/EditorSettings.h"

namespace tally {

class CodeEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodeEditor(QWidget* parent = nullptr);

    // The font and tab stops of the editor settings.
    void applySettings(const EditorSettings& settings);
    // The number shown beside the first line (the line of the source file it comes from); 0 hides
    // the numbers.
    void setFirstLineNumber(int number);
    int firstLineNumber() const { return m_firstLine; }
    // Moves the focus to the next or previous control, as Tab does elsewhere.
    bool moveFocus(bool next) { return QWidget::focusNextPrevChild(next); }

    // Paints the gutter; called by the gutter widget.
    void paintGutter(QPaintEvent* event);
    int gutterWidth() const;

signals:
    // The context menu was asked for (right button or the menu key) at a global position.
    void contextMenuRequested(const QPoint& globalPosition);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void updateGutterWidth();
    void updateGutter(const QRect& rect, int dy);
    void highlightCaretLine();

    QWidget* m_gutter;
    int m_firstLine = 0;
};

}  // namespace tally
