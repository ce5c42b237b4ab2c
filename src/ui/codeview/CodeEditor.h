#pragma once
// The code view's text pane (txtCode): a plain-text editor that never wraps, with tab stops a fixed
// number of spaces apart, a gutter with the lines' numbers in the source file, and a faint band on
// the line that holds the caret. What it shows and how it is coloured is decided elsewhere.

#include <QPlainTextEdit>
#include <functional>

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

    // Asked before text is typed, entered through an input method, pasted or dropped: false keeps it
    // out (the judge says why). Text the file's code page cannot hold is kept out this way.
    void setInsertJudge(std::function<bool(const QString&)> judge) { m_mayInsert = std::move(judge); }

    // Paints the gutter; called by the gutter widget.
    void paintGutter(QPaintEvent* event);
    int gutterWidth() const;

signals:
    // The context menu was asked for (right button or the menu key) at a global position.
    void contextMenuRequested(const QPoint& globalPosition);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void updateGutterWidth();
    void updateGutter(const QRect& rect, int dy);
    void highlightCaretLine();

    QWidget* m_gutter;
    int m_firstLine = 0;
    std::function<bool(const QString&)> m_mayInsert;
};

}  // namespace tally
