// What the main window's views show and do: the project tree, the Routines tab and its panels, the
// review lists with sorting and check marks, the spell list, double clicks into the code view, and
// the keyboard.

#include <QHeaderView>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

#include "UiTestSupport.h"
#include "ui/CodeViewPlaceholder.h"
#include "ui/ProjectTreePanel.h"
#include "ui/ReviewListModel.h"
#include "ui/ReviewPanel.h"
#include "ui/RoutinesPanel.h"
#include "ui/SpellPanel.h"

using namespace tally;
using namespace tally::test;

namespace {

// A shown window with the sample project opened and parsed.
std::unique_ptr<Harness> openedSample() {
    auto h = std::make_unique<Harness>();
    h->window->startUp();
    h->window->resize(1180, 760);
    h->window->show();
    if (!QTest::qWaitForWindowExposed(h->window.get())) return nullptr;
    h->window->openProjectFile(samplePath());
    return h;
}

CodeViewPlaceholder* codeView(MainWindow& window) {
    return dynamic_cast<CodeViewPlaceholder*>(window.codeView());
}

// Puts a stand-in that records what it is asked to show in place of the code view, for the tests
// of where the window's views send the code view.
void recordCodeView(MainWindow& window) {
    window.setCodeView(new CodeViewPlaceholder);
}

void doubleClick(QAbstractItemView* view, const QModelIndex& index) {
    QCoreApplication::processEvents();
    view->scrollTo(index);
    QPoint centre = view->visualRect(index).center();
    // A real double click: a click, then the second press that the system reports as a double click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
}

void doubleClickRow(QTreeWidget* view, int row) {
    doubleClick(view, view->model()->index(row, 0));
}

}  // namespace

class ViewsTest : public QObject {
    Q_OBJECT

private slots:
    void selectingAFileFillsTheRoutineListPanelsStatusAndCodeView() {
        auto h = openedSample();
        MainWindow& w = *h->window;
        recordCodeView(w);
        std::string path = fileKey(w, "modFormat.bas");
        QVERIFY(w.projectTree()->selectKey(path));

        QCOMPARE(w.statusPath(), QString::fromStdString(path));
        auto* subs = w.findChild<QTreeWidget*>(QStringLiteral("lvwSubs"));
        QCOMPARE(rowTexts(subs),
                 (QStringList{"(Declarations)", "CleanText", "FormatHours", "FormatMoney", "NumberWords",
                              "ParseHours", "Percent", "ResetFormats", "RoundTotal#", "SpellAmount"}));
        QCOMPARE(subs->currentItem(), subs->topLevelItem(0));
        // The declarations entry is selected: the file's properties, nothing else.
        auto* info = w.findChild<PanelRowsView*>(QStringLiteral("lvwSubInfo"));
        QStringList rows = rowTexts(info);
        QCOMPARE(rows.value(0), QStringLiteral("*File Properties"));
        QCOMPARE(rows.value(1), QStringLiteral("Path: ") + QString::fromStdString(path));
        QCOMPARE(rows.value(4), QStringLiteral("Scanned Size: 3KB"));
        QVERIFY(w.findChild<PanelRowsView*>(QStringLiteral("lvwCalledBy"))->rows().empty());
        // The code view was handed the file and its combo items.
        CodeViewPlaceholder* code = codeView(w);
        QCOMPARE(code->filePath(), path);
        QCOMPARE(code->items().size(), std::size_t{10});
        QCOMPARE(code->items()[0].text, std::string("(Declarations)"));
        QCOMPARE(code->headerText(), QStringLiteral("modFormat.bas"));
        QCOMPARE(w.routinesPanel()->hintText(), QStringLiteral("modFormat.bas"));

        // A node that is no file changes nothing.
        QVERIFY(w.projectTree()->selectKey("forms"));
        QCOMPARE(w.statusPath(), QString::fromStdString(path));
        QCOMPARE(subs->topLevelItemCount(), 10);
        QCOMPARE(code->filePath(), path);
    }

    void routineEntriesShowProblemsPropertiesCallersAndParameters() {
        auto h = openedSample();
        MainWindow& w = *h->window;
        recordCodeView(w);
        QVERIFY(w.projectTree()->selectKey(fileKey(w, "modFormat.bas")));
        auto* info = w.findChild<PanelRowsView*>(QStringLiteral("lvwSubInfo"));
        auto* deps = w.findChild<PanelRowsView*>(QStringLiteral("lvwCalledBy"));
        auto* params = w.findChild<PanelRowsView*>(QStringLiteral("lvwParams"));

        w.routinesPanel()->chooseEntry(6);  // Percent
        QCOMPARE(rowTexts(info), (QStringList{"*Problems", "Variables with no type declaration.",
                                              "*Routine Properties", "Type: Public Function ",
                                              "Return: Double", "Lines of Code: 5", "Times Called: 1"}));
        QCOMPARE(rowTexts(deps), (QStringList{"*Called By|File|Line", "LoadEntriesFor|frmMain.frm|21",
                                              "*It Calls|File", "RoundTotal|modFormat.bas"}));
        QCOMPARE(rowTexts(params), (QStringList{"ByVal Part", "Whole|Double"}));

        w.routinesPanel()->chooseEntry(5);  // ParseHours: two problems in flag order, no "None"
        QCOMPARE(rowTexts(info).mid(0, 3), (QStringList{"*Problems", "Variables with no type declaration.",
                                                        "Function with no return type."}));

        // Double clicks go to the code view through its seam.
        doubleClickRow(deps, 1);
        QCOMPARE(w.tabs()->currentWidget(), w.codeView()->widget());
        const CodeTarget& caller = codeView(w)->lastTarget();
        QCOMPARE(caller.routineText, std::string("cmdNew_Click"));
        QCOMPARE(caller.searchText, std::string("ParseHours"));
        QVERIFY(caller.filePath.ends_with("/frmMain.frm"));
        w.tabs()->setCurrentIndex(0);
        doubleClickRow(w.findChild<QTreeWidget*>(QStringLiteral("lvwSubs")), 8);
        QCOMPARE(codeView(w)->lastTarget().routineText, std::string("RoundTotal"));
    }

    void theDllCallsOptionListsOnlyDeclarations() {
        auto h = openedSample();
        MainWindow& w = *h->window;
        QVERIFY(w.projectTree()->selectKey(fileKey(w, "modMain.bas")));
        w.findChild<QRadioButton*>(QStringLiteral("optSubTypeDll"))->click();
        QStringList dlls = rowTexts(w.findChild<QTreeWidget*>(QStringLiteral("lvwSubs")));
        QCOMPARE(dlls, (QStringList{"GetPrivateProfileString", "GetTickCount", "MessageBeep", "ShellExecute",
                                    "Sleep", "WritePrivateProfileString"}));
        auto* info = w.findChild<PanelRowsView*>(QStringLiteral("lvwSubInfo"));
        QCOMPARE(rowTexts(info).value(3), QStringLiteral("Type: Private DLL Function Call "));
    }

    void aRoutineMissingFromTheScanShowsTheNoticeAndEmptyPanels() {
        auto h = openedSample();
        MainWindow& w = *h->window;
        QVERIFY(w.projectTree()->selectKey(fileKey(w, "modFormat.bas")));
        for (auto& slot : w.model().subs)
            for (SubRec& routine : slot)
                if (routine.name == "Percent") routine.name = "Renamed";
        w.routinesPanel()->chooseEntry(6);
        QCOMPARE(h->prompts.texts(),
                 QStringList{QStringLiteral(
                     "This routine was not found in the current scan. I suggest you rescan the project.")});
        QCOMPARE(h->prompts.shown[0].icon, MessageIcon::Information);
        QVERIFY(w.findChild<PanelRowsView*>(QStringLiteral("lvwSubInfo"))->rows().empty());
    }

    void reviewListsSortByTheHiddenKeyAndWriteCheckMarksIntoTheModel() {
        auto h = openedSample();
        MainWindow& w = *h->window;
        ReviewPanel* review = w.reviewPanel();
        QTreeView* view = review->listView();
        w.showReviewList(ReviewListId::AllRoutines);
        QCOMPARE(w.tabs()->currentWidget(), review);
        ReviewListModel* list = review->listModel();
        QCOMPARE(list->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Line Count"));
        QCOMPARE(list->rowCount(), 96);
        QCOMPARE(view->currentIndex().row(), 95);  // the summary row
        QCOMPARE(list->index(95, 0).data().toString(), QStringLiteral(" 95"));
        QVERIFY(!list->index(0, 0).data(Qt::CheckStateRole).isValid());

        // A click on "Line Count" sorts by number (9 before 10), not by text.
        QHeaderView* header = view->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 10, header->height() / 2));
        QStringList counts = columnTexts(list, 1);
        QVERIFY(counts.indexOf(QStringLiteral("9")) < counts.indexOf(QStringLiteral("10")));
        QVERIFY(counts.indexOf(QStringLiteral("10")) < counts.indexOf(QStringLiteral("12")));

        w.showReviewList(ReviewListId::NoType);
        QCOMPARE(list->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Routine"));
        QCOMPARE(columnTexts(list, 0).mid(0, 3), (QStringList{"Notes", "bmRetainer", "i"}));
        QVERIFY(!w.model().scanChanged);
        QVERIFY(list->setData(list->index(2, 0), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(w.model().scanChanged);
        QCOMPARE(list->index(2, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        const ReviewRow& checked = list->list().rows[2];
        QVERIFY(w.model().decVar[checked.index].checked);
        // The mark lives in the model: it survives switching lists.
        w.showReviewList(ReviewListId::NeverUsed);
        w.showReviewList(ReviewListId::NoType);
        QCOMPARE(list->index(2, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(review->buttonAction(ReviewListId::NoType)->isChecked());
        QVERIFY(!review->buttonAction(ReviewListId::NeverUsed)->isChecked());
    }

    void reviewDoubleClicksLandInTheCodeView() {
        auto h = openedSample();
        MainWindow& w = *h->window;
        recordCodeView(w);
        w.showReviewList(ReviewListId::NeverCalled);
        QTreeView* view = w.reviewPanel()->listView();
        doubleClick(view, w.reviewPanel()->listModel()->index(1, 0));  // Sleep, a DLL declaration
        QCOMPARE(w.tabs()->currentWidget(), w.codeView()->widget());
        const CodeTarget& target = codeView(w)->lastTarget();
        QVERIFY(target.declarations);
        QCOMPARE(target.searchText, std::string(" Sleep "));
        QVERIFY(target.filePath.ends_with("/modMain.bas"));
        QVERIFY(!codeView(w)->items().empty());

        // All Types rows lead nowhere.
        w.showReviewList(ReviewListId::AllTypes);
        doubleClick(view, w.reviewPanel()->listModel()->index(1, 0));
        QCOMPARE(w.tabs()->currentWidget(), w.reviewPanel());
    }

    void spellRowsLeadToTheirRoutineOrSayTheyAreNone() {
        auto h = openedSample();
        MainWindow& w = *h->window;
        recordCodeView(w);
        w.tabs()->setCurrentWidget(w.spellPanel());
        QTreeView* view = w.spellPanel()->listView();
        QAbstractItemModel* rows = view->model();
        QCOMPARE(rows->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Corrected Text"));
        QCOMPARE(rows->index(0, 0).data().toString(), QStringLiteral("frmMain.frm"));
        QVERIFY(!rows->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(rows->index(1, 0).data(Qt::DecorationRole).isNull());

        doubleClick(view, rows->index(0, 3));  // the form's caption
        QCOMPARE(h->prompts.texts(), QStringList{QStringLiteral("This is not a routine.")});
        QCOMPARE(h->prompts.shown[0].icon, MessageIcon::Information);
        QCOMPARE(w.tabs()->currentWidget(), w.spellPanel());

        int allClients = columnTexts(rows, 3).indexOf(QStringLiteral("Café Lumière (sample)"));
        QVERIFY(allClients > 0);
        doubleClick(view, rows->index(allClients, 3));  // a Nodes.Add text of LoadClients, its second row
        QCOMPARE(h->prompts.shown.size(), std::size_t{1});
        QCOMPARE(w.tabs()->currentWidget(), w.codeView()->widget());
        QCOMPARE(codeView(w)->lastTarget().routineText, std::string("LoadClients"));
        QVERIFY(codeView(w)->lastTarget().filePath.ends_with("/frmMain.frm"));
    }

    void aRealCodeViewPanelCanTakeThePlaceholdersPlace() {
        auto h = openedSample();
        MainWindow& w = *h->window;
        auto* panel = new CodeViewPlaceholder;
        w.setCodeView(panel);
        QCOMPARE(w.tabs()->widget(1), panel);
        QCOMPARE(w.tabs()->tabText(1), QStringLiteral("Code View"));
        QVERIFY(w.projectTree()->selectKey(fileKey(w, "modDates.bas")));
        QVERIFY(panel->filePath().ends_with("/modDates.bas"));
    }

    void theKeyboardReachesTheReviewListsTabsAndCommands() {
        auto h = openedSample();
        MainWindow& w = *h->window;
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_3, Qt::AltModifier);
        QCOMPARE(w.tabs()->currentWidget(), w.reviewPanel());
        QVERIFY(w.reviewPanel()->buttonAction(ReviewListId::NoReturn)->isChecked());
        QCOMPARE(w.reviewPanel()->listModel()->rowCount(), 2);
        QTest::keyClick(&w, Qt::Key_4, Qt::ControlModifier);
        QCOMPARE(w.tabs()->currentWidget(), w.spellPanel());
        QTest::keyClick(&w, Qt::Key_1, Qt::ControlModifier);
        QCOMPARE(w.tabs()->currentWidget(), w.routinesPanel());
        // F6 moves between the tree and the tab shown.
        w.projectTree()->setFocus();
        QTest::keyClick(&w, Qt::Key_F6);
        QVERIFY(w.routinesPanel()->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(&w, Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), w.projectTree());
        // Ctrl+S saves the scan: the save dialog comes (and is cancelled here).
        w.updateProjectMenu();
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(h->prompts.captions.value(0), QStringLiteral("Save Project Scan"));
        // Every Project menu item has a mnemonic.
        for (const char* name : {"mnuProjOpen", "mnuProjOpenScan", "mnuProjSaveScan", "mnuProjViewSource",
                                 "mnuProjOpenInVb", "mnuProjExit"})
            QVERIFY2(w.projectMenuAction(name)->text().contains(QLatin1Char('&')), name);
    }
};

QTEST_MAIN(ViewsTest)
#include "ViewsTest.moc"
