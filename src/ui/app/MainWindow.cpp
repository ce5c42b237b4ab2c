#include "ui/app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <QDate>
#include <QFileInfo>

#include "core/archive/DatedBackup.h"
#include "core/settings/AppSettings.h"
#include "platform/archive/ArchiverChoice.h"
#include "ui/archive/ZipDialog.h"
#include "ui/app/RecentFilesMenu.h"
#include "ui/codeview/CodeViewPanel.h"
#include "ui/common/AnsiText.h"
#include "ui/common/IconLibrary.h"
#include "ui/project/ProjectTreePanel.h"
#include "ui/registry/RegistryCommands.h"
#include "ui/registry/RegistryPage.h"
#include "ui/reports/ProjectReports.h"
#include "ui/review/ReviewPanel.h"
#include "ui/review/RoutinesPanel.h"
#include "ui/review/SpellPanel.h"
#include "core/project/DiskVersionInfo.h"
#include "core/registry/InstalledObjects.h"
#include "platform/registry/RegistryStoreChoice.h"

namespace tally {

namespace {

constexpr int kCodeViewTab = 1;

// The server files' version strings for the Properties dialog.
const DiskVersionInfo kDiskVersions;

QAction* makeAction(QObject* parent, const QString& text, const char* name) {
    auto* action = new QAction(text, parent);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent),
      m_prompts(services.prompts),
      m_shell(services.shell),
      m_versions(services.versions),
      m_locale(services.locale),
      m_parse(std::move(services.parse)),
      m_association(services.association),
      m_askAssociation(std::move(services.askAssociation)),
      m_memory(std::move(services.memory)),
      m_archiver(services.archiver) {
    if (!m_archiver) {
        m_ownArchiver = makeSystemArchiver();
        m_archiver = m_ownArchiver.get();
    }
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(applicationTitle());
    setWindowIcon(IconLibrary::icon(QStringLiteral("app")));
    buildCentre(services.registry);
    buildMenus();
    buildHelpMenu();
    buildToolbar();
    buildStatusBar();
    buildShortcuts();
    resize(1180, 760);
    centreOnScreen();
}

MainWindow::~MainWindow() {
    // The model goes before the widgets do, and the spell list reads its rows in place: the list
    // lets go of them first, so that the last layout of a visible list reads nothing freed.
    m_spell->resetRows(nullptr);
}

void MainWindow::centreOnScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect available = screen->availableGeometry();
    QSize size = this->size().boundedTo(available.size());
    resize(size);
    move(available.center() - QPoint(size.width() / 2, size.height() / 2));
}

void MainWindow::buildCentre(const RegistrySources* registry) {
    m_tree = new ProjectTreePanel(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tbsMain"));
    m_tabs->setDocumentMode(true);

    if (!registry) {
        m_ownRegistry = openSystemRegistryStore();
        auto files = std::make_unique<DiskServerFiles>(wineRegistryFolder());
        ObjectFolders folders = objectFoldersOf(*files);
        m_ownServerFiles = std::move(files);
        m_registry = new RegistryPage(RegistrySources{*m_ownRegistry, *m_ownServerFiles, std::move(folders)}, m_tabs);
    } else {
        m_registry = new RegistryPage(*registry, m_tabs);
    }
    m_routines = new RoutinesPanel(m_model, m_prompts, m_locale, m_tabs);
    // ApplyEditorSettings: the font and tab width of the developer's own VB editor.
    auto* codeView = new CodeViewPanel(m_model, m_prompts, readEditorSettings(m_registry->store()), m_tabs);
    // "Zip && Save File" keeps the stored file in a dated archive beside it before saving.
    m_backup = std::make_unique<DatedBackup>(
        *m_archiver,
        [] {
            const QDate today = QDate::currentDate();
            return CalendarDay{today.year(), today.month(), today.day()};
        },
        // A link that leads nowhere takes the name as well as a file does.
        [](const std::string& path) {
            const QFileInfo entry(fromLocalPath(path));
            return entry.exists() || entry.isSymLink();
        },
        [this](const Outcome& why) {
            notify(tr("The backup archive could not be made, so the file was not saved.") + QStringLiteral("\n\n") +
                       fromAnsi(why.description) + QStringLiteral("\n") + fromLocalPath(why.detail),
                   MessageIcon::Exclamation);
        });
    codeView->code().setBackupArchiver(m_backup.get());
    m_codeView = codeView;
    m_review = new ReviewPanel(m_model, m_tabs);
    m_spell = new SpellPanel(m_tabs);
    m_reports = new ProjectReports(m_model, m_prompts, this);
    m_registryCommands = new RegistryCommands(
        RegistryCommandServices{*m_registry, m_prompts, m_shell, kDiskVersions,
                                [this] { return m_tabs->currentWidget() == m_registry; }},
        this);
    m_tabs->addTab(m_routines, tr("Routines"));
    m_tabs->addTab(codeView, tr("Code View"));
    m_tabs->addTab(m_review, tr("Code Review"));
    m_tabs->addTab(m_spell, tr("Spell Check"));
    m_tabs->addTab(m_registry, tr("The Registry"));

    m_split = new QSplitter(Qt::Horizontal, this);
    m_split->setObjectName(QStringLiteral("picSplit"));
    m_split->setChildrenCollapsible(false);
    m_split->addWidget(m_tree);
    m_split->addWidget(m_tabs);
    m_split->setStretchFactor(0, 0);
    m_split->setStretchFactor(1, 1);
    m_split->setSizes({300, 880});
    setCentralWidget(m_split);
    setTabOrder(m_tree, m_tabs);

    connect(m_tree, &ProjectTreePanel::nodeSelected, this, &MainWindow::selectTreeNode);
    // The tree's expanded nodes are part of the scan: the scan file keeps them for the next opening.
    connect(m_tree, &ProjectTreePanel::nodeExpanded, this,
            [this](const std::string& key, bool expanded) {
                if (!m_modelBusy) m_model.tree.setExpanded(key, expanded);
            });
    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::tabChosen);
    connect(m_routines, &RoutinesPanel::targetRequested, this, &MainWindow::showCodeTarget);
    connect(m_review, &ReviewPanel::targetRequested, this, &MainWindow::showCodeTarget);
    connect(m_spell, &SpellPanel::rowActivated, this, &MainWindow::spellRowActivated);
    connectCodeView();
}

void MainWindow::connectCodeView() {
    auto* panel = dynamic_cast<CodeViewPanel*>(m_codeView);
    if (!panel) return;
    connect(panel, &CodeViewPanel::routineRemoved, m_routines, &RoutinesPanel::removeRoutine);
    // A file with edits not yet saved is marked on its tab, so it shows from any tab.
    connect(panel, &CodeViewPanel::unsavedChangesChanged, this, [this, panel](bool unsaved) {
        int tab = m_tabs->indexOf(panel);
        if (tab < 0) return;
        m_tabs->setTabText(tab, unsaved ? tr("Code View \u25CF") : tr("Code View"));
        m_tabs->setTabToolTip(tab, unsaved ? panel->unsavedMarker()->toolTip() : QString());
    });
}

// The code view's menu goes between the Project and Code Review menus, its buttons between the
// scan buttons and the development environment's.
void MainWindow::installCodeViewCommands() {
    if (QMenu* menu = m_codeView->commandMenu())
        m_codeViewMenuAction = menuBar()->insertMenu(m_reviewMenuAction, menu);
    QList<QAction*> buttons = m_codeView->toolbarActions();
    if (buttons.isEmpty()) return;
    m_codeViewSeparator = m_mainToolbar->insertSeparator(m_vbSeparator);
    m_mainToolbar->insertActions(m_vbSeparator, buttons);
    for (QAction* button : buttons)
        if (auto* tool = qobject_cast<QToolButton*>(m_mainToolbar->widgetForAction(button)))
            tool->setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void MainWindow::removeCodeViewCommands() {
    if (m_codeViewMenuAction) menuBar()->removeAction(m_codeViewMenuAction);
    m_codeViewMenuAction = nullptr;
    for (QAction* button : m_codeView->toolbarActions()) m_mainToolbar->removeAction(button);
    if (m_codeViewSeparator) {
        m_mainToolbar->removeAction(m_codeViewSeparator);
        delete m_codeViewSeparator;
    }
    m_codeViewSeparator = nullptr;
}

void MainWindow::buildMenus() {
    QMenu* project = menuBar()->addMenu(tr("&Project"));
    project->setObjectName(QStringLiteral("mnuProj"));
    m_actOpenProject = makeAction(this, tr("&Open Project..."), "mnuProjOpen");
    m_actOpenProject->setShortcut(QKeySequence::Open);
    m_actOpenScan = makeAction(this, tr("Open &Project Scan..."), "mnuProjOpenScan");
    m_actOpenScan->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    m_actSaveScan = makeAction(this, tr("Save Project &Scan..."), "mnuProjSaveScan");
    m_actSaveScan->setShortcut(QKeySequence::Save);
    m_actZip = makeAction(this, tr("&Zip Up The Project"), "mnuProjZip");
    m_actViewSource = makeAction(this, tr("View V&BP Source"), "mnuProjViewSource");
    m_actOpenInVb = makeAction(this, tr("Open the project in &VB"), "mnuProjOpenInVb");
    m_actExit = makeAction(this, tr("E&xit"), "mnuProjExit");
    m_actExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_actOpenProject->setIcon(IconLibrary::icon(QStringLiteral("tb-open")));
    m_actOpenScan->setIcon(IconLibrary::icon(QStringLiteral("tb-openscan")));
    m_actSaveScan->setIcon(IconLibrary::icon(QStringLiteral("tb-savescan")));
    m_actOpenInVb->setIcon(IconLibrary::icon(QStringLiteral("tb-vb")));
    project->addAction(m_actOpenProject);
    project->addAction(m_actOpenScan);
    project->addAction(m_actSaveScan);
    project->addAction(m_actZip);
    project->addSeparator();
    project->addAction(m_actViewSource);
    project->addAction(m_actOpenInVb);
    buildCodePageMenu(project);
    QAction* beforeExit = project->addSeparator();
    project->addAction(m_actExit);
    m_recent = new RecentFilesMenu(m_registry->store(), project, beforeExit);
    connect(m_recent, &RecentFilesMenu::fileChosen, this, &MainWindow::recentFileCommand);
    connect(project, &QMenu::aboutToShow, this, &MainWindow::updateProjectMenu);
    connect(m_actOpenProject, &QAction::triggered, this, &MainWindow::openProjectCommand);
    connect(m_actOpenScan, &QAction::triggered, this, &MainWindow::openScanCommand);
    connect(m_actSaveScan, &QAction::triggered, this, &MainWindow::saveScanCommand);
    connect(m_actViewSource, &QAction::triggered, this, &MainWindow::viewSourceCommand);
    connect(m_actZip, &QAction::triggered, this, &MainWindow::zipProjectCommand);
    connect(m_actOpenInVb, &QAction::triggered, this, &MainWindow::openInVbCommand);
    connect(m_actExit, &QAction::triggered, this, &QWidget::close);

    QMenu* review = menuBar()->addMenu(tr("&Code Review"));
    review->setObjectName(QStringLiteral("mnuRev"));
    m_reviewMenuAction = review->menuAction();
    int number = 1;
    for (ReviewListId id : kAllReviewLists) {
        auto* item = new QAction(fromAnsi(reviewListInfo(id).menuCaption), this);
        item->setObjectName(QStringLiteral("mnuRev%1").arg(number - 1));
        item->setShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_0 + number)));
        connect(item, &QAction::triggered, this, [this, id] { showReviewList(id); });
        review->addAction(item);
        ++number;
    }

    QMenu* spell = menuBar()->addMenu(tr("&Spell Check"));
    spell->setObjectName(QStringLiteral("mnuSpellCheck"));
    m_actSpell = makeAction(this, tr(" &Check Spelling"), "mnuSpell");
    m_actSpell->setShortcut(QKeySequence(Qt::Key_F7));
    m_actSpell->setIcon(IconLibrary::icon(QStringLiteral("tb-spell")));
    spell->addAction(m_actSpell);
    connect(m_actSpell, &QAction::triggered, this, &MainWindow::checkSpellingCommand);
    menuBar()->addMenu(m_registryCommands->menu());
    // The reports draw on the same findings as the review lists.
    review->addSeparator();
    auto* reports = makeAction(this, tr("&Show Reports"), "mnuCodeR");
    connect(reports, &QAction::triggered, m_reports, &ProjectReports::showChooser);
    review->addAction(reports);
}

void MainWindow::buildToolbar() {
    m_mainToolbar = addToolBar(tr("Main"));
    m_mainToolbar->setObjectName(QStringLiteral("tbrMain"));
    m_mainToolbar->setMovable(false);
    m_mainToolbar->setIconSize(QSize(20, 20));
    m_mainToolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_tbOpen = makeAction(this, tr("Open Project"), "open");
    m_tbOpen->setToolTip(tr("Open a project file (Ctrl+O)"));
    m_tbOpenScan = makeAction(this, tr("Open Scan"), "openscan");
    m_tbOpenScan->setToolTip(tr("Open a project scan file (Ctrl+Shift+O)"));
    m_tbSaveScan = makeAction(this, tr("Save Scan"), "savescan");
    m_tbSaveScan->setToolTip(tr("Save the project scan (Ctrl+S)"));
    m_tbVb = makeAction(this, tr("Open in VB"), "vb");
    m_tbVb->setToolTip(tr("Open the project in the development environment"));
    m_tbOpen->setIcon(IconLibrary::icon(QStringLiteral("tb-open")));
    m_tbOpenScan->setIcon(IconLibrary::icon(QStringLiteral("tb-openscan")));
    m_tbSaveScan->setIcon(IconLibrary::icon(QStringLiteral("tb-savescan")));
    m_tbVb->setIcon(IconLibrary::icon(QStringLiteral("tb-vb")));
    m_tbReport = makeAction(this, tr("Reports"), "report");
    m_tbReport->setToolTip(tr("Choose a project report to show"));
    m_tbReport->setIcon(IconLibrary::icon(QStringLiteral("tb-report")));
    m_mainToolbar->addAction(m_tbOpen);
    m_mainToolbar->addAction(m_tbOpenScan);
    m_mainToolbar->addAction(m_tbSaveScan);
    m_tbSpell = makeAction(this, tr("Spelling"), "spell");
    m_tbSpell->setToolTip(tr("Check the spelling of captions and texts (F7)"));
    m_tbSpell->setIcon(IconLibrary::icon(QStringLiteral("tb-spell")));
    m_mainToolbar->addAction(m_tbSpell);
    m_vbSeparator = m_mainToolbar->addSeparator();
    m_mainToolbar->addAction(m_tbVb);
    m_mainToolbar->addAction(m_tbReport);
    installCodeViewCommands();
    connect(m_tbOpen, &QAction::triggered, this, &MainWindow::openProjectCommand);
    connect(m_tbOpenScan, &QAction::triggered, this, &MainWindow::openScanCommand);
    connect(m_tbSaveScan, &QAction::triggered, this, &MainWindow::saveScanCommand);
    connect(m_tbVb, &QAction::triggered, this, &MainWindow::openInVbCommand);
    connect(m_tbSpell, &QAction::triggered, this, &MainWindow::spellButtonCommand);
    connect(m_tbReport, &QAction::triggered, m_reports, &ProjectReports::showChooser);
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbrMain"));
    bar->setSizeGripEnabled(true);
    m_statusSummary = new QLabel(this);
    m_statusSummary->setObjectName(QStringLiteral("sbrPanel1"));
    m_statusSummary->setMinimumWidth(220);
    m_statusPath = new QLabel(this);
    m_statusPath->setObjectName(QStringLiteral("sbrPanel2"));
    m_statusPath->setTextFormat(Qt::PlainText);
    m_statusPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(m_statusSummary);
    bar->addWidget(m_statusPath, 1);
    m_statusCodePage = new QLabel(this);
    m_statusCodePage->setObjectName(QStringLiteral("sbrCodePage"));
    bar->addPermanentWidget(m_statusCodePage);
}

void MainWindow::buildShortcuts() {
    // Ctrl+1 .. Ctrl+5 bring the five tabs to the front; F6 moves between the tree and the tab.
    for (int tab = 0; tab < m_tabs->count(); ++tab) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + tab)), this);
        connect(shortcut, &QShortcut::activated, this, [this, tab] {
            m_tabs->setCurrentIndex(tab);
            m_tabs->currentWidget()->setFocus();
        });
    }
    auto* switchPane = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(switchPane, &QShortcut::activated, this, [this] {
        if (!m_tree->hasFocus()) {
            m_tree->setFocus();
            return;
        }
        if (QWidget* proxy = m_tabs->currentWidget()->focusProxy()) {
            proxy->setFocus(Qt::ShortcutFocusReason);
            return;
        }
        for (QWidget* child : m_tabs->currentWidget()->findChildren<QWidget*>()) {
            if (child->isVisible() && child->isEnabled() && (child->focusPolicy() & Qt::TabFocus)) {
                child->setFocus(Qt::ShortcutFocusReason);
                return;
            }
        }
    });
}

void MainWindow::setProjectButtonsEnabled(bool enabled) {
    m_tbSaveScan->setEnabled(enabled);
    m_tbVb->setEnabled(enabled);
    m_tbReport->setEnabled(enabled);
}

void MainWindow::updateProjectMenu() {
    bool projectOpen = m_model.fileCount() != 0;
    bool pathKnown = !m_model.projectPath.empty();
    m_actSaveScan->setEnabled(projectOpen);
    m_actViewSource->setEnabled(pathKnown);
    m_actOpenInVb->setEnabled(pathKnown);
    m_actZip->setEnabled(pathKnown);
}

void MainWindow::setCodeView(CodeViewHost* codeView) {
    QWidget* old = m_codeView->widget();
    bool wasCurrent = m_tabs->currentIndex() == kCodeViewTab;
    removeCodeViewCommands();
    m_tabs->blockSignals(true);
    m_tabs->removeTab(kCodeViewTab);
    m_tabs->insertTab(kCodeViewTab, codeView->widget(), tr("Code View"));
    if (wasCurrent) m_tabs->setCurrentIndex(kCodeViewTab);
    m_tabs->blockSignals(false);
    m_codeView = codeView;
    installCodeViewCommands();
    connectCodeView();
    m_codeView->tabChosen(wasCurrent);
    old->deleteLater();
}

QString MainWindow::statusPath() const {
    return m_statusPath->text();
}

QAction* MainWindow::projectMenuAction(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

QAction* MainWindow::toolbarAction(const char* key) const {
    for (QAction* action : m_mainToolbar->actions())
        if (action->objectName() == QLatin1String(key)) return action;
    return nullptr;
}

void MainWindow::showSummary(const QString& text) {
    m_statusSummary->setText(text);
}

void MainWindow::showReviewList(ReviewListId id) {
    m_tabs->setCurrentWidget(m_review);
    m_review->showList(id);
}

}  // namespace tally
