#include "ui/codeview/CodeViewActions.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "ui/common/IconLibrary.h"

namespace tally {

CodeViewActions::CodeViewActions(QWidget* parent)
    : QObject(parent), m_menu(new QMenu(tr("Code &View"), parent)) {
    m_menu->setObjectName(QStringLiteral("mnuCodeVTop"));
    // The keys are shown after a tab in the caption; the text pane acts on them itself, so they do
    // nothing while another control has the keyboard (Tab must stay Tab there).
    addItem(CodeViewCommand::Undo, tr("&Undo"), QStringLiteral("Ctrl+Z"), 0);
    m_menu->addSeparator();
    addItem(CodeViewCommand::Cut, tr("Cu&t"), QStringLiteral("Ctrl+X"), 2);
    addItem(CodeViewCommand::Copy, tr("&Copy"), QStringLiteral("Ctrl+C"), 3);
    addItem(CodeViewCommand::Paste, tr("&Paste"), QStringLiteral("Ctrl+V"), 4);
    addItem(CodeViewCommand::SelectAll, tr("Select &All"), QStringLiteral("Ctrl+A"), 5);
    m_menu->addSeparator();
    addItem(CodeViewCommand::Find, tr("&Find"), QStringLiteral("Ctrl+F"), 7);
    addItem(CodeViewCommand::FindNext, tr("Find &Next"), QStringLiteral("F3"), 8);
    m_menu->addSeparator();
    addItem(CodeViewCommand::TabLeft, tr("Tab &Left"), QStringLiteral("Tab"), 10);
    addItem(CodeViewCommand::TabRight, tr("Tab &Right"), QStringLiteral("Shift+Tab"), 11);
    addItem(CodeViewCommand::Comment, tr("Co&mment"), QStringLiteral("Ctrl+'"), 12);
    m_menu->addSeparator();
    addItem(CodeViewCommand::SaveOrZip, tr("Save or Zip The &Open File..."), QString(), 14);
    connect(m_menu, &QMenu::aboutToShow, this, &CodeViewActions::menuAboutToShow);

    addButton("savefile", CodeViewCommand::SaveOrZip, tr("Save File"), tr("Save or zip the open file"));
    addButton("cut", CodeViewCommand::Cut, tr("Cut"), tr("Cut (Ctrl+X)"));
    addButton("copy", CodeViewCommand::Copy, tr("Copy"), tr("Copy (Ctrl+C)"));
    addButton("paste", CodeViewCommand::Paste, tr("Paste"), tr("Paste (Ctrl+V)"));
    addButton("find", CodeViewCommand::Find, tr("Find"), tr("Find (Ctrl+F)"));
    // The left-pointing button takes a tab off the selected lines, the right-pointing one adds one.
    addButton("tabl", CodeViewCommand::TabRight, tr("Outdent"), tr("Outdent the selected lines (Shift+Tab)"));
    addButton("tabr", CodeViewCommand::TabLeft, tr("Indent"), tr("Indent the selected lines (Tab)"));
    addButton("comment", CodeViewCommand::Comment, tr("Comment"),
              tr("Comment out the selected lines (Ctrl+')"));
}

CodeViewActions::~CodeViewActions() = default;

QAction* CodeViewActions::addItem(CodeViewCommand command, const QString& caption, const QString& keys,
                                  int index) {
    auto* action = new QAction(keys.isEmpty() ? caption : caption + QLatin1Char('\t') + keys, m_menu);
    action->setObjectName(QStringLiteral("mnuEdit%1").arg(index));
    connect(action, &QAction::triggered, this, [this, command] { emit commandTriggered(command); });
    m_menu->addAction(action);
    m_items[static_cast<std::size_t>(command)] = action;
    return action;
}

QAction* CodeViewActions::addButton(const char* key, CodeViewCommand command, const QString& text,
                                    const QString& tip) {
    auto* action = new QAction(IconLibrary::icon(QStringLiteral("tb-") + QLatin1String(key)), text, this);
    action->setObjectName(QLatin1String(key));
    action->setToolTip(tip);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, command] { emit commandTriggered(command); });
    m_buttons.append(action);
    return action;
}

QList<QAction*> CodeViewActions::toolbarActions() const {
    return m_buttons;
}

QAction* CodeViewActions::menuItem(CodeViewCommand command) const {
    return m_items[static_cast<std::size_t>(command)];
}

QAction* CodeViewActions::button(const char* key) const {
    for (QAction* action : m_buttons)
        if (action->objectName() == QLatin1String(key)) return action;
    return nullptr;
}

void CodeViewActions::applyMenuState(const CodeViewMenuState& state) {
    menuItem(CodeViewCommand::Undo)->setEnabled(state.undo);
    menuItem(CodeViewCommand::Cut)->setEnabled(state.cut);
    menuItem(CodeViewCommand::Copy)->setEnabled(state.copy);
    menuItem(CodeViewCommand::Paste)->setEnabled(state.paste);
    menuItem(CodeViewCommand::SelectAll)->setEnabled(state.selectAll);
    menuItem(CodeViewCommand::Find)->setEnabled(state.find);
    menuItem(CodeViewCommand::FindNext)->setEnabled(state.findNext);
    menuItem(CodeViewCommand::TabLeft)->setEnabled(state.tabLeft);
    menuItem(CodeViewCommand::TabRight)->setEnabled(state.tabRight);
    menuItem(CodeViewCommand::Comment)->setEnabled(state.comment);
    menuItem(CodeViewCommand::SaveOrZip)->setEnabled(state.saveOrZip);
}

void CodeViewActions::applyToolbarState(const CodeViewToolbarState& state) {
    button("savefile")->setEnabled(state.savefile);
    button("cut")->setEnabled(state.cut);
    button("copy")->setEnabled(state.copy);
    button("paste")->setEnabled(state.paste);
    button("find")->setEnabled(state.find);
    button("tabl")->setEnabled(state.tabl);
    button("tabr")->setEnabled(state.tabr);
    button("comment")->setEnabled(state.comment);
}

}  // namespace tally
