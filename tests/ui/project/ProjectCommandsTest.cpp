// The main window's start-up, project and scan commands, save prompts, parse dialog and shell
// commands, driven through the real window with scripted dialogs.

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "UiTestSupport.h"
#include "core/scanfile/ScanFileReader.h"
#include "core/scanfile/ScanFileWriter.h"
#include "ui/project/ParseDialog.h"
#include "ui/project/ProjectTreePanel.h"
#include "ui/review/ReviewListModel.h"
#include "ui/review/ReviewPanel.h"
#include "ui/review/RoutinesPanel.h"

using namespace tally;
using namespace tally::test;

namespace {

// A parse that waits (at most 10 s) until `go` says so before running the real passes.
ParseFunction parseAfter(std::function<bool(ParseContext&)> go) {
    return [go](ParseContext& context) {
        for (int i = 0; i < 1000 && !go(context); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return runParse(context);
    };
}

// The sample's scan file, saved in a scratch folder.
struct SampleScan {
    SampleScan() { ok = writeSampleScan(path); }
    QTemporaryDir dir;
    std::string path = (dir.path() + QStringLiteral("/Hourglass.psf")).toStdString();
    bool ok = false;
};

}  // namespace

class ProjectCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void opensTheSampleProjectThroughTheParseDialog() {
        Harness h;
        h.window->startUp();
        QSignalSpy finished(h.window.get(), &MainWindow::parseFinished);
        h.prompts.openFiles = {samplePath()};
        h.window->openProjectCommand();
        QCOMPARE(h.prompts.filters.value(0), QStringLiteral("Project Files|*.vbp|All Files|*.*"));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished[0][0].toBool(), false);

        QCOMPARE(h.window->windowTitle(), QStringLiteral("Hourglass - Tallyscan 6"));
        QVERIFY(h.window->toolbarAction("savescan")->isEnabled());
        QVERIFY(h.window->toolbarAction("vb")->isEnabled());
        QCOMPARE(h.window->routinesPanel()->hintText(),
                 QStringLiteral("Select a file from the list to view it's properties and routines."));
        QCOMPARE(h.window->projectTree()->rootText(), QStringLiteral("Hourglass Timesheets 2.4.17"));
        // The first review list is shown and its button pressed; the tab stays where it was.
        ReviewPanel* review = h.window->reviewPanel();
        QVERIFY(h.window->reviewPanel()->buttonsEnabled());
        QVERIFY(review->buttonAction(ReviewListId::NeverCalled)->isChecked());
        QCOMPARE(review->listModel()->rowCount(), 15);
        QCOMPARE(h.window->tabs()->currentIndex(), 0);
    }

    void startsWithAScanFileArgumentWithoutParsing() {
        SampleScan scan;
        QVERIFY(scan.ok);
        Harness h;
        QSignalSpy started(h.window.get(), &MainWindow::parseStarted);
        h.window->startUp(QString::fromStdString(scan.path));
        QCOMPARE(started.count(), 0);
        QCOMPARE(h.window->model().scanFilePath, scan.path);
        QCOMPARE(h.window->windowTitle(), QStringLiteral("Hourglass - Tallyscan 6"));
        QVERIFY(h.window->toolbarAction("savescan")->isEnabled());
        QCOMPARE(h.window->reviewPanel()->listModel()->rowCount(), 15);
        QVERIFY(h.prompts.shown.empty());
    }

    void withoutAProjectThereIsNothingToSave_data() {
        QTest::addColumn<QString>("opened");
        QTest::newRow("nothing") << "";
        QTest::newRow("a damaged scan file") << "scan";
        QTest::newRow("a missing project file") << "project";
    }

    void withoutAProjectThereIsNothingToSave() {
        QFETCH(QString, opened);
        QTemporaryDir dir;
        QString broken = dir.filePath(QStringLiteral("broken.psf"));
        QVERIFY(writeFile(broken, "Not a scan file\r\n"));
        Harness h;
        h.window->startUp(opened == "scan" ? broken : QString());
        if (opened.isEmpty())
            QCOMPARE(h.window->routinesPanel()->hintText(), QStringLiteral("Open a project to begin."));
        if (opened == "project") h.window->openProjectFile(dir.filePath(QStringLiteral("Gone.vbp")));
        // A failed open says why, with the warning icon.
        QCOMPARE(h.prompts.shown.size(), std::size_t{opened.isEmpty() ? 0u : 1u});
        if (!opened.isEmpty()) QCOMPARE(h.prompts.shown[0].icon, MessageIcon::Exclamation);
        if (opened == "scan")
            QVERIFY(h.prompts.shown[0].text.startsWith(QStringLiteral(
                "There was a problem reading the Project Scan File. The following error occured.")));
        // The empty skeleton, with the project commands off.
        QCOMPARE(h.window->windowTitle(), QStringLiteral("Tallyscan 6"));
        QCOMPARE(h.window->model().fileCount(), 0);
        QVERIFY(h.window->model().tree.contains("properties"));
        QVERIFY(!h.window->toolbarAction("savescan")->isEnabled());
        QVERIFY(!h.window->toolbarAction("vb")->isEnabled());
        QVERIFY(!h.window->reviewPanel()->buttonsEnabled());

        h.prompts.shown.clear();
        QVERIFY(!h.window->saveScanCommand());
        QCOMPARE(h.prompts.texts(), QStringList{QStringLiteral("You need to open a project first.")});
        QCOMPARE(h.prompts.shown[0].title, QStringLiteral("Tallyscan 6"));
        QVERIFY(h.prompts.proposals.isEmpty());
    }

    void savingANewScanProposesItsNameAndAsksBeforeOverwriting() {
        QTemporaryDir dir;
        QString target = dir.path() + QStringLiteral("/existing.psf");
        QVERIFY(writeFile(target, "Version 2.0\r\n"));
        Harness h;
        QVERIFY(h.openShown());
        const QString overwrite = QStringLiteral("This file already exists. Do you want to overwrite it?");
        // No to overwriting keeps the file as it was.
        h.prompts.saveFiles = {target};
        h.prompts.answers = {false};
        QVERIFY(!h.window->saveScanCommand());
        QCOMPARE(h.prompts.texts(), QStringList{overwrite});
        QCOMPARE(QFileInfo(target).size(), 13);

        // Closing offers to save the new scan; Yes, then Yes to overwriting, writes it.
        h.prompts.shown.clear();
        h.prompts.saveFiles = {target};
        h.prompts.answers = {true, true};
        h.window->close();
        QCOMPARE(h.prompts.texts(),
                 (QStringList{QStringLiteral("Would you like to save this project scan?"), overwrite}));
        // The proposal is the project's name with .psf, in the project's folder.
        QCOMPARE(h.prompts.proposals.value(0),
                 QStringLiteral(TALLY_SOURCE_DIR "/examples/sample/Hourglass.psf"));
        QCOMPARE(h.prompts.filters.value(0), QStringLiteral("Project Scan Files|*.psf|All Files|*.*"));
        ProjectModel reread;
        QVERIFY(openScanFile(target.toStdString(), reread).ok);
        QCOMPARE(reread.fileCount(), h.window->model().fileCount());
        QCOMPARE(h.window->model().scanFilePath, target.toStdString());
    }

    // A FIFO in a scan file's place would block the window in open(); it is refused at once instead.
    void aFifoNamedAsTheScanFileIsRefusedWithoutBlocking() {
        QTemporaryDir dir;
        const QString fifo = dir.path() + QStringLiteral("/pipe.psf");
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0644), 0);
        ::alarm(30);
        Harness h;
        h.prompts.openFiles = {fifo};
        h.window->openScanCommand();
        ::alarm(0);
        QVERIFY(h.prompts.texts().value(0).endsWith(
            QStringLiteral("75 - Path/File access error: ") + fifo + QStringLiteral(" is not a regular file (a FIFO)")));
        QCOMPARE(h.window->model().fileCount(), 0);
    }

    // A tree 300,000 deep would take the tree view's stack; the window refuses the file instead, and a
    // tree at the depth limit is shown in full.
    void aScanFileWithAnAbyssalTreeIsRefusedAndOneAtTheLimitShown() {
        QTemporaryDir dir;
        auto chain = [](int depth) {
            ProjectModel m;
            m.projectPath = "/nowhere/Deep.vbp";
            m.files.emplace_back();
            m.tree.add("", "project", "Deep");
            std::string parent = "project";
            for (int i = 0; i < depth; ++i) {
                std::string key = "n" + std::to_string(i);
                m.tree.add(parent, key, key);
                m.tree.setExpanded(key, true);
                parent = key;
            }
            return m;
        };
        const QString abyss = dir.path() + QStringLiteral("/abyss.psf");
        const QString deepest = dir.path() + QStringLiteral("/deepest.psf");
        QVERIFY(saveScanFile(chain(300000), abyss.toStdString()).ok);
        QVERIFY(saveScanFile(chain(kLargestScanTreeDepth - 1), deepest.toStdString()).ok);
        Harness h;
        h.prompts.openFiles = {abyss, deepest};
        h.window->openScanCommand();
        QVERIFY(h.prompts.texts().value(0).contains(QStringLiteral("deeper than 256 levels")));
        h.prompts.shown.clear();
        h.window->openScanCommand();
        QVERIFY(h.prompts.texts().isEmpty());
        QCOMPARE(h.window->model().tree.depthOf("n254"), kLargestScanTreeDepth - 1);
    }

    void saveScanRefusesTheProjectItsFilesAndFilesThatAreNotScans() {
        QTemporaryDir dir;
        QString notes = dir.path() + QStringLiteral("/notes.txt");
        QVERIFY(writeFile(notes, "my notes"));
        Harness h;
        QVERIFY(h.openShown());
        const std::string project = h.window->model().projectPath;
        const QByteArray before = fileBytes(QString::fromStdString(project));
        h.prompts.saveFiles = {QString::fromStdString(project), notes};
        h.prompts.answers = {true, true};
        QVERIFY(!h.window->saveScanCommand());
        QVERIFY(!h.window->saveScanCommand());
        // Refused before the overwrite question, so no question was asked.
        QCOMPARE(h.prompts.texts(),
                 (QStringList{QString::fromStdString(project) + QStringLiteral(" is the project file; choose another name"),
                              notes + QStringLiteral(" is not a project scan file; choose another name")}));
        QCOMPARE(fileBytes(QString::fromStdString(project)), before);
        QCOMPARE(fileBytes(notes), QByteArray("my notes"));
    }

    void aReadOnlyScanFileIsSavedOverOnlyWhenTheUserAgrees() {
        QTemporaryDir dir;
        QString target = dir.path() + QStringLiteral("/locked.psf");
        QVERIFY(writeFile(target, "Version 2.0\r\n"));
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        Harness h;
        QVERIFY(h.openShown());
        h.prompts.saveFiles = {target};
        h.prompts.answers = {true, false};
        QVERIFY(!h.window->saveScanCommand());
        QCOMPARE(h.prompts.texts().value(1),
                 target + QStringLiteral(" is read-only (mode 0444).\nSave over it anyway?"));
        QCOMPARE(QFileInfo(target).size(), 13);

        h.prompts.saveFiles = {target};
        h.prompts.answers = {true, true};
        QVERIFY(h.window->saveScanCommand());
        QVERIFY(QFileInfo(target).size() > 13);
        // The mode itself, not what this user may do (the superuser may write anything).
        QCOMPARE(int(std::filesystem::status(target.toStdString()).permissions() & std::filesystem::perms::all), 0444);
    }

    void aChangedScanFileIsOfferedForSavingUnderItsOwnName_data() {
        QTest::addColumn<bool>("check");
        QTest::addColumn<QString>("then");
        QTest::newRow("unchanged, closing") << false << "close";
        QTest::newRow("checked, closing") << true << "close";
        QTest::newRow("checked, opening a project") << true << "project";
        QTest::newRow("checked, opening another scan") << true << "scan";
    }

    void aChangedScanFileIsOfferedForSavingUnderItsOwnName() {
        QFETCH(bool, check);
        QFETCH(QString, then);
        SampleScan scan, other;
        QVERIFY(scan.ok && other.ok);
        Harness h;
        h.window->startUp(QString::fromStdString(scan.path));
        h.window->show();
        ReviewListModel* list = h.window->reviewPanel()->listModel();
        const ReviewRow row = list->list().rows[1];
        if (check) QVERIFY(list->setData(list->index(1, 0), Qt::Checked, Qt::CheckStateRole));
        h.prompts.answers = {true};
        h.prompts.openFiles = {QString::fromStdString(other.path)};
        if (then == "close")
            h.window->close();
        else if (then == "project")
            h.window->openProjectFile(samplePath());
        else
            h.window->openScanCommand();
        if (!check) {
            QVERIFY(h.prompts.shown.empty());
            return;
        }
        QCOMPARE(
            h.prompts.texts(),
            QStringList{QStringLiteral("The current scan file has changed. Would you like to save it now?")});
        QVERIFY(h.prompts.proposals.isEmpty());
        ProjectModel reread;
        QVERIFY(openScanFile(scan.path, reread).ok);
        QVERIFY(reread.subs[row.slot][row.index].checked);
    }

    void cancellingTheParseAsksFirst_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes cancels") << true;
        QTest::newRow("No lets it finish") << false;
    }

    void cancellingTheParseAsksFirst() {
        QFETCH(bool, yes);
        std::atomic<bool> answered{false};
        Harness h(parseAfter([&](ParseContext& context) {
            return yes ? context.cancelled() : answered.load();
        }));
        h.window->startUp();
        h.window->show();
        h.prompts.answers = {yes};
        h.prompts.onQuestion = [&](const QString&, bool) { answered = true; };
        QPointer<ParseDialog> seen;
        connect(h.window.get(), &MainWindow::parseStarted, this, [&] {
            seen = h.window->findChild<ParseDialog*>();
            QVERIFY(seen);
            QTimer::singleShot(20, seen, [&] { QTest::mouseClick(seen->cancelButton(), Qt::LeftButton); });
        });
        QSignalSpy finished(h.window.get(), &MainWindow::parseFinished);
        h.window->openProjectFile(samplePath());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished[0][0].toBool(), yes);
        QCOMPARE(h.prompts.texts(),
                 QStringList{QStringLiteral("Do you want to cancel parsing the project files?")});
        QCOMPARE(h.window->reviewPanel()->buttonsEnabled(), !yes);
        QCOMPARE(h.window->reviewPanel()->listModel()->hasList(), !yes);
        // Even a cancelled parse leaves a model that can be saved.
        QVERIFY(h.window->toolbarAction("savescan")->isEnabled());
        QVERIFY(!seen);  // the dialog is gone
    }

    void theShellCommandsHandOverOnlyAnExistingProjectFile() {
        Harness h;
        QVERIFY(h.openShown());
        // View Source opens the project file in the text editor; a shell failure is reported.
        h.shell.code = kShellNoAssociation;
        h.window->projectMenuAction("mnuProjViewSource")->trigger();
        QCOMPARE(h.shell.requests.size(), std::size_t{1});
        QCOMPARE(h.shell.requests[0].file, std::string("notepad.exe"));
        QCOMPARE(QString::fromStdString(h.shell.requests[0].parameters), samplePath());
        QCOMPARE(h.prompts.texts(), QStringList{QStringLiteral("No association for file extension.")});

        // Open in VB starts the project file itself.
        h.shell.code = kShellStarted;
        h.prompts.shown.clear();
        h.window->openInVbCommand();
        QCOMPARE(h.shell.requests.size(), std::size_t{2});
        QCOMPARE(QString::fromStdString(h.shell.requests[1].file), samplePath());
        QCOMPARE(h.shell.requests[1].parameters, std::string());
        QVERIFY(h.prompts.shown.empty());
        // A scan file written elsewhere may name anything as its project.
        for (const char* path :
             {"/bin/sh", "C:\\Projects\\App.vbp", TALLY_SOURCE_DIR "/examples/sample/modMain.bas"}) {
            h.window->model().projectPath = path;
            h.prompts.shown.clear();
            h.window->toolbarAction("vb")->trigger();
            QCOMPARE(h.prompts.texts(), QStringList{QStringLiteral("File not found.")});
            QCOMPARE(h.prompts.shown[0].icon, MessageIcon::Exclamation);
        }
        QCOMPARE(h.shell.requests.size(), std::size_t{2});
    }
};

QTEST_MAIN(ProjectCommandsTest)
#include "ProjectCommandsTest.moc"
