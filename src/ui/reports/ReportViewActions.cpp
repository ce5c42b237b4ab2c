#include "ui/reports/ReportViewActions.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "ui/common/IconLibrary.h"
#include "ui/reports/ReportSelectionState.h"

namespace tally {

ReportViewActions::ReportViewActions(QMainWindow* window)
    : QObject(window),
      m_file(window->menuBar()->addMenu(tr("&File"))),
      m_edit(window->menuBar()->addMenu(tr("&Edit"))),
      m_toolbar(window->addToolBar(tr("Report"))) {
    m_file->setObjectName(QStringLiteral("mnuFileTop"));
    m_edit->setObjectName(QStringLiteral("mnuEditTop"));
    // The keys after the tab are shown only: the pane acts on Ctrl+Z, X, C, V and A itself, and the
    // window system closes the window on Alt+F4.
    addItem(m_file, ReportCommand::Open, tr("&Open..."), QStringLiteral("mnuFile0"));
    addItem(m_file, ReportCommand::Save, tr("&Save"), QStringLiteral("mnuFile1"));
    addItem(m_file, ReportCommand::Print, tr("&Print..."), QStringLiteral("mnuFile2"));
    addItem(m_file, ReportCommand::Preview, tr("Print Pre&view..."), QStringLiteral("mnuFilePreview"));
    m_file->addSeparator();
    QAction* close = addItem(m_file, ReportCommand::Close, tr("&Close") + QStringLiteral("\tAlt+F4"),
                             QStringLiteral("mnuFile4"));
    close->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    close->setShortcutContext(Qt::WindowShortcut);

    addItem(m_edit, ReportCommand::Undo, tr("&Undo") + QStringLiteral("\tCtrl+Z"), QStringLiteral("mnuEdit0"));
    m_edit->addSeparator();
    addItem(m_edit, ReportCommand::Cut, tr("Cu&t") + QStringLiteral("\tCtrl+X"), QStringLiteral("mnuEdit2"));
    addItem(m_edit, ReportCommand::Copy, tr("&Copy") + QStringLiteral("\tCtrl+C"), QStringLiteral("mnuEdit3"));
    addItem(m_edit, ReportCommand::Paste, tr("&Paste") + QStringLiteral("\tCtrl+V"), QStringLiteral("mnuEdit4"));
    m_edit->addSeparator();
    addItem(m_edit, ReportCommand::SelectAll, tr("Select &All") + QStringLiteral("\tCtrl+A"),
            QStringLiteral("mnuEdit6"));

    m_toolbar->setObjectName(QStringLiteral("tbrMain"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(20, 20));
    addButton("open", ReportCommand::Open, tr("Open"), false);
    addButton("save", ReportCommand::Save, tr("Save"), false);
    addButton("print", ReportCommand::Print, tr("Print"), false);
    m_toolbar->addSeparator();
    addButton("cut", ReportCommand::Cut, tr("Cut"), false);
    addButton("copy", ReportCommand::Copy, tr("Copy"), false);
    addButton("paste", ReportCommand::Paste, tr("Paste"), false);
    m_toolbar->addSeparator();
    addButton("bold", ReportCommand::Bold, tr("Bold"), true);
    addButton("italic", ReportCommand::Italic, tr("Italic"), true);
    addButton("underline", ReportCommand::Underline, tr("Underline"), true);
    addButton("font", ReportCommand::Font, tr("Font"), false);
    m_toolbar->addSeparator();
    // One of the three is down at a time, or none for a selection of mixed alignments; the viewer
    // sets them from the selection after each click.
    addButton("left", ReportCommand::Left, tr("Left"), true);
    addButton("center", ReportCommand::Center, tr("Center"), true);
    addButton("right", ReportCommand::Right, tr("Right"), true);
}

QAction* ReportViewActions::addItem(QMenu* menu, ReportCommand command, const QString& caption,
                                    const QString& name) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, command] { emit commandTriggered(command, false); });
    menu->addAction(action);
    m_items[command] = action;
    return action;
}

QAction* ReportViewActions::addButton(const char* key, ReportCommand command, const QString& tip, bool twoState) {
    auto* action = new QAction(IconLibrary::icon(QStringLiteral("tb-") + QLatin1String(key)), tip, this);
    action->setObjectName(QLatin1String(key));
    action->setToolTip(tip);
    action->setCheckable(twoState);
    connect(action, &QAction::triggered, this, [this, command](bool checked) { emit commandTriggered(command, checked); });
    m_toolbar->addAction(action);
    m_buttons.append(action);
    return action;
}

QAction* ReportViewActions::menuItem(ReportCommand command) const {
    auto found = m_items.find(command);
    return found == m_items.end() ? nullptr : found->second;
}

QAction* ReportViewActions::button(const char* key) const {
    for (QAction* action : m_buttons)
        if (action->objectName() == QLatin1String(key)) return action;
    return nullptr;
}

void ReportViewActions::showSelection(const ReportSelectionState& state) {
    button("bold")->setChecked(state.bold);
    button("italic")->setChecked(state.italic);
    button("underline")->setChecked(state.underline);
    button("left")->setChecked(state.alignment == SelectionAlignment::Left);
    button("center")->setChecked(state.alignment == SelectionAlignment::Center);
    button("right")->setChecked(state.alignment == SelectionAlignment::Right);
}

}  // namespace tally
