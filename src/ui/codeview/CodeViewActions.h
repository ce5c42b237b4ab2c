#pragma once
// The "Code View" menu (mnuCodeVTop, also the text pane's context menu) and the main toolbar's
// buttons that belong to the code view, with their captions, keys and enabling. Each item and
// button reports the command it stands for; the code view panel carries the commands out.

#include <QList>
#include <QObject>
#include <array>

#include "core/codeview/CodeViewCommandState.h"

class QAction;
class QMenu;
class QWidget;

namespace tally {

enum class CodeViewCommand {
    Undo,
    Cut,
    Copy,
    Paste,
    SelectAll,
    Find,
    FindNext,
    TabLeft,
    TabRight,
    Comment,
    SaveOrZip
};

class CodeViewActions : public QObject {
    Q_OBJECT
public:
    explicit CodeViewActions(QWidget* parent);
    ~CodeViewActions() override;

    QMenu* menu() const { return m_menu; }
    // The buttons in toolbar order: "savefile", "cut", "copy", "paste", "find", "tabl", "tabr", "comment".
    QList<QAction*> toolbarActions() const;
    // The menu item of a command.
    QAction* menuItem(CodeViewCommand command) const;
    // The toolbar button of a key; null for an unknown key.
    QAction* button(const char* key) const;

    void applyMenuState(const CodeViewMenuState& state);
    void applyToolbarState(const CodeViewToolbarState& state);

signals:
    void commandTriggered(tally::CodeViewCommand command);
    // The menu is about to open: its items must be brought up to date.
    void menuAboutToShow();

private:
    QAction* addItem(CodeViewCommand command, const QString& caption, const QString& keys, int index);
    QAction* addButton(const char* key, CodeViewCommand command, const QString& text, const QString& tip);

    QMenu* m_menu;
    std::array<QAction*, 11> m_items{};
    QList<QAction*> m_buttons;
};

}  // namespace tally
