// The main window's ties to the desktop: the Help menu (the user guide, the .psf association, the
// About box), the association question on the first activation, and the recent files entries.

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QTimer>

#include "core/settings/RecentFiles.h"
#include "core/settings/ScanFileAssociation.h"
#include "platform/desktop/AssociationChoice.h"
#include "ui/app/AboutBox.h"
#include "ui/app/AssociationDialog.h"
#include "ui/app/HelpPages.h"
#include "ui/app/MainWindow.h"
#include "ui/archive/ZipDialog.h"
#include "ui/common/AnsiText.h"
#include "ui/registry/RegistryPage.h"

namespace tally {

void MainWindow::buildHelpMenu() {
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelpTop"));
    QAction* topics = help->addAction(tr("&Help Topics"));
    topics->setObjectName(QStringLiteral("mnuHelp0"));
    topics->setShortcut(QKeySequence::HelpContents);
    QAction* associate = help->addAction(tr("Associate &PSF Files"));
    associate->setObjectName(QStringLiteral("mnuHelp1"));
    help->addSeparator()->setObjectName(QStringLiteral("mnuHelp2"));
    QAction* about = help->addAction(tr("&About"));
    about->setObjectName(QStringLiteral("mnuHelp3"));
    connect(topics, &QAction::triggered, this, &MainWindow::helpTopicsCommand);
    connect(associate, &QAction::triggered, this, &MainWindow::associateCommand);
    connect(about, &QAction::triggered, this, &MainWindow::aboutCommand);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        // After the activation has been handled: the question is a modal dialog of its own.
        QTimer::singleShot(0, this, &MainWindow::checkAssociation);
    }
    return QMainWindow::event(event);
}

void MainWindow::checkAssociation() {
    if (!m_association || !shouldAskAboutAssociation(*m_association, m_registry->store())) return;
    askAndAssociate();
}

void MainWindow::askAndAssociate() {
    if (!m_association) return;
    const int answer = m_askAssociation ? m_askAssociation(this) : askAboutAssociation(this);
    const std::string program = associationProgramPath(toLocalPath(QCoreApplication::applicationFilePath()));
    applyAssociationAnswer(answer, *m_association, m_registry->store(), program);
}

void MainWindow::associateCommand() {
    // Asked whether or not the association is there and whatever "NoMore" says.
    askAndAssociate();
}

void MainWindow::helpTopicsCommand() {
    const QString page = helpPage(QStringLiteral("tools.htm"));
    if (page.isEmpty()) {
        notify(tr("The help pages are not installed (share/tallyscan6/help beside the program)."),
               MessageIcon::Exclamation);
        return;
    }
    reportShellResult(shellRun(m_shell, toLocalPath(page), ""));
}

void MainWindow::aboutCommand() {
    AboutBox box(machineFacts(m_registry->store()), m_memory ? m_memory : std::function<MemoryFigures()>(memoryFigures),
                 this);
    box.exec();
}

void MainWindow::zipProjectCommand() {
    if (m_model.projectPath.empty()) return;
    ZipDialog dialog(m_model, *m_archiver, m_prompts, this);
    dialog.exec();
}

void MainWindow::recentFileCommand(const QString& path) {
    if (path.isEmpty()) return;
    if (!QFileInfo::exists(path)) {
        notify(tr("Unable to locate ") + path, MessageIcon::Exclamation);
        return;
    }
    // The list is left as it is. The current scan's unsaved checks and the code view's unsaved
    // edits are offered for saving first, as any other opening does, so nothing is lost to it.
    switch (recentFileKind(toLocalPath(path))) {
        case RecentFileKind::Project: openProjectFile(path); break;
        case RecentFileKind::ScanFile: openScanFile(path); break;
        case RecentFileKind::Other: break;
    }
}

}  // namespace tally
