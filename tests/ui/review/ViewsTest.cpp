// What the main window's views show and do: the project tree, the Routines tab and its panels, the
// review lists with sorting and check marks, and the spell list. The keyboard is walked in
// CodeViewEditingTest, with the code view in place. Where double clicks
// land in the code view is checked with the real code view in CodeViewSavingTest.

#include <QHeaderView>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

#include "UiTestSupport.h"
#include "ui/project/ProjectTreePanel.h"
#include "ui/review/ReviewListModel.h"
#include "ui/review/ReviewPanel.h"
#include "ui/review/RoutinesPanel.h"
#include "ui/review/SpellPanel.h"

using namespace tally;
using namespace tally::test;

class ViewsTest : public QObject {
    Q_OBJECT

private slots:
    void selectingAFileAndARoutineFillsTheListAndThePanels() {
        Harness h;
        QVERIFY(h.openShown());
        MainWindow& w = *h.window;
        std::string path = fileKey(w, "modFormat.bas");
        QVERIFY(w.projectTree()->selectKey(path));

        QCOMPARE(w.statusPath(), QString::fromStdString(path));
        QCOMPARE(w.routinesPanel()->hintText(), QStringLiteral("modFormat.bas"));
        auto* subs = w.findChild<QTreeWidget*>(QStringLiteral("lvwSubs"));
        QCOMPARE(rowTexts(subs),
                 (QStringList{"(Declarations)", "CleanText", "FormatHours", "FormatMoney", "NumberWords",
                              "ParseHours", "Percent", "ResetFormats", "RoundTotal#", "SpellAmount"}));
        // The declarations entry is selected: the file's properties, nothing else.
        QStringList rows = rowTexts(w.findChild<PanelRowsView*>(QStringLiteral("lvwSubInfo")));
        QCOMPARE(rows.value(1), QStringLiteral("Path: ") + QString::fromStdString(path));
        QVERIFY(w.findChild<PanelRowsView*>(QStringLiteral("lvwCalledBy"))->rows().empty());

        // A node that is no file changes nothing.
        QVERIFY(w.projectTree()->selectKey("forms"));
        QCOMPARE(w.statusPath(), QString::fromStdString(path));
        QCOMPARE(subs->topLevelItemCount(), 10);

        // A routine entry fills the panels with its problems, properties, callers and parameters.
        w.routinesPanel()->chooseEntry(6);  // Percent
        QCOMPARE(rowTexts(w.findChild<PanelRowsView*>(QStringLiteral("lvwSubInfo"))),
                 (QStringList{"*Problems", "Variables with no type declaration.", "*Routine Properties",
                              "Type: Public Function ", "Return: Double", "Lines of Code: 5",
                              "Times Called: 1"}));
        QCOMPARE(rowTexts(w.findChild<PanelRowsView*>(QStringLiteral("lvwCalledBy"))),
                 (QStringList{"*Called By|File|Line", "LoadEntriesFor|frmMain.frm|21", "*It Calls|File",
                              "RoundTotal|modFormat.bas"}));
        QCOMPARE(rowTexts(w.findChild<PanelRowsView*>(QStringLiteral("lvwParams"))),
                 (QStringList{"ByVal Part", "Whole|Double"}));
    }

    void reviewListsSortByTheHiddenKeyAndCheckMarksChangeTheScan() {
        Harness h;
        QVERIFY(h.openShown());
        MainWindow& w = *h.window;
        ReviewPanel* review = w.reviewPanel();
        ReviewListModel* list = review->listModel();
        w.showReviewList(ReviewListId::AllRoutines);
        QCOMPARE(w.tabs()->currentWidget(), review);
        QCOMPARE(list->rowCount(), 96);
        // This list has no check boxes.
        QVERIFY(!list->index(0, 0).data(Qt::CheckStateRole).isValid());
        QVERIFY(!list->setData(list->index(0, 0), Qt::Checked, Qt::CheckStateRole));

        // A click on "Line Count" sorts by number (9 before 10), not by text.
        QHeaderView* header = review->listView()->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 10, header->height() / 2));
        QStringList counts = columnTexts(list, 1);
        QVERIFY(counts.indexOf(QStringLiteral("9")) < counts.indexOf(QStringLiteral("10")));
        QVERIFY(counts.indexOf(QStringLiteral("10")) < counts.indexOf(QStringLiteral("12")));

        w.showReviewList(ReviewListId::NoType);
        QVERIFY(!w.model().scanChanged);
        QVERIFY(list->setData(list->index(2, 0), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(w.model().scanChanged);
        QVERIFY(w.model().decVar[list->list().rows[2].index].checked);
        QCOMPARE(list->index(2, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    }

    void aSpellRowOutsideARoutineSaysSo() {
        Harness h;
        QVERIFY(h.openShown());
        MainWindow& w = *h.window;
        w.tabs()->setCurrentWidget(w.spellPanel());
        QTreeView* view = w.spellPanel()->listView();
        doubleClick(view, view->model()->index(0, 3));  // the form's caption
        QCOMPARE(h.prompts.texts(), QStringList{QStringLiteral("This is not a routine.")});
        QCOMPARE(h.prompts.shown[0].icon, MessageIcon::Information);
        QCOMPARE(w.tabs()->currentWidget(), w.spellPanel());
    }

    void narrowPanelsKeepTheLineColumnTheToolbarOverflowsAndTheTreeScrolls() {
        Harness h;
        QVERIFY(h.openShown());
        MainWindow& w = *h.window;
        QVERIFY(w.projectTree()->selectKey(fileKey(w, "modFormat.bas")));
        w.tabs()->setCurrentIndex(0);
        w.routinesPanel()->chooseEntry(6);  // Percent: called from frmMain.frm
        w.resize(520, 600);
        auto* split = w.findChild<QSplitter*>(QStringLiteral("picSplit"));
        split->setSizes({90, 430});
        QCoreApplication::processEvents();
        QVERIFY2(w.width() <= 560, qPrintable(QString::number(w.width())));

        auto* deps = w.findChild<PanelRowsView*>(QStringLiteral("lvwCalledBy"));
        QVERIFY(deps->topLevelItemCount() > 1);
        QHeaderView* header = deps->header();
        QString line = deps->topLevelItem(1)->text(2);
        QVERIFY(!line.isEmpty());
        QVERIFY(header->sectionViewportPosition(2) + header->sectionSize(2) <= deps->viewport()->width());
        QVERIFY(header->sectionSize(2) >= deps->fontMetrics().horizontalAdvance(line));
        QVERIFY(header->sectionSize(1) >= deps->fontMetrics().horizontalAdvance(deps->topLevelItem(1)->text(1)));

        auto* toolbar = w.findChild<QToolBar*>(QStringLiteral("tbrMain"));
        auto* more = toolbar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY(more && more->isVisible());

        QTreeView* tree = w.projectTree();
        QVERIFY(tree->horizontalScrollBar()->maximum() > 0);
    }

    void theTreesExpandedNodesTravelInTheScanFile() {
        QTemporaryDir dir;
        QString scan = dir.filePath(QStringLiteral("sample.psf"));
        bool forms = false, modules = false;
        {
            Harness h;
            QVERIFY(h.openShown());
            ProjectTreePanel* tree = h.window->projectTree();
            forms = !tree->isKeyExpanded("forms");
            modules = !tree->isKeyExpanded("modules");
            tree->setKeyExpanded("forms", forms);
            tree->setKeyExpanded("modules", modules);
            QCOMPARE(tree->isKeyExpanded("forms"), forms);
            h.prompts.saveFiles = {scan};
            QVERIFY(h.window->saveScanCommand());
        }
        Harness h;
        h.window->startUp(scan);
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        QVERIFY(h.prompts.texts().isEmpty());
        QCOMPARE(h.window->projectTree()->isKeyExpanded("forms"), forms);
        QCOMPARE(h.window->projectTree()->isKeyExpanded("modules"), modules);
    }
};

QTEST_MAIN(ViewsTest)
#include "ViewsTest.moc"
