// The main window's start-up, project and scan commands, save prompts, parse dialog and shell
// commands, driven through the real window with scripted dialogs.

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <thread>

#include "UiTestSupport.h"
#include "core/scanfile/ScanFileReader.h"
#include "ui/CodeViewPlaceholder.h"
#include "ui/ParseDialog.h"
#include "ui/ProjectTreePanel.h"
#include "ui/ReviewListModel.h"
#include "ui/ReviewPanel.h"
#include "ui/RoutinesPanel.h"

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

bool reviewEnabled(MainWindow& window) {
    return window.reviewPanel()->buttonsEnabled();
}

}  // namespace

class ProjectCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void startsEmptyWithTheProjectCommandsDisabled() {
        Harness h;
        h.window->startUp();
        QCOMPARE(h.window->windowTitle(), QStringLiteral("Tallyscan 6"));
        QCOMPARE(h.window->routinesPanel()->hintText(), QStringLiteral("Open a project to begin."));
        QVERIFY(!h.window->toolbarAction("savescan")->isEnabled());
        QVERIFY(!h.window->toolbarAction("vb")->isEnabled());
        QVERIFY(h.window->toolbarAction("open")->isEnabled());
        QVERIFY(!h.window->projectMenuAction("mnuProjSaveScan")->isEnabled());
        QVERIFY(!h.window->projectMenuAction("mnuProjViewSource")->isEnabled());
        QVERIFY(!h.window->projectMenuAction("mnuProjOpenInVb")->isEnabled());
        QVERIFY(!reviewEnabled(*h.window));
        // The empty skeleton with its counters.
        QVERIFY(h.window->model().tree.contains("project"));
        QVERIFY(h.window->model().tree.contains("properties"));
    }

    void savingWithoutAProjectShowsTheNoticeAndWritesNothing() {
        Harness h;
        h.window->startUp();
        QVERIFY(!h.window->saveScanCommand());
        QCOMPARE(h.prompts.texts(), QStringList{QStringLiteral("You need to open a project first.")});
        QCOMPARE(h.prompts.shown[0].icon, MessageIcon::Information);
        QCOMPARE(h.prompts.shown[0].title, QStringLiteral("Tallyscan 6"));
        QVERIFY(h.prompts.proposals.isEmpty());
    }

    void opensTheSampleProjectThroughTheParseDialog() {
        Harness h;
        h.window->startUp();
        QSignalSpy started(h.window.get(), &MainWindow::parseStarted);
        QSignalSpy finished(h.window.get(), &MainWindow::parseFinished);
        h.prompts.openFiles = {samplePath()};
        h.window->openProjectCommand();
        QCOMPARE(h.prompts.filters.value(0), QStringLiteral("Project Files|*.vbp|All Files|*.*"));
        QCOMPARE(started.count(), 1);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished[0][0].toBool(), false);

        QCOMPARE(h.window->windowTitle(), QStringLiteral("Hourglass - Tallyscan 6"));
        QVERIFY(h.window->model().scanFilePath.empty());
        QVERIFY(!h.window->model().scanChanged);
        QVERIFY(h.window->toolbarAction("savescan")->isEnabled());
        QVERIFY(h.window->toolbarAction("vb")->isEnabled());
        QCOMPARE(h.window->routinesPanel()->hintText(),
                 QStringLiteral("Select a file from the list to view it's properties and routines."));
        // The first review list is shown and its button pressed; the tab stays where it was.
        ReviewPanel* review = h.window->reviewPanel();
        QVERIFY(reviewEnabled(*h.window));
        QVERIFY(review->buttonAction(ReviewListId::NeverCalled)->isChecked());
        QVERIFY(!review->buttonAction(ReviewListId::NoCode)->isChecked());
        QCOMPARE(review->listModel()->rowCount(), 15);
        QCOMPARE(review->listModel()->index(0, 0).data().toString(), QStringLiteral("GetTickCount"));
        QCOMPARE(h.window->tabs()->currentIndex(), 0);
        // Pass 2 added its statistics to the tree, which shows them.
        QVERIFY(h.window->model().tree.size() > 40);
        QCOMPARE(h.window->projectTree()->rootText(), QStringLiteral("Hourglass Timesheets 2.4.17"));

        h.window->updateProjectMenu();
        QVERIFY(h.window->projectMenuAction("mnuProjSaveScan")->isEnabled());
        QVERIFY(h.window->projectMenuAction("mnuProjOpenInVb")->isEnabled());
    }

    void startsWithAScanFileArgumentWithoutParsing() {
        QTemporaryDir dir;
        std::string scan = (dir.path() + QStringLiteral("/Hourglass.psf")).toStdString();
        QVERIFY(writeSampleScan(scan));
        Harness h;
        QSignalSpy started(h.window.get(), &MainWindow::parseStarted);
        h.window->startUp(QString::fromStdString(scan));
        QCOMPARE(started.count(), 0);
        QCOMPARE(h.window->model().scanFilePath, scan);
        QCOMPARE(h.window->windowTitle(), QStringLiteral("Hourglass - Tallyscan 6"));
        QVERIFY(h.window->toolbarAction("savescan")->isEnabled());
        QCOMPARE(h.window->routinesPanel()->hintText(),
                 QStringLiteral("Select a file from the list to view it's properties and routines."));
        QCOMPARE(h.window->reviewPanel()->listModel()->rowCount(), 15);
        QVERIFY(h.prompts.shown.empty());
    }

    void aBrokenScanFileShowsTheMessageAndLeavesTheSkeleton() {
        QTemporaryDir dir;
        QString broken = dir.path() + QStringLiteral("/broken.psf");
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Not a scan file\r\n");
        file.close();
        Harness h;
        h.window->startUp(broken);
        QCOMPARE(h.prompts.shown.size(), std::size_t{1});
        QVERIFY(h.prompts.shown[0].text.startsWith(QStringLiteral(
            "There was a problem reading the Project Scan File. The following error occured.")));
        QCOMPARE(h.prompts.shown[0].icon, MessageIcon::Exclamation);
        QCOMPARE(h.window->model().fileCount(), 0);
        QVERIFY(h.window->model().tree.contains("properties"));
        QVERIFY(!h.window->toolbarAction("savescan")->isEnabled());
        QVERIFY(!reviewEnabled(*h.window));
    }

    void aMissingProjectFileSaysWhyAndLeavesTheSkeleton() {
        Harness h;
        h.window->startUp();
        QSignalSpy started(h.window.get(), &MainWindow::parseStarted);
        h.window->openProjectFile(QStringLiteral("/no/such/folder/Gone.vbp"));
        QCOMPARE(started.count(), 0);
        QCOMPARE(h.prompts.shown.size(), std::size_t{1});
        QCOMPARE(h.prompts.shown[0].icon, MessageIcon::Exclamation);
        QVERIFY(!h.prompts.shown[0].text.isEmpty());
        QCOMPARE(h.window->model().fileCount(), 0);
        QVERIFY(h.window->model().tree.contains("properties"));
        QVERIFY(!h.window->toolbarAction("savescan")->isEnabled());
        QVERIFY(!reviewEnabled(*h.window));
    }

    void openingAProjectOffersToKeepUnsavedCheckMarks() {
        QTemporaryDir dir;
        std::string scan = (dir.path() + QStringLiteral("/Hourglass.psf")).toStdString();
        QVERIFY(writeSampleScan(scan));
        Harness h;
        h.window->startUp(QString::fromStdString(scan));
        h.window->openProjectFile(samplePath());
        QVERIFY(h.prompts.shown.empty());  // nothing was changed: nothing to lose
        h.window->openScanFile(QString::fromStdString(scan));
        h.prompts.shown.clear();
        ReviewListModel* list = h.window->reviewPanel()->listModel();
        QVERIFY(list->setData(list->index(0, 0), Qt::Checked, Qt::CheckStateRole));
        h.window->openProjectFile(samplePath());
        QCOMPARE(
            h.prompts.texts(),
            QStringList{QStringLiteral("The current scan file has changed. Would you like to save it now?")});
    }

    void closingOffersToSaveANewScanAndSavesIt() {
        QTemporaryDir dir;
        Harness h;
        h.window->startUp();
        h.window->show();
        h.window->openProjectFile(samplePath());
        QString target = dir.path() + QStringLiteral("/saved.psf");
        h.prompts.answers = {true};
        h.prompts.saveFiles = {target};
        h.window->close();
        QCOMPARE(h.prompts.texts(), QStringList{QStringLiteral("Would you like to save this project scan?")});
        QCOMPARE(h.prompts.shown[0].title, QStringLiteral("Tallyscan 6"));
        // The proposal is the project's name with .psf, in the project's folder.
        QCOMPARE(h.prompts.proposals.value(0),
                 QStringLiteral(TALLY_SOURCE_DIR "/examples/sample/Hourglass.psf"));
        QCOMPARE(h.prompts.filters.value(0), QStringLiteral("Project Scan Files|*.psf|All Files|*.*"));
        ProjectModel reread;
        QVERIFY(openScanFile(target.toStdString(), reread).ok);
        QCOMPARE(reread.fileCount(), h.window->model().fileCount());
        QCOMPARE(h.window->model().scanFilePath, target.toStdString());
    }

    void closingAsksToSaveAChangedScanFileWithoutAskingForAName() {
        QTemporaryDir dir;
        std::string scan = (dir.path() + QStringLiteral("/Hourglass.psf")).toStdString();
        QVERIFY(writeSampleScan(scan));
        Harness h;
        h.window->startUp(QString::fromStdString(scan));
        h.window->show();
        ReviewListModel* list = h.window->reviewPanel()->listModel();
        QVERIFY(list->setData(list->index(1, 0), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(h.window->model().scanChanged);
        h.prompts.answers = {true};
        h.window->close();
        QCOMPARE(
            h.prompts.texts(),
            QStringList{QStringLiteral("The current scan file has changed. Would you like to save it now?")});
        QVERIFY(h.prompts.proposals.isEmpty());
        ProjectModel reread;
        QVERIFY(openScanFile(scan, reread).ok);
        const ReviewRow& row = h.window->reviewPanel()->listModel()->list().rows[1];
        QVERIFY(reread.subs[row.slot][row.index].checked);
    }

    void anUnchangedScanFileClosesWithoutAQuestion() {
        QTemporaryDir dir;
        std::string scan = (dir.path() + QStringLiteral("/Hourglass.psf")).toStdString();
        QVERIFY(writeSampleScan(scan));
        Harness h;
        h.window->startUp(QString::fromStdString(scan));
        h.window->show();
        h.window->close();
        QVERIFY(h.prompts.shown.empty());
    }

    void overwritingAnExistingScanNeedsAYes() {
        QTemporaryDir dir;
        QString target = dir.path() + QStringLiteral("/existing.psf");
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep me");
        file.close();
        Harness h;
        h.window->startUp();
        h.window->openProjectFile(samplePath());
        h.prompts.saveFiles = {target, target};
        h.prompts.answers = {false, true};
        QVERIFY(!h.window->saveScanCommand());
        QCOMPARE(h.prompts.texts().value(0),
                 QStringLiteral("This file already exists. Do you want to overwrite it?"));
        QFile kept(target);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("keep me"));
        kept.close();
        QVERIFY(h.window->saveScanCommand());
        QVERIFY(QFileInfo(target).size() > 1000);
        QCOMPARE(h.window->model().scanFilePath, target.toStdString());
    }

    void openingAnotherScanOffersToSaveTheCurrentOneFirst() {
        QTemporaryDir dir;
        std::string scan = (dir.path() + QStringLiteral("/a.psf")).toStdString();
        QVERIFY(writeSampleScan(scan));
        Harness h;
        h.window->startUp();
        h.window->openProjectFile(samplePath());
        // The same file again is no other scan: then nothing is asked.
        h.prompts.openFiles = {QString::fromStdString(scan)};
        h.window->openScanCommand();
        QCOMPARE(h.prompts.texts(), QStringList{QStringLiteral("Would you like to save this project scan?")});
        QCOMPARE(h.prompts.filters.value(0), QStringLiteral("Project Scan Files|*.psf|All Files|*.*"));
        QCOMPARE(h.window->model().scanFilePath, scan);
        h.prompts.shown.clear();
        h.window->openScanFile(QString::fromStdString(scan));
        QVERIFY(h.prompts.shown.empty());
    }

    void cancellingTheParseKeepsTheReviewToolbarDisabled() {
        Harness h(parseAfter([](ParseContext& context) { return context.cancelled(); }));
        h.window->startUp();
        h.window->show();
        h.prompts.answers = {true};
        QPointer<ParseDialog> seen;
        connect(h.window.get(), &MainWindow::parseStarted, this, [&] {
            seen = h.window->findChild<ParseDialog*>();
            QVERIFY(seen);
            QCOMPARE(seen->windowTitle(), QStringLiteral("Parse Project Files"));
            QCOMPARE(seen->cancelButton()->text(), QStringLiteral("Cancel"));
            QTimer::singleShot(20, seen, [&] { QTest::mouseClick(seen->cancelButton(), Qt::LeftButton); });
        });
        QSignalSpy finished(h.window.get(), &MainWindow::parseFinished);
        h.window->openProjectFile(samplePath());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished[0][0].toBool(), true);
        QCOMPARE(h.prompts.texts(),
                 QStringList{QStringLiteral("Do you want to cancel parsing the project files?")});
        QCOMPARE(h.prompts.shown[0].title, QCoreApplication::applicationDirPath());
        QVERIFY(!reviewEnabled(*h.window));
        QVERIFY(!h.window->reviewPanel()->listModel()->hasList());
        // The partial model is still shown and can be saved.
        QVERIFY(h.window->toolbarAction("savescan")->isEnabled());
        QVERIFY(!seen);  // the dialog is gone
    }

    void answeringNoToTheCancelQuestionLetsTheParseFinish() {
        std::atomic<bool> answered{false};
        Harness h(parseAfter([&](ParseContext&) { return answered.load(); }));
        h.window->startUp();
        h.window->show();
        h.prompts.answers = {false};
        h.prompts.onQuestion = [&](const QString&, bool) { answered = true; };
        connect(h.window.get(), &MainWindow::parseStarted, this, [&] {
            ParseDialog* dialog = h.window->findChild<ParseDialog*>();
            QTimer::singleShot(20, dialog,
                               [dialog] { QTest::keyClick(dialog, Qt::Key_Escape); });  // asks like Cancel
        });
        QSignalSpy finished(h.window.get(), &MainWindow::parseFinished);
        h.window->openProjectFile(samplePath());
        QCOMPARE(finished[0][0].toBool(), false);
        QVERIFY(answered);
        QVERIFY(reviewEnabled(*h.window));
        QCOMPARE(h.window->reviewPanel()->listModel()->rowCount(), 15);
    }

    void openInVbHandsOverOnlyAnExistingProjectFile() {
        Harness h;
        h.window->startUp();
        h.window->openProjectFile(samplePath());
        h.window->openInVbCommand();
        QCOMPARE(h.shell.requests.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(h.shell.requests[0].file), samplePath());
        QCOMPARE(h.shell.requests[0].parameters, std::string());
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
        QCOMPARE(h.shell.requests.size(), std::size_t{1});
    }

    void viewSourceUsesTheTextEditorAndReportsShellFailures() {
        Harness h;
        h.window->startUp();
        h.window->openProjectFile(samplePath());
        h.shell.code = kShellNoAssociation;
        h.window->projectMenuAction("mnuProjViewSource")->trigger();
        QCOMPARE(h.shell.requests.size(), std::size_t{1});
        QCOMPARE(h.shell.requests[0].file, std::string("notepad.exe"));
        QCOMPARE(QString::fromStdString(h.shell.requests[0].parameters), samplePath());
        QCOMPARE(h.prompts.texts(), QStringList{QStringLiteral("No association for file extension.")});
        QCOMPARE(h.prompts.shown[0].title, QStringLiteral("Tallyscan 6"));
    }
};

QTEST_MAIN(ProjectCommandsTest)
#include "ProjectCommandsTest.moc"
