// The Code View tab on the sample project: showing routines and the declarations with their
// colours and problem marks, typing, the block commands from keys, menu and toolbar, Find, the
// clipboard, the enabling rules and the keyboard.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "CodeViewTestSupport.h"
#include "core/review/ProblemMarks.h"
#include "ui/CodeViewActions.h"
#include "ui/FindDialog.h"
#include "ui/ProgressStrip.h"

using namespace tally;
using namespace tally::test;

class CodeViewEditingTest : public QObject {
    Q_OBJECT

private slots:
    void aFileShowsItsDeclarationsThenEachRoutineColouredWithItsMarks() {
        CodeHarness c;
        QVERIFY(c.ok);
        QVERIFY(c.selectFile("modFormat.bas"));
        CodeViewPanel& panel = *c.panel;
        QCOMPARE(panel.headerText(), QStringLiteral("modFormat.bas"));
        QCOMPARE(panel.routineCombo()->count(), 10);
        QCOMPARE(panel.routineCombo()->currentText(), QStringLiteral("(Declarations)"));
        QVERIFY(!panel.routineCombo()->itemIcon(1).isNull());
        std::string text = c.view().text();
        QVERIFY(text.starts_with("'-----"));
        QVERIFY(text.find("Option Explicit\r\n") != std::string::npos);
        QVERIFY(text.find("Public Function FormatMoney") == std::string::npos);
        QCOMPARE(c.colourOf("' modFormat"), kCommentColour);
        QCOMPARE(c.colourOf("Option"), kKeywordColour);
        QCOMPARE(c.colourOf("CURRENCY_SIGN"), kPlainColour);
        // The declarations start on the file's second line.
        QCOMPARE(c.editor()->firstLineNumber(), 2);

        QVERIFY(c.choose(QStringLiteral("ParseHours")));
        text = c.view().text();
        QVERIFY(text.starts_with("' Accepts \"7.5\""));
        QVERIFY(text.find("End Function\r\n") != std::string::npos);
        QCOMPARE(c.colourOf("' Accepts"), kCommentColour);
        QCOMPARE(c.colourOf("Public Function"), kKeywordColour);
        QCOMPARE(c.colourOf("ByVal sText"), kKeywordColour);
        QCOMPARE(c.colourOf("sWork$"), kPlainColour);
        // The untyped variable carries its problem mark.
        QCOMPARE(c.colourOf("vParts\r\n"), kMarkBlue);
        QCOMPARE(c.editor()->firstLineNumber(), 26);
        QCOMPARE(c.window().model().marks.empty(), false);
        // A DLL-free module: nothing to choose beyond its routines; a routine name that is not in the
        // combo stays unknown.
        QVERIFY(!c.choose(QStringLiteral("Sleep")));
    }

    void typingTakesTheKeywordColoursOffTheLineUntilTheNextColouring() {
        CodeHarness c;
        QVERIFY(c.ok);
        QVERIFY(c.selectFile("modFormat.bas"));
        QVERIFY(c.choose(QStringLiteral("ParseHours")));
        c.showCodeTab();
        QVERIFY(!c.panel->code().viewChanged());
        QVERIFY(c.select("    Dim nPos%", 4));
        c.view().setSelStart(c.view().selStart() + 4);
        QTest::keyClicks(c.editor(), "x");
        QCOMPARE(c.colourOf("xDim nPos%"), kPlainColour);
        QCOMPARE(c.colourOf("Dim nPos%") == kPlainColour, true);
        QCOMPARE(c.colourOf("Dim sWork$"), kKeywordColour);
        QVERIFY(c.panel->code().viewChanged());
        QVERIFY(c.panel->code().fileChanged());
        // Choosing the routine again commits the edit and colours it afresh.
        QVERIFY(c.choose(QStringLiteral("ParseHours")));
        QVERIFY(!c.panel->code().viewChanged());
        QVERIFY(c.view().text().find("    xDim nPos%") != std::string::npos);
        QCOMPARE(c.colourOf("Dim vParts"), kKeywordColour);
    }

    void commentIndentAndOutdentFromKeysMenuAndToolbar() {
        CodeHarness c;
        QVERIFY(c.ok);
        QVERIFY(c.selectFile("modFormat.bas"));
        QVERIFY(c.choose(QStringLiteral("ParseHours")));
        c.showCodeTab();
        const std::string lines = "    Dim sWork$\r\n    Dim nPos%\r\n";
        std::size_t at = c.view().text().find(lines);
        auto selectLines = [&](std::size_t length) {
            c.view().setSelStart(at);
            c.view().setSelLength(length);
        };

        // Ctrl+' comments the selected lines and leaves them selected, in the comment colour.
        selectLines(lines.size());
        QTest::keyClick(c.editor(), Qt::Key_Apostrophe, Qt::ControlModifier);
        QCOMPARE(c.view().selText(), std::string("'    Dim sWork$\r\n'    Dim nPos%\r\n"));
        QCOMPARE(c.view().colourAt(at + 5), kCommentColour);
        QVERIFY(c.panel->code().fileChanged());
        c.editor()->undo();
        QVERIFY(c.view().text().find(lines) == at);

        // Tab indents a selection of several lines, Shift+Tab takes the tab off again.
        selectLines(lines.size());
        QTest::keyClick(c.editor(), Qt::Key_Tab);
        QCOMPARE(c.view().selText(), std::string("\t    Dim sWork$\r\n\t    Dim nPos%\r\n"));
        QTest::keyClick(c.editor(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(c.view().selText(), lines);
        // Without a tab to take, four blanks go.
        QTest::keyClick(c.editor(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(c.view().selText(), std::string("Dim sWork$\r\nDim nPos%\r\n"));

        // The menu: Tab Left indents, Tab Right outdents; on one line both do nothing.
        CodeViewActions* actions = c.panel->actions();
        actions->menuItem(CodeViewCommand::TabLeft)->trigger();
        QCOMPARE(c.view().selText(), std::string("\tDim sWork$\r\n\tDim nPos%\r\n"));
        actions->menuItem(CodeViewCommand::TabRight)->trigger();
        QCOMPARE(c.view().selText(), std::string("Dim sWork$\r\nDim nPos%\r\n"));
        // The toolbar: the right-pointing button indents, the left-pointing one outdents.
        c.window().tabs()->setCurrentIndex(1);
        QVERIFY(c.window().toolbarAction("tabr")->isEnabled());
        c.window().toolbarAction("tabr")->trigger();
        QCOMPARE(c.view().selText(), std::string("\tDim sWork$\r\n\tDim nPos%\r\n"));
        c.window().toolbarAction("tabl")->trigger();
        QCOMPARE(c.view().selText(), std::string("Dim sWork$\r\nDim nPos%\r\n"));
        c.window().toolbarAction("comment")->trigger();
        QCOMPARE(c.view().selText(), std::string("'Dim sWork$\r\n'Dim nPos%\r\n"));

        std::string before = c.view().text();
        QVERIFY(c.select("Dim vParts"));
        actions->menuItem(CodeViewCommand::TabLeft)->trigger();
        QCOMPARE(c.view().text(), before);
        // A Tab with a one-line selection is typed.
        QTest::keyClick(c.editor(), Qt::Key_Tab);
        QVERIFY(c.view().text().find("    \t\r\n") != std::string::npos);
    }

    void findSearchesFromTheSelectionAndSaysWhenNothingIsLeft() {
        CodeHarness c;
        QVERIFY(c.ok);
        QVERIFY(c.selectFile("modFormat.bas"));
        QVERIFY(c.choose(QStringLiteral("ParseHours")));
        c.showCodeTab();
        // Find takes the selection up to its first line break.
        QVERIFY(c.select("sWork$\r\n    Dim", 11));
        QTest::keyClick(c.editor(), Qt::Key_F, Qt::ControlModifier);
        FindDialog* dialog = c.panel->findDialog();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->findText(), QStringLiteral("sWork$"));
        QCOMPARE(dialog->options().down, true);
        dialog->findChild<QLineEdit*>(QStringLiteral("findWhat"))->setText(QStringLiteral("swork"));
        std::size_t first = c.view().selStart();
        dialog->findNextButton()->click();
        QCOMPARE(c.view().selText(), std::string("sWork"));
        QVERIFY(c.view().selStart() > first);
        std::size_t second = c.view().selStart();
        // Find Next (F3 in the pane) goes on with the same text; Match case finds nothing more.
        QTest::keyClick(c.editor(), Qt::Key_F3);
        QVERIFY(c.view().selStart() > second);
        dialog->findChild<QCheckBox*>(QStringLiteral("findMatchCase"))->setChecked(true);
        dialog->findNextButton()->click();
        QCOMPARE(c.prompts().texts().value(0), QStringLiteral("The search text was not found."));
        QCOMPARE(c.prompts().shown[0].icon, MessageIcon::Information);
        // Only one dialog: asking again brings the same one forward.
        c.showCodeTab();
        c.panel->runCommand(CodeViewCommand::Find);
        QCOMPARE(c.panel->findDialog(), dialog);
        QCOMPARE(c.window().findChildren<FindDialog*>().size(), qsizetype(1));
        dialog->close();
        QTRY_VERIFY(!c.panel->findDialog());
    }

    void cutCopyAndPasteGoThroughTheClipboard() {
        CodeHarness c;
        QVERIFY(c.ok);
        QVERIFY(c.selectFile("modFormat.bas"));
        QVERIFY(c.choose(QStringLiteral("ParseHours")));
        c.showCodeTab();
        QVERIFY(c.select("    Dim nPos%\r\n"));
        QTest::keyClick(c.editor(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("    Dim nPos%\n"));
        QVERIFY(c.view().text().find("Dim nPos%") == std::string::npos);
        QVERIFY(c.select("    Dim vParts"));
        c.view().setSelLength(0);
        QTest::keyClick(c.editor(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(c.view().text().find("    Dim nPos%\r\n    Dim vParts") != std::string::npos);
        QCOMPARE(c.colourOf("Dim nPos%"), kPlainColour);
        // Copy enables the toolbar's copy button when the clipboard holds text.
        QVERIFY(c.select("sWork"));
        c.window().toolbarAction("copy")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("sWork"));
        QVERIFY(c.window().toolbarAction("copy")->isEnabled());
    }

    void theMenuAndTheButtonsFollowTheTabTheTextAndTheSelection() {
        CodeHarness c;
        QVERIFY(c.ok);
        QApplication::clipboard()->clear();
        const char* keys[] = {"savefile", "cut", "copy", "paste", "find", "tabl", "tabr", "comment"};
        auto enabled = [&] {
            QString on;
            for (const char* key : keys) on += c.window().toolbarAction(key)->isEnabled() ? '1' : '0';
            return on;
        };
        QCOMPARE(enabled(), QStringLiteral("00000000"));
        QVERIFY(c.selectFile("modFormat.bas"));
        QCOMPARE(enabled(), QStringLiteral("00000000"));
        c.window().tabs()->setCurrentIndex(1);
        QCOMPARE(enabled(), QStringLiteral("11011000"));
        QVERIFY(c.select("Option"));
        QCOMPARE(enabled(), QStringLiteral("11111111"));
        c.window().tabs()->setCurrentIndex(2);
        QCOMPARE(enabled(), QStringLiteral("00000000"));

        // The menu as it opens on another tab: only Cut, Copy and Save or Zip.
        QMenu* menu = c.panel->commandMenu();
        emit menu->aboutToShow();
        QStringList on;
        for (QAction* item : menu->actions())
            if (!item->isSeparator() && item->isEnabled()) on << item->objectName();
        QCOMPARE(on, (QStringList{"mnuEdit2", "mnuEdit3", "mnuEdit14"}));
        c.window().tabs()->setCurrentIndex(1);
        emit menu->aboutToShow();
        on.clear();
        for (QAction* item : menu->actions())
            if (!item->isSeparator() && !item->isEnabled()) on << item->objectName();
        QCOMPARE(on, QStringList{"mnuEdit4"});  // Paste: the clipboard is empty
    }

    void everyCommandHasItsCaptionKeyAndMnemonic() {
        CodeHarness c;
        QVERIFY(c.ok);
        QMenu* menu = c.panel->commandMenu();
        QCOMPARE(menu->title(), QStringLiteral("Code &View"));
        QVERIFY(c.window().menuBar()->actions().contains(menu->menuAction()));
        QStringList captions;
        for (QAction* item : menu->actions())
            if (!item->isSeparator()) captions << item->text();
        QCOMPARE(captions,
                 (QStringList{"&Undo\tCtrl+Z", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V",
                              "Select &All\tCtrl+A", "&Find\tCtrl+F", "Find &Next\tF3", "Tab &Left\tTab",
                              "Tab &Right\tShift+Tab", "Co&mment\tCtrl+'", "Save or Zip The &Open File..."}));
        // The pane's context menu is the same menu.
        c.showCodeTab();
        QVERIFY(c.selectFile("modFormat.bas"));
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(20, 20),
                                  c.editor()->mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(c.editor(), &request);
        QTRY_VERIFY(menu->isVisible());
        menu->close();
    }

    void theKeyboardWalksFromTheTreeIntoThePaneAndOutAgain() {
        CodeHarness c;
        QVERIFY(c.ok);
        QVERIFY(c.selectFile("modFormat.bas"));
        c.window().tabs()->setCurrentIndex(1);
        c.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&c.window()));
        // Selecting files in the tree leaves the focus there.
        c.window().projectTree()->setFocus();
        QVERIFY(c.selectFile("modMain.bas"));
        QCOMPARE(QApplication::focusWidget(), c.window().projectTree());
        // Tab walks the strip into the pane.
        c.panel->routineCombo()->setFocus();
        QTest::keyClick(c.panel->routineCombo(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), c.panel->refreshButton());
        QTest::keyClick(c.panel->refreshButton(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), c.editor());
        c.window().projectTree()->setFocus();
        // F6 from the tree lands in the pane; Ctrl+Tab leaves it, Tab stays in it.
        QTest::keyClick(&c.window(), Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), c.editor());
        QTest::keyClick(c.editor(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), c.editor());
        QTest::keyClick(c.editor(), Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(QApplication::focusWidget() != c.editor());
        // F5 in the pane tidies.
        c.editor()->setFocus();
        int passes = c.panel->progressStrip()->passes();
        QTest::keyClick(c.editor(), Qt::Key_F5);
        QCOMPARE(c.panel->progressStrip()->passes(), passes + 1);
    }
};

QTEST_MAIN(CodeViewEditingTest)
#include "CodeViewEditingTest.moc"
