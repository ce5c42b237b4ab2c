// The main window's code page: the Project menu's "Code Page" submenu, the status bar panel that
// names the page the project's texts are read in, and taking over the codecs chosen for a project.

#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QTreeView>

#include "core/registry/RegistryStore.h"
#include "core/settings/ProjectCodePages.h"
#include "platform/text/TextCodecs.h"
#include "ui/app/MainWindow.h"
#include "ui/codeview/CodeViewHost.h"
#include "ui/common/AnsiText.h"
#include "ui/common/ProjectText.h"
#include "ui/project/ProjectTreePanel.h"
#include "ui/registry/RegistryPage.h"
#include "ui/review/ReviewPanel.h"
#include "ui/review/RoutinesPanel.h"
#include "ui/review/SpellPanel.h"

namespace tally {

void MainWindow::buildCodePageMenu(QMenu* project) {
    m_codePageMenu = project->addMenu(tr("Code Pa&ge"));
    m_codePageMenu->setObjectName(QStringLiteral("mnuProjCodePage"));
    auto* group = new QActionGroup(m_codePageMenu);
    for (const CodePageEntry& entry : commonCodePages()) {
        QAction* item = m_codePageMenu->addAction(tr(entry.caption));
        item->setCheckable(true);
        item->setData(entry.codePage);
        group->addAction(item);
        if (entry.codePage == kCodePageAuto) m_codePageMenu->addSeparator();
        const int codePage = entry.codePage;
        connect(item, &QAction::triggered, this, [this, codePage] { codePageChosen(codePage); });
    }
    connect(m_codePageMenu, &QMenu::aboutToShow, this, &MainWindow::showCodePage);
}

int MainWindow::keptCodePage(const std::string& projectPath) const {
    return readProjectCodePage(m_registry->store(), projectPath);
}

void MainWindow::useSourceCodecs(SourceCodecChoice choice) {
    // A code page this system has no converter for is said once; the texts are read as Western.
    if (!choice.failure.empty()) notify(fromAnsi(choice.failure), MessageIcon::Exclamation);
    setSourceCodecs(std::move(choice.codecs));
    showCodePage();
}

// The user's choice is kept for the project and read from then on; the code view first lets go of
// the file it shows, which was decoded with the old page (its edits are offered for saving).
void MainWindow::codePageChosen(int codePage) {
    if (m_model.projectPath.empty()) {
        showCodePage();
        return;
    }
    if (!m_codeView->offerToSaveChanges()) {
        showCodePage();
        return;
    }
    writeProjectCodePage(m_registry->store(), m_model.projectPath, codePage);
    SourceCodecChoice choice = chooseSourceCodecs(m_model, codePage, makeTextCodec);
    m_codeView->clear();
    useSourceCodecs(std::move(choice));
    showModelInViews();
    m_routines->clearViews();
    // The list decodes its rows as they are painted.
    m_review->listView()->viewport()->update();
    // The passes pick the texts of the Spell list by their first character, which they read in
    // the page the project was parsed with.
    if (sourceCodecs().codePage() != m_parsedCodePage)
        showSummary(tr("Code page %1: open the project again to list its texts in the Spell list by it")
                        .arg(sourceCodecs().codePage()));
}

void MainWindow::showCodePage() {
    const SourceCodecs& codecs = sourceCodecs();
    const bool open = !m_model.projectPath.empty();
    m_statusCodePage->setText(open ? QString::fromStdString(codecs.project().name()) : QString());
    m_statusCodePage->setToolTip(open ? tr("The project's texts are read in code page %1 (%2)")
                                            .arg(codecs.codePage())
                                            .arg(QString::fromStdString(codecs.project().name()))
                                      : QString());
    if (!m_codePageMenu) return;
    m_codePageMenu->setEnabled(open);
    const int kept = open ? keptCodePage(m_model.projectPath) : kCodePageAuto;
    for (QAction* item : m_codePageMenu->actions())
        if (item->isCheckable()) item->setChecked(item->data().toInt() == kept);
}

}  // namespace tally
