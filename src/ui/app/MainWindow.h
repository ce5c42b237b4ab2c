#pragma once
// The main window (frmMain): the project tree on the left, the five tabs on the right, the menus,
// the main toolbar and the status bar. Owns the one project model of the program and the state
// around it: opening a project or a scan file, saving the scan, and closing.

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "core/model/ProjectModel.h"
#include "core/project/FileVersion.h"
#include "core/project/SourceCodecChoice.h"
#include "core/review/ReviewActions.h"
#include "core/review/ReviewList.h"
#include "core/settings/ShellRunner.h"
#include "core/text/NumberFormat.h"
#include "platform/desktop/MachineFacts.h"
#include "ui/common/UserPrompts.h"
#include "ui/project/ParseWorker.h"

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QTabWidget;
class QToolBar;

namespace tally {

class CodeViewHost;
class ProjectReports;
class Archiver;
class DatedBackup;
class FileAssociation;
class ProjectTreePanel;
class RecentFilesMenu;
class RegistryCommands;
class RegistryPage;
class RegistryStore;
class ServerFiles;
class ReviewPanel;
struct RegistrySources;
class RoutinesPanel;
class SpellPanel;

// What the window works with; the program passes real dialogs and the system's shell, tests pass
// scripted ones.
struct MainWindowServices {
    UserPrompts& prompts;
    ShellRunner& shell;
    const FileVersionSource& versions;
    NumberLocale locale;
    ParseFunction parse;  // the passes; empty for the real ones
    // The registry the Registry tab browses and where it finds servers; null for this machine's.
    // The program's settings (recent files, the association question) are kept in its store.
    const RegistrySources* registry = nullptr;
    // The .psf association asked about on the first activation; null asks nothing.
    FileAssociation* association = nullptr;
    // The association question; empty for the real dialog. Answers as applyAssociationAnswer takes.
    std::function<int(QWidget*)> askAssociation;
    // The About box's memory figures; empty for this machine's.
    std::function<MemoryFigures()> memory;
    // Makes the zip archives; null for the program's own.
    Archiver* archiver = nullptr;
};

inline constexpr const char* kOpenProjectHint = "Open a project to begin.";
inline constexpr const char* kSelectFileHint =
    "Select a file from the list to view it's properties and routines.";

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence: the empty tree with its counters, the project commands disabled, then
    // the scan file named on the command line when there is one.
    void startUp(const QString& scanFileArgument = {});

    // Project menu commands (each asks for its file first) and what they run once a file is known.
    void openProjectCommand();
    void openProjectFile(const QString& path);
    void openScanCommand();
    void openScanFile(const QString& path);
    bool saveScanCommand();
    void viewSourceCommand();
    void openInVbCommand();
    // A "Code Review" menu item: brings the tab to the front and shows the list.
    void showReviewList(ReviewListId id);
    // "Check Spelling" in the Spell Check menu, and the toolbar's spell button (which asks for an
    // open project rather than for rows to check).
    void checkSpellingCommand();
    void spellButtonCommand();
    // A recent files entry: opens the file without asking for one.
    void recentFileCommand(const QString& path);
    // The Help menu.
    void helpTopicsCommand();
    void associateCommand();
    void aboutCommand();
    // "&Zip Up The Project": the Zip Project Files dialog over the open project.
    void zipProjectCommand();
    // Offers to save the scan (on closing and before another scan file is opened).
    void offerToSaveScan();

    ProjectModel& model() { return m_model; }
    ProjectTreePanel* projectTree() const { return m_tree; }
    RoutinesPanel* routinesPanel() const { return m_routines; }
    ReviewPanel* reviewPanel() const { return m_review; }
    SpellPanel* spellPanel() const { return m_spell; }
    CodeViewHost* codeView() const { return m_codeView; }
    ProjectReports* reports() const { return m_reports; }
    RegistryPage* registryPage() const { return m_registry; }
    RegistryCommands* registryCommands() const { return m_registryCommands; }
    RecentFilesMenu* recentFiles() const { return m_recent; }
    QTabWidget* tabs() const { return m_tabs; }
    // Status bar panel 2: the selected file's path.
    QString statusPath() const;
    QAction* projectMenuAction(const char* name) const;
    QAction* toolbarAction(const char* key) const;
    // Re-evaluates the Project menu items, as opening the menu does.
    void updateProjectMenu();

    // Replaces the code view placeholder by the real panel (the window does not own it then).
    void setCodeView(CodeViewHost* codeView);

signals:
    // The parse dialog's worker has started; the parse dialog has closed.
    void parseStarted();
    void parseFinished(bool cancelled);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Building the window (MainWindow.cpp).
    void buildMenus();
    void buildHelpMenu();
    // CheckAssociation: the question on the first activation, unless the association is there or
    // the user asked not to be asked again.
    void checkAssociation();
    void askAndAssociate();
    void buildToolbar();
    void buildCentre(const RegistrySources* registry);
    void buildStatusBar();
    void buildShortcuts();
    void centreOnScreen();
    void installCodeViewCommands();
    void removeCodeViewCommands();
    void connectCodeView();
    void setProjectButtonsEnabled(bool enabled);

    // Opening, saving, closing (MainWindowProject.cpp).
    bool openAProject(const std::string& projectPath);
    ScanOutcome runParseDialog(const std::string& projectPath);
    void loadScan(const std::string& path);
    void finishOpen();
    bool writeScan(const std::string& path);
    bool anyProjectFileExists() const;
    void forgetShownProject();
    void showTreeAndCaption();
    void showModelInViews();
    void notify(const QString& text, MessageIcon icon);
    void reportShellResult(const Outcome& result);
    void runSpellDialog();

    // The project's code page (MainWindowCodePage.cpp): the Project menu's "Code Page" submenu, the
    // status bar panel, and choosing the codecs when a project or scan file is opened.
    void buildCodePageMenu(QMenu* project);
    // The code page kept for the project at `projectPath`; kCodePageAuto to detect it.
    int keptCodePage(const std::string& projectPath) const;
    // Makes `choice` the codecs every view decodes with, and shows its code page.
    void useSourceCodecs(SourceCodecChoice choice);
    void codePageChosen(int codePage);
    void showCodePage();

    // Reacting to the views (MainWindowViews.cpp).
    void selectTreeNode(const std::string& key);
    void showCodeTarget(const CodeTarget& target);
    void backToCode();
    void followShownFile();
    void tabChosen(int index);
    void spellRowActivated(int row);
    void showSummary(const QString& text);

    ProjectModel m_model;
    UserPrompts& m_prompts;
    ShellRunner& m_shell;
    const FileVersionSource& m_versions;
    NumberLocale m_locale;
    ParseFunction m_parse;

    ProjectTreePanel* m_tree = nullptr;
    QSplitter* m_split = nullptr;
    QTabWidget* m_tabs = nullptr;
    RoutinesPanel* m_routines = nullptr;
    CodeViewHost* m_codeView = nullptr;
    ReviewPanel* m_review = nullptr;
    SpellPanel* m_spell = nullptr;
    ProjectReports* m_reports = nullptr;
    RegistryPage* m_registry = nullptr;
    RegistryCommands* m_registryCommands = nullptr;
    // This machine's registry and server files, when the caller gave none.
    std::unique_ptr<RegistryStore> m_ownRegistry;
    std::unique_ptr<ServerFiles> m_ownServerFiles;
    RecentFilesMenu* m_recent = nullptr;
    FileAssociation* m_association = nullptr;
    std::function<int(QWidget*)> m_askAssociation;
    std::function<MemoryFigures()> m_memory;
    bool m_activated = false;
    Archiver* m_archiver = nullptr;
    std::unique_ptr<Archiver> m_ownArchiver;
    std::unique_ptr<DatedBackup> m_backup;
    QAction* m_actZip = nullptr;
    QLabel* m_statusSummary = nullptr;
    QLabel* m_statusPath = nullptr;
    QLabel* m_statusCodePage = nullptr;
    QMenu* m_codePageMenu = nullptr;
    // The code page the passes recognised texts by, for the last project parsed.
    int m_parsedCodePage = 1252;
    QToolBar* m_mainToolbar = nullptr;

    QAction* m_actOpenProject = nullptr;
    QAction* m_actOpenScan = nullptr;
    QAction* m_actSaveScan = nullptr;
    QAction* m_actViewSource = nullptr;
    QAction* m_actOpenInVb = nullptr;
    QAction* m_actExit = nullptr;
    QAction* m_tbOpen = nullptr;
    QAction* m_tbOpenScan = nullptr;
    QAction* m_tbSaveScan = nullptr;
    QAction* m_tbVb = nullptr;
    QAction* m_actSpell = nullptr;
    QAction* m_tbSpell = nullptr;
    QAction* m_tbReport = nullptr;
    QAction* m_reviewMenuAction = nullptr;
    QAction* m_vbSeparator = nullptr;
    QAction* m_codeViewMenuAction = nullptr;
    QAction* m_codeViewSeparator = nullptr;

    bool m_closing = false;
    bool m_modelBusy = false;  // a worker thread reads or writes the model
};

}  // namespace tally
