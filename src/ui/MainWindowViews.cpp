// The main window's answers to its views: a file selected in the tree, a tab chosen, and the
// double clicks that lead to the code view.

#include <QLabel>
#include <QTabWidget>

#include "core/project/FileFacts.h"
#include "core/review/CodeJumps.h"
#include "core/review/RoutineListing.h"
#include "ui/AnsiText.h"
#include "ui/CodeViewHost.h"
#include "ui/MainWindow.h"
#include "ui/RoutinesPanel.h"

namespace tally {

void MainWindow::selectTreeNode(const std::string& key) {
    // Only nodes keyed by the path of an existing project file lead anywhere.
    if (key.empty() || !fileExists(key)) return;
    int fileRow = m_model.fileRowOf(key);
    if (fileRow <= 0) return;
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
    std::vector<RoutineEntry> entries = listFileRoutines(m_model, fileRow, RoutineFilter::Routines);
    m_codeView->showTarget(target, comboItemsFor(m_model, fileRow, entries));
    m_tabs->setCurrentWidget(m_codeView->widget());
    // The user asked to see the code: the keyboard goes with the eyes.
    m_codeView->widget()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::tabChosen(int index) {
    bool codeViewTab = m_tabs->widget(index) == m_codeView->widget();
    m_codeView->tabChosen(codeViewTab);
    if (!codeViewTab || !m_codeView->isEmpty()) return;
    const RoutineEntry* entry = m_routines->selectedEntry();
    if (!entry || entry->declarations) return;
    CodeTarget target = routineEntryTarget(m_model, m_routines->fileRow(), *entry);
    if (!target.valid) return;
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

}  // namespace tally
