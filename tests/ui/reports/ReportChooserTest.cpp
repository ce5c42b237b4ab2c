// "&Show Reports" in the main window and the "Project Reports" chooser: each report chosen and
// shown in the Report View window, the spelling report and an empty code report saying there is
// nothing to report, Cancel, and the message without a project.

#include <QAction>
#include <QPushButton>
#include <QRadioButton>

#include "ReportTestSupport.h"
#include "ui/reports/ProjectReports.h"
#include "ui/reports/ReportChooser.h"

using namespace tally;
using namespace tally::test;

namespace {

const QString kNothing = QStringLiteral("No changes were made. Nothing to report.");

// The main window with the sample (or another) project open and scripted report dialogs.
struct ReportsHarness {
    explicit ReportsHarness(const QString& project = samplePath()) {
        ok = h.openShown(project);
        h.window->reports()->setDialogs(dialogs);
        h.window->reports()->setClock([] { return 37687.0 + 16.0 / 24 + 5.0 / 1440; });
    }
    // "&Show Reports", as the menu runs it; the chooser it opened, or null.
    ReportChooser* showReports() {
        QAction* item = h.window->projectMenuAction("mnuCodeR");
        if (!item) return nullptr;
        item->trigger();
        return h.window->reports()->chooser();
    }
    // Chooses a report in the chooser with the mouse and clicks Show.
    void choose(ReportChooser* chooser, ReportChoice choice) {
        QTest::mouseClick(chooser->option(choice), Qt::LeftButton, {}, QPoint(6, chooser->option(choice)->height() / 2));
        QTest::mouseClick(chooser->showButton(), Qt::LeftButton);
    }

    Harness h;
    ScriptedReportDialogs dialogs;
    bool ok = false;
};

}  // namespace

class ReportChooserTest : public QObject {
    Q_OBJECT

private slots:
    void withoutAProjectTheMenuItemSaysToOpenOneFirst() {
        Harness h;
        h.window->startUp();
        QVERIFY(!h.window->toolbarAction("report")->isEnabled());
        QAction* item = h.window->projectMenuAction("mnuCodeR");
        QVERIFY(item);
        item->trigger();
        QCOMPARE(h.prompts.texts(), QStringList{QStringLiteral("Open a project first.")});
        QCOMPARE(h.prompts.shown[0].icon, MessageIcon::Information);
        QCOMPARE(h.prompts.shown[0].title, QStringLiteral("Tallyscan 6"));
        QVERIFY(!h.window->reports()->chooser());
    }

    void theChooserIsModalWithSpellingChosenFirst() {
        ReportsHarness r;
        QVERIFY(r.ok);
        ReportChooser* chooser = r.showReports();
        QVERIFY(chooser);
        QVERIFY(chooser->isVisible());
        QVERIFY(chooser->isModal());
        QCOMPARE(chooser->selected(), ReportChoice::Spelling);
        QTest::mouseClick(chooser->option(ReportChoice::Statistics), Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(chooser->selected(), ReportChoice::Statistics);
        QVERIFY(!chooser->option(ReportChoice::Spelling)->isChecked());
    }

    void showWithTheDefaultChoiceSaysThereIsNoSpellingToReport() {
        ReportsHarness r;
        QVERIFY(r.ok);
        ReportChooser* chooser = r.showReports();
        QVERIFY(chooser);
        QTest::mouseClick(chooser->showButton(), Qt::LeftButton);
        QCOMPARE(r.h.prompts.texts(), QStringList{kNothing});
        QCOMPARE(r.h.prompts.shown[0].icon, MessageIcon::Information);
        QVERIFY(!r.h.window->reports()->viewer());
        QTRY_VERIFY(!r.h.window->reports()->chooser());
    }

    void theCodeAndThenTheStatisticsReportAreShownInOneReportView() {
        ReportsHarness r;
        QVERIFY(r.ok);
        ReportChooser* chooser = r.showReports();
        QVERIFY(chooser);
        r.choose(chooser, ReportChoice::Code);
        QVERIFY2(r.h.prompts.shown.empty(), qPrintable(r.h.prompts.texts().join(QLatin1Char('\n'))));
        ReportViewer* viewer = r.h.window->reports()->viewer();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QString text = viewer->body()->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("Project Code Report\nFriday, March 7, 2003 4:05 PM\n")));
        QVERIFY(text.contains(QStringLiteral("ArchiveOldEntries")));
        QTRY_VERIFY(!r.h.window->reports()->chooser());
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);

        chooser = r.showReports();
        QVERIFY(chooser);
        r.choose(chooser, ReportChoice::Statistics);
        QCOMPARE(r.h.window->reports()->viewer(), viewer);
        text = viewer->body()->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("Project Statistics Report\n")));
        QVERIFY(text.contains(QStringLiteral("Source Code Files and Folders")));
        // what the viewer saves as a web page is titled after the report it shows
        QTemporaryDir folder;
        QString page = folder.filePath(QStringLiteral("stats.html"));
        QVERIFY(viewer->saveFile(page));
        QVERIFY(fileBytes(page).contains("<title>Project Statistics Report</title>"));
    }

    void theToolbarButtonOpensTheChooserAndCancelShowsNothing() {
        ReportsHarness r;
        QVERIFY(r.ok);
        QAction* button = r.h.window->toolbarAction("report");
        QVERIFY(button->isEnabled());
        button->trigger();
        ReportChooser* chooser = r.h.window->reports()->chooser();
        QVERIFY(chooser);
        QVERIFY(chooser->isVisible());
        QTest::mouseClick(chooser->option(ReportChoice::Code), Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseClick(chooser->cancelButton(), Qt::LeftButton);
        QTRY_VERIFY(!r.h.window->reports()->chooser());
        QVERIFY(r.h.prompts.shown.empty());
        QVERIFY(!r.h.window->reports()->viewer());
    }

    void aProjectWithNothingToReportShowsTheMessageAndNoViewer() {
        QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath(QStringLiteral("Quiet.vbp")), "Type=Exe\r\nModule=Module1; Module1.bas\r\n"));
        QVERIFY(writeFile(folder.filePath(QStringLiteral("Module1.bas")),
                          "Attribute VB_Name = \"Module1\"\r\nOption Explicit\r\n"));
        ReportsHarness r(folder.filePath(QStringLiteral("Quiet.vbp")));
        QVERIFY(r.ok);
        r.h.prompts.shown.clear();
        ReportChooser* chooser = r.showReports();
        QVERIFY(chooser);
        r.choose(chooser, ReportChoice::Code);
        QCOMPARE(r.h.prompts.texts(), QStringList{kNothing});
        QVERIFY(!r.h.window->reports()->viewer());

        // No caption and no literal: the Spell Check list is empty, which is a warning.
        QTRY_VERIFY(!r.h.window->reports()->chooser());
        QVERIFY(r.h.window->model().spell.empty());
        r.h.prompts.shown.clear();
        chooser = r.showReports();
        QVERIFY(chooser);
        r.choose(chooser, ReportChoice::Spelling);
        QCOMPARE(r.h.prompts.texts(), QStringList{QStringLiteral("Nothing to report.")});
        QCOMPARE(r.h.prompts.shown[0].icon, MessageIcon::Exclamation);
        QCOMPARE(r.h.prompts.shown[0].title, QStringLiteral("Tallyscan 6"));
        QVERIFY(!r.h.window->reports()->viewer());
    }
};

QTEST_MAIN(ReportChooserTest)
#include "ReportChooserTest.moc"
