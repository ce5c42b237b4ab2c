#pragma once
// The report viewer's text pane (txtBody): a rich-text editor that never wraps, whose clipboard
// traffic is plain text (Cut and Copy put the selected text on the clipboard, Paste puts the
// clipboard's text in the selection's place, in the format of the text around it), and whose
// right button asks for the viewer's Edit menu.

#include <QTextEdit>

namespace tally {

class ReportBody : public QTextEdit {
    Q_OBJECT
public:
    explicit ReportBody(QWidget* parent = nullptr);

signals:
    // The context menu was asked for (right button or the menu key) at a global position.
    void contextMenuRequested(const QPoint& globalPosition);

protected:
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

}  // namespace tally
