// The main window's answers to its views: a file selected in the tree, a tab chosen, and the
// double clicks that lead to the code view.

#include <QLabel>
#include <QSignalBlocker>
#include <QTabWidget>

#include "core/os/FileFacts.h"
#include "core/review/CodeJumps.h"
#include "core/review/RoutineListing.h"
#include "ui/app/MainWindow.h"
#include "ui/codeview/CodeViewHost.h"
#include "ui/common/AnsiText.h"
#include "ui/project/ProjectTreePanel.h"
#include "ui/review/RoutinesPanel.h"
#include "ui/review/SpellPanel.h"
#include "ui/spell/SpellCheckCommand.h"

namespace tally {

void MainWindow::selectTreeNode(const std::string& key) {
    // Only nodes keyed by the path of an existing project file lead anywhere.
    if (key.empty() || !fileExists(key)) return;
    int fileRow = m_model.fileRowOf(key);
    if (fileRow <= 0) return;
    if (!m_codeView->mayLeaveFile(key)) {
        backToCode();
        return;
    }
    m_codeView->commitPendingEdits();
    m_statusPath->setText(fromLocalPath(key));
    m_routines->showFile(fileRow);
    std::vector<RoutineEntry> entries = listFileRoutines(m_model, fileRow, m_routines->filter());
    m_codeView->showFile(key, comboItemsFor(m_model, fileRow, entries));
}

void MainWindow::showCodeTarget(const CodeTarget& target) {
    if (!target.valid) return;
    m_codeView->commitPendingEdits();
    // An item whose file matches no tree node loads nothing.
    int fileRow = target.filePath.empty() ? 0 : m_model.fileRowOf(target.filePath);
    if (fileRow <= 0) return;
    if (!m_codeView->mayLeaveFile(target.filePath)) {
        backToCode();
        return;
    }
    std::vector<RoutineEntry> entries = listFileRoutines(m_model, fileRow, RoutineFilter::Routines);
    m_codeView->showTarget(target, comboItemsFor(m_model, fileRow, entries));
    m_tabs->setCurrentWidget(m_codeView->widget());
    followShownFile();
    // The user asked to see the code: the keyboard goes with the eyes.
    m_codeView->widget()->setFocus(Qt::OtherFocusReason);
}

// The user stayed with a changed file: the code comes to the front, and the tree and the status
// bar point at its file again, without showing the file anew.
void MainWindow::backToCode() {
    m_tabs->setCurrentWidget(m_codeView->widget());
    followShownFile();
    m_codeView->widget()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::followShownFile() {
    std::string path = m_codeView->shownFilePath();
    if (path.empty()) return;
    {
        QSignalBlocker quiet(m_tree);
        m_tree->selectKey(path);
    }
    m_statusPath->setText(fromLocalPath(path));
}

void MainWindow::tabChosen(int index) {
    bool codeViewTab = m_tabs->widget(index) == m_codeView->widget();
    m_codeView->tabChosen(codeViewTab);
    if (!codeViewTab || !m_codeView->isEmpty()) return;
    const RoutineEntry* entry = m_routines->selectedEntry();
    if (!entry || entry->declarations) return;
    CodeTarget target = routineEntryTarget(m_model, m_routines->fileRow(), *entry);
    if (!target.valid || !m_codeView->mayLeaveFile(target.filePath)) return;
    std::vector<RoutineEntry> entries =
        listFileRoutines(m_model, m_routines->fileRow(), RoutineFilter::Routines);
    m_codeView->showTarget(target, comboItemsFor(m_model, m_routines->fileRow(), entries));
}

void MainWindow::spellRowActivated(int row) {
    SpellJump jump = spellRowTarget(m_model, row);
    if (!jump.isRoutine) {
        notify(fromAnsi(kNotARoutine), MessageIcon::Information);
        return;
    }
    showCodeTarget(jump.target);
}

void MainWindow::checkSpellingCommand() {
    m_tabs->setCurrentWidget(m_spell);
    if (m_model.spell.empty()) {
        notify(tr("There is nothing to check. Open a project first."), MessageIcon::Information);
        return;
    }
    runSpellDialog();
}

void MainWindow::spellButtonCommand() {
    if (!anyProjectFileExists()) {
        notify(tr("You need to open a project first."), MessageIcon::Exclamation);
        return;
    }
    runSpellDialog();
}

void MainWindow::runSpellDialog() {
    // The list reads the rows in place; the dialog writes corrections into them.
    m_spell->resetRows(nullptr);
    const bool corrected = runSpellCheck(this, m_model, m_prompts);
    m_spell->resetRows(&m_model.spell);
    if (corrected) m_model.scanChanged = true;
}

}  // namespace tally
