// The code view panel's side of the keys, the text pane's changes and the menu and toolbar commands.

#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>

#include "ui/codeview/CodeEditor.h"
#include "ui/codeview/CodeViewPanel.h"
#include "ui/codeview/EditorRichTextView.h"
#include "ui/codeview/FindDialog.h"
#include "ui/codeview/FindDialogPlacement.h"
#include "ui/common/AnsiText.h"
#include "ui/common/ProjectText.h"
#include "ui/common/UserPrompts.h"
#include "ui/common/WindowsKeys.h"

namespace tally {

namespace {

bool isArrowKey(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
           key == Qt::Key_Home || key == Qt::Key_End;
}

}  // namespace

bool CodeViewPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editor) {
        if (event->type() == QEvent::KeyPress) return editorKeyPress(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move) placeProgressStrip();
    } else if (watched == m_editor->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) m_code->clicked();
    } else if (watched == m_combo) {
        // A choice made by walking the closed combo with the arrows leaves the focus in the combo;
        // one made in its list (mouse, or Alt+Down and Enter) moves it to the code.
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            m_arrowChoice = isArrowKey(key->key()) && !(key->modifiers() & Qt::AltModifier);
        } else if (event->type() == QEvent::MouseButtonPress) {
            m_arrowChoice = false;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Every key goes to the view's key rules first; a key they consume is not typed. The editing keys
// of the pane then run the menu's commands, so that the clipboard and the edit marks follow one set
// of rules whichever way a command is given.
bool CodeViewPanel::editorKeyPress(QKeyEvent* event) {
    const int key = event->key();
    const bool control = event->modifiers() & Qt::ControlModifier;
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && control) {
        // Tab belongs to the code; Ctrl+Tab leaves the pane as in any text box.
        bool back = key == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        m_editor->moveFocus(!back);
        return true;
    }
    const int code = windowsKeyCode(key);
    // A key with no code and no character (a media key, a lone dead key) changes nothing; a
    // character without a code (é, €) is typed like any letter.
    if ((code != 0 || !event->text().isEmpty()) && m_code->keyDown(code, windowsModifiers(event->modifiers())))
        return true;

    struct KeyCommand {
        QKeySequence::StandardKey keys;
        CodeViewCommand command;
    };
    static const KeyCommand kCommands[] = {
        {QKeySequence::Undo, CodeViewCommand::Undo},           {QKeySequence::Cut, CodeViewCommand::Cut},
        {QKeySequence::Copy, CodeViewCommand::Copy},           {QKeySequence::Paste, CodeViewCommand::Paste},
        {QKeySequence::SelectAll, CodeViewCommand::SelectAll}, {QKeySequence::Find, CodeViewCommand::Find},
        {QKeySequence::FindNext, CodeViewCommand::FindNext},
    };
    for (const KeyCommand& entry : kCommands) {
        if (event->matches(entry.keys)) {
            runCommand(entry.command);
            return true;
        }
    }
    if (key == Qt::Key_F5 && !event->modifiers()) {
        refresh();
        return true;
    }
    // Shift+Tab on a single line would otherwise leave the pane; it does nothing, like Tab Right.
    if (key == Qt::Key_Backtab) return true;
    return false;
}

// The change is looked at at once, as the view's rules expect: while the view fills or colours
// itself, or before a routine is shown, they ignore it.
void CodeViewPanel::textChanged() {
    // Edits that bypass the keys (dropped text, the middle button's paste, an input method) count too.
    if (!m_view->changingText() && !m_code->colouring()) m_code->markEdited();
    ChangeOutcome outcome = m_code->textChanged();
    showEditState();
    if (outcome.action == ChangeOutcome::Action::None) return;
    if (outcome.action == ChangeOutcome::Action::RoutineRemoved) {
        syncCombo();
        emit routineRemoved(outcome.removedRoutineKey);
    }
    afterShow();
}

void CodeViewPanel::selectionChanged() {
    if (m_code->colouring() || !m_codeTab) return;
    followSelection(m_toolbar, m_view->selLength() != 0);
    applyToolbar();
}

CodeViewFacts CodeViewPanel::facts() const {
    CodeViewFacts facts;
    facts.codeViewTabChosen = m_codeTab;
    facts.viewHasText = !m_editor->document()->isEmpty();
    facts.clipboardHasText = m_clipboard.hasText();
    facts.selectionNotEmpty = m_editor->textCursor().hasSelection();
    facts.codeFileOpen = !m_code->codeFilePath().empty();
    return facts;
}

void CodeViewPanel::updateMenu() {
    m_actions->applyMenuState(codeViewMenuState(facts()));
}

void CodeViewPanel::applyToolbar() {
    m_actions->applyToolbarState(m_toolbar);
}

void CodeViewPanel::tabChosen(bool codeViewTab) {
    m_codeTab = codeViewTab;
    m_toolbar = codeViewToolbarState(facts());
    applyToolbar();
}

void CodeViewPanel::runCommand(CodeViewCommand command) {
    switch (command) {
        case CodeViewCommand::Undo:
            m_code->undo();
            break;
        case CodeViewCommand::Cut:
            m_clipboard.setCodec(m_view->codec().codec());
            m_code->cut(m_clipboard);
            break;
        case CodeViewCommand::Copy:
            m_clipboard.setCodec(m_view->codec().codec());
            m_code->copy(m_clipboard);
            if (m_codeTab) {
                followClipboard(m_toolbar, m_clipboard.hasText());
                applyToolbar();
            }
            break;
        case CodeViewCommand::Paste: {
            // Judged as it comes in (SystemClipboard::text): a line separator is a line break there.
            QString held = SystemClipboard::desktopText();
            held.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
            if (!mayInsert(held)) break;
            m_clipboard.setCodec(m_view->codec().codec());
            m_code->paste(m_clipboard);
            break;
        }
        case CodeViewCommand::SelectAll:
            m_code->selectAll();
            break;
        case CodeViewCommand::Find:
            openFind();
            break;
        case CodeViewCommand::FindNext:
            reportFind(m_code->findNext());
            break;
        case CodeViewCommand::TabLeft:
            m_code->tabLeft();
            break;
        case CodeViewCommand::TabRight:
            m_code->tabRight();
            break;
        case CodeViewCommand::Comment:
            m_code->comment();
            break;
        case CodeViewCommand::SaveOrZip:
            m_code->saveOrZipOpenFile();
            break;
    }
    showEditState();
    m_editor->ensureCursorVisible();
}

// One find dialog at a time: asking again brings the open one forward with the new search text.
void CodeViewPanel::openFind() {
    std::string text = m_code->startFind();
    if (!m_find) {
        m_find = new FindDialog(window());
        m_find->setOptions(m_code->findOptions());
        connect(m_find, &FindDialog::findNextRequested, this, &CodeViewPanel::findFromDialog);
    }
    bool first = !m_find->isVisible();
    m_find->start(m_view->codec().editorTextOf(text));
    m_find->adjustSize();
    if (first) {
        QRect pane(m_editor->viewport()->mapToGlobal(QPoint(0, 0)), m_editor->viewport()->size());
        m_find->move(findDialogFirstPlace(pane, m_find->frameGeometry().size(), matchOnScreen()));
    }
    m_find->show();
    m_find->raise();
    m_find->activateWindow();
    keepFindClearOfMatch();
}

// The selected text (or the caret) on the screen.
QRect CodeViewPanel::matchOnScreen() const {
    QTextCursor cursor = m_editor->textCursor();
    QTextCursor start = cursor;
    start.setPosition(cursor.selectionStart());
    QTextCursor end = cursor;
    end.setPosition(cursor.selectionEnd());
    QRect local = m_editor->cursorRect(start).united(m_editor->cursorRect(end));
    return QRect(m_editor->viewport()->mapToGlobal(local.topLeft()), local.size());
}

// A match found under the dialog would be hidden by it: the dialog steps aside.
void CodeViewPanel::keepFindClearOfMatch() {
    if (!m_find || !m_find->isVisible()) return;
    QRect pane(m_editor->viewport()->mapToGlobal(QPoint(0, 0)), m_editor->viewport()->size());
    QRect frame = m_find->frameGeometry();
    QPoint place = findDialogClearOf(frame, matchOnScreen(), pane);
    if (place != frame.topLeft()) m_find->move(place);
}

void CodeViewPanel::findFromDialog(const QString& text, const FindOptions& options) {
    reportFind(m_code->findFromDialog(m_view->codec().coreTextOf(text), options));
}

void CodeViewPanel::reportFind(const FindResult& result) {
    if (result.found) {
        m_editor->ensureCursorVisible();
        keepFindClearOfMatch();
        return;
    }
    if (!result.message.empty())
        m_prompts.notify(m_view->codec().editorTextOf(result.message), MessageIcon::Information, applicationTitle());
}

}  // namespace tally
