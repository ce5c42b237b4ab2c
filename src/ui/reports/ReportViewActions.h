#pragma once
// The report viewer's menus (File mnuFile, Edit mnuEdit, the Edit menu also the pane's context
// menu) and its toolbar (tbrMain), with their captions, keys and tool tips. Each item and button
// reports the command it stands for; the viewer carries the commands out and sets the toggle
// buttons from the selection.

#include <QList>
#include <QObject>
#include <map>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace tally {

enum class ReportCommand {
    Open,
    Save,
    Print,
    Preview,
    Close,
    Undo,
    Cut,
    Copy,
    Paste,
    SelectAll,
    Bold,
    Italic,
    Underline,
    Font,
    Left,
    Center,
    Right
};

struct ReportSelectionState;

class ReportViewActions : public QObject {
    Q_OBJECT
public:
    // Adds the menus to the window's menu bar and the toolbar to the window.
    explicit ReportViewActions(QMainWindow* window);

    QMenu* fileMenu() const { return m_file; }
    QMenu* editMenu() const { return m_edit; }
    QToolBar* toolbar() const { return m_toolbar; }
    // The menu item of a command; null for a command with no menu item.
    QAction* menuItem(ReportCommand command) const;
    // The toolbar button of a key ("open", "bold", "center", ...); null for an unknown key.
    QAction* button(const char* key) const;

    // Puts the style and alignment buttons up or down as the selection has them.
    void showSelection(const ReportSelectionState& state);

signals:
    void commandTriggered(tally::ReportCommand command, bool checked);

private:
    QAction* addItem(QMenu* menu, ReportCommand command, const QString& caption, const QString& name);
    QAction* addButton(const char* key, ReportCommand command, const QString& tip, bool twoState);

    QMenu* m_file;
    QMenu* m_edit;
    QToolBar* m_toolbar;
    std::map<ReportCommand, QAction*> m_items;
    QList<QAction*> m_buttons;
};

}  // namespace tally
