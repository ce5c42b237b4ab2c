// The main window's project commands: opening a project or a scan file, saving the scan, the two
// shell commands, the save prompts and closing.

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>

#include "core/os/SaveTarget.h"
#include "core/os/FileFacts.h"
#include "core/project/PathOps.h"
#include "core/project/TreeSkeleton.h"
#include "core/scanfile/ScanFileReader.h"
#include "core/scanfile/ScanFileWriter.h"
#include "core/scanfile/ScanSaveTarget.h"
#include "core/settings/ProjectShellCommands.h"
#include "core/text/TextOps.h"
#include "platform/text/TextCodecs.h"
#include "ui/app/MainWindow.h"
#include "ui/codeview/CodeViewHost.h"
#include "ui/common/AnsiText.h"
#include "ui/common/ProjectText.h"
#include "ui/common/BackgroundCall.h"
#include "ui/common/BusyPointer.h"
#include "ui/project/ParseDialog.h"
#include "ui/project/ProjectTreePanel.h"
#include "ui/review/ReviewPanel.h"
#include "ui/review/RoutinesPanel.h"
#include "ui/review/SpellPanel.h"
#include "ui/app/RecentFilesMenu.h"

namespace tally {

namespace {

const QString kProjectFilter = QStringLiteral("Project Files|*.vbp|All Files|*.*");
const QString kScanFilter = QStringLiteral("Project Scan Files|*.psf|All Files|*.*");

QString absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

QString fileCountText(int files) {
    return files == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(files);
}

}  // namespace

void MainWindow::startUp(const QString& scanFileArgument) {
    m_tabs->setCurrentWidget(m_routines);
    buildTreeSkeleton(m_model.tree, true);
    showModelInViews();
    setProjectButtonsEnabled(false);
    m_review->setButtonsEnabled(false);
    updateProjectMenu();
    m_routines->showHint(QString::fromLatin1(kOpenProjectHint));
    showSummary(tr("Ready"));
    m_tree->setFocus();
    if (!scanFileArgument.isEmpty()) loadScan(toLocalPath(absolute(scanFileArgument)));
}

void MainWindow::notify(const QString& text, MessageIcon icon) {
    m_prompts.notify(text, icon, applicationTitle());
}

void MainWindow::showTreeAndCaption() {
    setWindowTitle(m_model.caption.empty() ? applicationTitle() : fromProject(m_model.caption));
    m_tree->resetTree(m_model.tree);
}

void MainWindow::showModelInViews() {
    showTreeAndCaption();
    m_spell->resetRows(&m_model.spell);
}

void MainWindow::forgetShownProject() {
    // The spell list reads the model's rows in place: it lets go of them before they change.
    m_spell->resetRows(nullptr);
    m_codeView->clear();
    m_routines->clearViews();
    m_review->clearList();
    m_statusPath->clear();
    setSourceCodecs(SourceCodecs());
    showCodePage();
}

bool MainWindow::anyProjectFileExists() const {
    for (int row = 1; row < m_model.fileCount(); ++row)
        if (fileExists(m_model.files[row].path)) return true;
    return false;
}

// Opens the project file and runs the passes in the parse dialog. Returns false when the parse was
// cancelled.
bool MainWindow::openAProject(const std::string& projectPath) {
    m_review->setButtonsEnabled(false);
    forgetShownProject();
    m_routines->showHint(QString());
    showSummary(QString());

    ScanOutcome outcome;
    {
        BusyPointer busy;
        outcome = runParseDialog(projectPath);
        m_model.scanChanged = false;
        m_model.scanFilePath.clear();
        m_statusPath->clear();
        showModelInViews();
    }
    if (!outcome.opened()) notify(fromAnsi(outcome.open.message), MessageIcon::Exclamation);
    if (!outcome.stoppedBy.empty())
        notify(tr("The passes stopped early: %1. The review lists are incomplete.").arg(fromAnsi(outcome.stoppedBy)),
               MessageIcon::Exclamation);
    const bool cancelled = outcome.cancelled;
    // A cancelled parse leaves incomplete lists: their buttons stay disabled.
    if (!cancelled && anyProjectFileExists()) {
        m_review->setButtonsEnabled(true);
        m_review->releaseButtons();
        m_review->showList(ReviewListId::NeverCalled);
    }
    int files = std::max(0, m_model.fileCount() - 1);
    QString seconds = QString::number(m_model.parseTime * 86400.0, 'f', 2);
    showSummary(cancelled ? tr("Parse cancelled: the review lists are incomplete")
                          : tr("%1 parsed in %2 s").arg(fileCountText(files), seconds));
    return !cancelled;
}

ScanOutcome MainWindow::runParseDialog(const std::string& projectPath) {
    ParseRequest request{m_model, projectPath, m_versions, m_locale, m_parse};
    // Chosen on the worker (detection reads the members) while the window waits; taken over when the
    // worker reports the project read, before the tree is shown.
    std::optional<SourceCodecChoice> chosen;
    const int wanted = keptCodePage(projectPath);
    // Detection reads most members whole; pass 1 takes those texts instead of reading them again.
    SourceTextCache readAhead;
    request.readAhead = &readAhead;
    request.codePage = [wanted, &chosen, &readAhead](const ProjectModel& opened) {
        chosen = chooseSourceCodecs(opened, wanted, makeTextCodec, &readAhead);
        return chosen->codecs.codePage();
    };
    ParseDialog dialog(std::move(request), m_prompts, this);
    // The tree is copied into its view, so it can be shown while the passes fill the model; the
    // spell list, which reads the model's rows in place, waits for the end.
    connect(&dialog, &ParseDialog::projectRead, this, [this, &chosen] {
        if (chosen) {
            m_parsedCodePage = chosen->codecs.codePage();
            useSourceCodecs(std::move(*chosen));
            chosen.reset();
        }
        showTreeAndCaption();
    });
    connect(&dialog, &ParseDialog::passesStarted, this, &MainWindow::parseStarted);
    ScanOutcome outcome = dialog.runModal();
    if (outcome.opened()) emit parseFinished(outcome.cancelled);
    return outcome;
}

void MainWindow::openProjectCommand() {
    QString path = m_prompts.chooseOpenFile(tr("Open Project"), kProjectFilter);
    if (path.isEmpty()) return;
    m_recent->add(absolute(path));
    openProjectFile(path);
}

void MainWindow::openProjectFile(const QString& path) {
    if (!m_codeView->mayLeaveFile({})) {
        backToCode();
        return;
    }
    // Check marks set since the last save would be lost with the model: offer to keep them.
    if (m_model.scanChanged) offerToSaveScan();
    openAProject(toLocalPath(absolute(path)));
    finishOpen();
}

// The common end of opening a project or a scan file.
void MainWindow::finishOpen() {
    if (m_model.fileCount() == 0) {
        buildTreeSkeleton(m_model.tree, true);
        m_tree->resetTree(m_model.tree);
        setProjectButtonsEnabled(false);
    } else {
        setProjectButtonsEnabled(true);
    }
    m_routines->showHint(QString::fromLatin1(kSelectFileHint));
    updateProjectMenu();
}

void MainWindow::openScanCommand() {
    QString path = m_prompts.chooseOpenFile(tr("Open Project Scan"), kScanFilter);
    if (path.isEmpty()) return;
    m_recent->add(absolute(path));
    openScanFile(path);
}

void MainWindow::openScanFile(const QString& path) {
    std::string chosen = toLocalPath(absolute(path));
    if (!m_codeView->mayLeaveFile({})) {
        backToCode();
        return;
    }
    // Reopening the open scan reads it again from the disk: its unsaved checks are offered for
    // saving first, as another scan's would be.
    if (chosen != m_model.scanFilePath || m_model.scanChanged) offerToSaveScan();
    loadScan(chosen);
}

void MainWindow::loadScan(const std::string& path) {
    forgetShownProject();
    Outcome read;
    {
        BusyPointer busy;
        m_modelBusy = true;
        read = runWhilePainting([this, &path] { return tally::openScanFile(path, m_model); });
        m_modelBusy = false;
        showModelInViews();
    }
    if (!read.ok) notify(fromAnsi(read.message), MessageIcon::Exclamation);
    // The scan does not hold its code page: it is the one kept for the project, or what the files
    // (or, without them, the scan's own texts) show.
    m_parsedCodePage = kCodePageWestern;
    useSourceCodecs(chooseSourceCodecs(m_model, keptCodePage(m_model.projectPath), makeTextCodec));
    showModelInViews();
    finishOpen();
    if (m_model.fileCount() > 0) {
        m_review->showList(ReviewListId::NeverCalled);
        int files = m_model.fileCount() - 1;
        showSummary(tr("%1 from %2").arg(fileCountText(files), fromLocalPath(fileNameOf(path))));
    } else {
        m_review->setButtonsEnabled(false);
        showSummary(tr("Ready"));
    }
}

bool MainWindow::saveScanCommand() {
    if (m_model.fileCount() == 0) {
        notify(tr("You need to open a project first."), MessageIcon::Information);
        return false;
    }
    std::string project = m_model.projectPath;
    std::string name = fileNameOf(project);
    std::size_t dot = name.rfind('.');
    std::string proposed = ensureTrailingSeparator(directoryOf(project)) +
                           (dot == std::string::npos ? name : name.substr(0, dot)) + ".psf";
    QString path = m_prompts.chooseSaveFile(tr("Save Project Scan"), kScanFilter, fromLocalPath(proposed));
    if (path.isEmpty()) return false;
    const std::string target = toLocalPath(absolute(path));
    // A name that must not be saved over is refused before the user is asked to overwrite it.
    std::string refusal = scanSaveRefusal(m_model, target);
    if (refusal.empty()) {
        SaveTarget found = inspectSaveTarget(target);
        if (!found.refusal.empty()) refusal = target + " " + found.refusal;
    }
    if (!refusal.empty()) {
        notify(fromLocalPath(refusal), MessageIcon::Exclamation);
        return false;
    }
    if (QFileInfo::exists(path) &&
        !m_prompts.askYesNo(tr("This file already exists. Do you want to overwrite it?"), applicationTitle()))
        return false;
    return writeScan(target);
}

bool MainWindow::writeScan(const std::string& path) {
    // What saving over the file would lose (its read-only mode, its hard links, its owner) is the
    // user's choice.
    bool agreed = false;
    std::vector<std::string> cautions = saveCautions(path, inspectSaveTarget(path));
    if (!cautions.empty()) {
        QString text;
        for (const std::string& caution : cautions) text += fromLocalPath(caution) + QStringLiteral("\n");
        if (!m_prompts.askYesNo(text + tr("Save over it anyway?"), applicationTitle())) return false;
        agreed = true;
    }
    Outcome written;
    {
        BusyPointer busy;
        m_modelBusy = true;
        written = runWhilePainting([this, &path, agreed] { return saveScanFile(m_model, path, agreed); });
        m_modelBusy = false;
    }
    if (!written.ok) {
        notify(fromAnsi(written.description) + QStringLiteral("\n\n") + fromLocalPath(written.detail),
               MessageIcon::Exclamation);
        return false;
    }
    // The scan file just written is now the one open, and it holds everything.
    m_model.scanFilePath = path;
    m_model.scanChanged = false;
    return true;
}

void MainWindow::offerToSaveScan() {
    if (m_model.scanFilePath.empty()) {
        if (m_model.fileCount() > 0 &&
            m_prompts.askYesNo(tr("Would you like to save this project scan?"), applicationTitle()))
            saveScanCommand();
    } else if (m_model.scanChanged) {
        if (m_prompts.askYesNo(tr("The current scan file has changed. Would you like to save it now?"),
                               applicationTitle()))
            writeScan(m_model.scanFilePath);
    }
}

void MainWindow::reportShellResult(const Outcome& result) {
    if (!result.ok) notify(fromAnsi(result.message), MessageIcon::Exclamation);
}

void MainWindow::viewSourceCommand() {
    reportShellResult(viewProjectSource(m_shell, m_model.projectPath));
}

void MainWindow::openInVbCommand() {
    reportShellResult(openProjectInDevelopmentEnvironment(m_shell, m_model.projectPath));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A scan file is being read or written on the worker thread: the window stays until it is done.
    if (m_modelBusy) {
        event->ignore();
        return;
    }
    if (!m_closing) {
        // Backing out of the question about changed code means staying with it.
        if (!m_codeView->offerToSaveChanges()) {
            event->ignore();
            backToCode();
            return;
        }
        m_closing = true;
        offerToSaveScan();
    }
    event->accept();
}

}  // namespace tally
