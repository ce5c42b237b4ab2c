// The Report View window: its toolbar, the toolbar following the selection, formatting
// from the buttons and the font dialog, the plain-text clipboard and the Edit menu on the right
// button. Files are in ReportFilesTest.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QToolBar>

#include "ReportTestSupport.h"
#include "ui/reports/ReportViewActions.h"

using namespace tally;
using namespace tally::test;

namespace {

QTextCharFormat formatAt(ReportBody* body, int position) {
    QTextCursor cursor(body->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

}  // namespace

class ReportViewerTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_report = sampleCodeReport(sampleModel());
        QVERIFY(!m_report.empty());
    }

    void everyToolbarButtonHasItsIconAndThePaneIsInArial() {
        ViewerHarness h;
        QCOMPARE(h.body()->font().family(), QStringLiteral("Arial"));
        int buttons = 0;
        for (QAction* action : h.viewer.actions()->toolbar()->actions()) {
            if (action->isSeparator()) continue;
            ++buttons;
            QVERIFY2(!action->icon().isNull(), qPrintable(action->objectName()));
        }
        QCOMPARE(buttons, 13);
    }

    // The formats themselves are checked in RichTextConversionTest.
    void theReportIsShownUnwrappedWithoutUndoAndItsColumnsLinedUp() {
        ViewerHarness h;
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        QVERIFY(h.text().startsWith(QStringLiteral("Project Code Report\nFriday, March 7, 2003 4:05 PM\n")));
        QVERIFY(h.text().contains(QStringLiteral("Unused Routines And DLL Calls")));
        QVERIFY(!h.body()->document()->isUndoAvailable());
        QCOMPARE(h.body()->lineWrapMode(), QTextEdit::NoWrap);
        QList<qreal> starts =
            secondColumnStarts(*h.body()->document(), QStringLiteral("Routine Name"), QStringLiteral("PropertyPage_Sel"));
        QCOMPARE(starts.size(), 12);
        for (qreal start : starts) QCOMPARE(start, starts.first());
    }

    void boldingASelectionPutsTheBoldButtonDownAndItFollowsTheSelection() {
        ViewerHarness h;
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        QVERIFY(h.select(QStringLiteral("ArchiveOldEntries")));
        QVERIFY(!h.button("bold")->isChecked());
        h.button("bold")->trigger();
        QVERIFY(h.button("bold")->isChecked());
        QCOMPARE(h.body()->textCursor().charFormat().fontWeight(), int(QFont::Bold));

        QVERIFY(h.select(QStringLiteral("DumpDebugInfo")));
        QVERIFY(!h.button("bold")->isChecked());
        QVERIFY(h.select(QStringLiteral("ArchiveOld")));
        QVERIFY(h.button("bold")->isChecked());
        // bold and plain text together: the button is up
        QVERIFY(h.select(QStringLiteral("ArchiveOldEntries  ")));
        QVERIFY(!h.button("bold")->isChecked());

        // up again takes the bold off
        QVERIFY(h.select(QStringLiteral("ArchiveOldEntries")));
        h.button("bold")->trigger();
        QVERIFY(!h.button("bold")->isChecked());
        QCOMPARE(h.body()->textCursor().charFormat().fontWeight(), int(QFont::Normal));
        // and Undo brings it back
        h.viewer.runCommand(ReportCommand::Undo);
        QVERIFY(h.select(QStringLiteral("ArchiveOldEntries")));
        QVERIFY(h.button("bold")->isChecked());
    }

    void italicAndUnderlineFollowTheSelectionToo() {
        ViewerHarness h;
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        QVERIFY(h.select(QStringLiteral("SpellAmount")));
        h.button("italic")->trigger();
        h.button("underline")->trigger();
        QVERIFY(h.select(QStringLiteral("QuarterOf")));
        QVERIFY(!h.button("italic")->isChecked());
        QVERIFY(!h.button("underline")->isChecked());
        QVERIFY(h.select(QStringLiteral("SpellAmount")));
        QVERIFY(h.button("italic")->isChecked());
        QVERIFY(h.button("underline")->isChecked());
        QTextCharFormat format = h.body()->textCursor().charFormat();
        QVERIFY(format.fontItalic());
        QVERIFY(format.fontUnderline());
        QVERIFY(format.fontWeight() < QFont::DemiBold);
    }

    void theAlignmentButtonsSetTheParagraphsAndShowWhatTheSelectionHas() {
        ViewerHarness h;
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        QVERIFY(h.select(QStringLiteral("Project Code Report")));
        QVERIFY(h.button("left")->isChecked());
        h.button("center")->trigger();
        QCOMPARE(h.body()->textCursor().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(h.button("center")->isChecked());
        QVERIFY(!h.button("left")->isChecked());
        QVERIFY(!h.button("right")->isChecked());
        // clicking the button that is down keeps it down
        h.button("center")->trigger();
        QVERIFY(h.button("center")->isChecked());

        QVERIFY(h.select(QStringLiteral("Friday")));
        h.button("right")->trigger();
        QVERIFY(h.button("right")->isChecked());
        QVERIFY(!h.button("center")->isChecked());

        // a selection over a centred and a right-aligned paragraph: all three up
        QVERIFY(h.select(QStringLiteral("Report\nFriday")));
        QVERIFY(!h.button("left")->isChecked());
        QVERIFY(!h.button("center")->isChecked());
        QVERIFY(!h.button("right")->isChecked());
        h.button("left")->trigger();
        QVERIFY(h.button("left")->isChecked());
        QCOMPARE(h.body()->document()->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }

    void theFontDialogStartsFromTheSelectionAndItsChoiceIsApplied() {
        ViewerHarness h;
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        QVERIFY(h.select(QStringLiteral("Unused Routines")));
        QFont chosen(QStringLiteral("Courier New"));
        chosen.setPointSizeF(14);
        chosen.setItalic(true);
        chosen.setUnderline(true);
        h.dialogs.fonts = {FontChoice{chosen, QColor(200, 0, 0)}, std::nullopt};
        h.viewer.runCommand(ReportCommand::Font);
        QCOMPARE(h.dialogs.offered.size(), std::size_t(1));
        QCOMPARE(h.dialogs.offered[0].font.family(), QStringLiteral("Arial"));
        QCOMPARE(h.dialogs.offered[0].font.pointSizeF(), 10.0);
        QVERIFY(h.dialogs.offered[0].font.bold());
        QCOMPARE(h.dialogs.offered[0].colour, QColor(0, 0, 127));

        QTextCharFormat format = h.body()->textCursor().charFormat();
        QCOMPARE(format.fontFamilies().toStringList(), QStringList{QStringLiteral("Courier New")});
        QCOMPARE(format.fontPointSize(), 14.0);
        QVERIFY(format.fontItalic());
        QVERIFY(format.fontUnderline());
        QCOMPARE(format.fontWeight(), int(QFont::Normal));
        QCOMPARE(format.foreground().color(), QColor(200, 0, 0));
        QVERIFY(h.button("italic")->isChecked());
        QVERIFY(!h.button("bold")->isChecked());

        // a cancelled dialog changes nothing
        RichDocument before = h.shown();
        h.viewer.runCommand(ReportCommand::Font);
        QCOMPARE(h.dialogs.offered.size(), std::size_t(2));
        QCOMPARE(h.dialogs.offered[1].font.family(), QStringLiteral("Courier New"));
        QVERIFY(h.shown() == before);
    }

    void printAndPreviewHandTheDocumentOver() {
        ViewerHarness h;
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        h.viewer.actions()->button("print")->trigger();
        h.viewer.actions()->menuItem(ReportCommand::Preview)->trigger();
        QCOMPARE(h.dialogs.printed.size(), 1);
        QVERIFY(h.dialogs.printed[0].startsWith(QStringLiteral("Project Code Report")));
        QCOMPARE(h.dialogs.previewed.size(), 1);
    }

    void cutAndPasteCarryPlainTextThatTakesTheFormatWhereItLands() {
        ViewerHarness h;
        h.viewer.showDocument(m_report, QStringLiteral("Project Code Report"));
        QVERIFY(h.select(QStringLiteral("Unused Routines")));
        h.viewer.runCommand(ReportCommand::Copy);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(data->text(), QStringLiteral("Unused Routines"));
        QVERIFY(!data->hasHtml());

        QVERIFY(h.select(QStringLiteral("DumpDebugInfo")));
        h.viewer.actions()->button("paste")->trigger();
        int at = h.text().indexOf(QStringLiteral("Unused Routines"), h.text().indexOf(QStringLiteral("ArchiveOld")));
        QVERIFY(at > 0);
        QCOMPARE(formatAt(h.body(), at).fontWeight(), int(QFont::Normal));
        QCOMPARE(formatAt(h.body(), at).foreground().color(), QColor(0, 0, 0));

        QVERIFY(h.select(QStringLiteral("QuarterOf")));
        h.viewer.actions()->menuItem(ReportCommand::Cut)->trigger();
        QVERIFY(!h.text().contains(QStringLiteral("QuarterOf")));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("QuarterOf"));

        h.viewer.actions()->menuItem(ReportCommand::SelectAll)->trigger();
        QCOMPARE(h.body()->textCursor().selectedText().size(), h.text().size());
    }

    void theRightButtonPopsUpTheEditMenu() {
        ViewerHarness h;
        h.viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.viewer));
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), h.body()->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(h.body()->viewport(), &event);
        QTRY_VERIFY(h.viewer.actions()->editMenu()->isVisible());
        h.viewer.actions()->editMenu()->hide();
    }

private:
    std::string m_report;
};

QTEST_MAIN(ReportViewerTest)
#include "ReportViewerTest.moc"
