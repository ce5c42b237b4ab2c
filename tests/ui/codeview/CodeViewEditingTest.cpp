// The Code View tab on the sample project: showing routines and the declarations with their
// colours and problem marks, typing and the clipboard, the block commands from keys and menu,
// Find, the enabling of the commands and the window's keyboard. The rules behind each command are
// checked by the core's code view tests; these prove the window reaches them.

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

#include "CodeViewTestSupport.h"
#include "core/review/ProblemMarks.h"
#include "ui/codeview/CodeViewActions.h"
#include "ui/codeview/FindDialog.h"
#include "ui/project/ProgressStrip.h"
#include "ui/review/ReviewPanel.h"
#include "ui/review/RoutinesPanel.h"
#include "ui/review/SpellPanel.h"

using namespace tally;
using namespace tally::test;

class CodeViewEditingTest : public QObject {
    Q_OBJECT

private slots:
    void aFileShowsItsDeclarationsThenEachRoutineColouredWithItsMarks() {
        CodeHarness c;
        QVERIFY(c.selectFile("modFormat.bas"));
        CodeViewPanel& panel = *c.panel;
        QCOMPARE(panel.headerText(), QStringLiteral("modFormat.bas"));
        QCOMPARE(panel.routineCombo()->count(), 10);
        std::string text = c.view().text();
        QVERIFY(text.find("Option Explicit\r\n") != std::string::npos);
        QVERIFY(text.find("Public Function FormatMoney") == std::string::npos);
        QCOMPARE(c.colourOf("' modFormat"), kCommentColour);
        QCOMPARE(c.colourOf("Option"), kKeywordColour);
        QCOMPARE(c.editor()->firstLineNumber(), 2);

        QVERIFY(c.choose(QStringLiteral("ParseHours")));
        text = c.view().text();
        QVERIFY(text.starts_with("' Accepts \"7.5\""));
        QCOMPARE(c.colourOf("Public Function"), kKeywordColour);
        // The untyped variable carries its problem mark.
        QCOMPARE(c.colourOf("vParts\r\n"), kMarkBlue);
        QCOMPARE(c.editor()->firstLineNumber(), 26);
    }

    void typingTakesTheKeywordColoursOffTheLineAndTheClipboardCutsAndPastes() {
        CodeHarness c;
        QVERIFY(c.showRoutine("modFormat.bas", QStringLiteral("ParseHours")));
        QVERIFY(c.select("    Dim nPos%", 4));
        c.view().setSelStart(c.view().selStart() + 4);
        QTest::keyClicks(c.editor(), "x");
        QCOMPARE(c.colourOf("xDim nPos%"), kPlainColour);
        QCOMPARE(c.colourOf("Dim sWork$"), kKeywordColour);
        QVERIFY(c.panel->code().viewChanged());
        QVERIFY(c.panel->code().fileChanged());
        // Choosing the routine again commits the edit and colours it afresh.
        QVERIFY(c.choose(QStringLiteral("ParseHours")));
        QVERIFY(!c.panel->code().viewChanged());
        QVERIFY(c.view().text().find("    xDim nPos%") != std::string::npos);
        QCOMPARE(c.colourOf("Dim vParts"), kKeywordColour);

        // Cut and paste go through the system clipboard.
        QVERIFY(c.select("    Dim sWork$\r\n"));
        QTest::keyClick(c.editor(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("    Dim sWork$\n"));
        QVERIFY(c.select("    Dim vParts", 0));
        QTest::keyClick(c.editor(), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(c.view().text().find("    Dim sWork$\r\n    Dim vParts") != std::string::npos);
    }

    void commentIndentAndOutdentFromKeysAndMenu() {
        CodeHarness c;
        QVERIFY(c.showRoutine("modFormat.bas", QStringLiteral("ParseHours")));
        const std::string lines = "    Dim sWork$\r\n    Dim nPos%\r\n";
        const std::string commented = "'    Dim sWork$\r\n'    Dim nPos%\r\n";
        const std::string twice = "''    Dim sWork$\r\n''    Dim nPos%\r\n";
        const std::string indented = "\t    Dim sWork$\r\n\t    Dim nPos%\r\n";
        CodeViewActions* actions = c.panel->actions();
        auto press = [&c](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            return [&c, key, modifiers] { QTest::keyClick(c.editor(), key, modifiers); };
        };
        auto menu = [actions](CodeViewCommand command) {
            return [actions, command] { actions->menuItem(command)->trigger(); };
        };
        // Each step works on the two lines, selected, and leaves them selected for the next.
        const struct {
            const char* name;
            std::function<void()> run;
            std::string before, after;
        } steps[] = {
            {"Tab", press(Qt::Key_Tab, Qt::NoModifier), lines, indented},
            {"Shift+Tab", press(Qt::Key_Backtab, Qt::ShiftModifier), indented, lines},
            {"Tab Left", menu(CodeViewCommand::TabLeft), lines, indented},
            {"Tab Right", menu(CodeViewCommand::TabRight), indented, lines},
            {"Ctrl+'", press(Qt::Key_Apostrophe, Qt::ControlModifier), lines, commented},
            {"Comment", menu(CodeViewCommand::Comment), commented, twice},
        };
        std::size_t at = c.view().text().find(lines);
        QVERIFY(at != std::string::npos);
        for (const auto& step : steps) {
            c.view().setSelStart(at);
            c.view().setSelLength(step.before.size());
            QVERIFY2(c.view().selText() == step.before, step.name);
            step.run();
            QVERIFY2(c.view().selText() == step.after, step.name);
        }
        QCOMPARE(c.colourOf("'    Dim sWork$"), kCommentColour);
        QVERIFY(c.panel->code().fileChanged());
    }

    void findSearchesFromTheSelectionAndSaysWhenNothingIsLeft() {
        CodeHarness c;
        QVERIFY(c.showRoutine("modFormat.bas", QStringLiteral("ParseHours")));
        // Find takes the selection up to its first line break.
        QVERIFY(c.select("sWork$\r\n    Dim", 11));
        QTest::keyClick(c.editor(), Qt::Key_F, Qt::ControlModifier);
        FindDialog* dialog = c.panel->findDialog();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->findText(), QStringLiteral("sWork$"));
        dialog->findChild<QLineEdit*>(QStringLiteral("findWhat"))->setText(QStringLiteral("swork"));
        dialog->findNextButton()->click();
        QCOMPARE(c.view().selText(), std::string("sWork"));
        std::size_t second = c.view().selStart();
        // Find Next (F3 in the pane) goes on with the same text; Match case finds nothing more.
        QTest::keyClick(c.editor(), Qt::Key_F3);
        QVERIFY(c.view().selStart() > second);
        dialog->findChild<QCheckBox*>(QStringLiteral("findMatchCase"))->setChecked(true);
        dialog->findNextButton()->click();
        QCOMPARE(c.prompts().texts().value(0), QStringLiteral("The search text was not found."));
    }

    void theToolbarFollowsTheTabTheTextAndTheSelection() {
        CodeHarness c;
        QVERIFY(c.ok);
        QVERIFY(c.window().menuBar()->actions().contains(c.panel->commandMenu()->menuAction()));
        // The toolbar's buttons: on the Code View tab, with text, with a selection.
        QApplication::clipboard()->clear();
        const char* keys[] = {"savefile", "cut", "copy", "paste", "find", "tabl", "tabr", "comment"};
        auto enabled = [&] {
            QString on;
            for (const char* key : keys) on += c.window().toolbarAction(key)->isEnabled() ? '1' : '0';
            return on;
        };
        QCOMPARE(enabled(), QStringLiteral("00000000"));
        QVERIFY(c.selectFile("modFormat.bas"));
        c.window().tabs()->setCurrentIndex(1);
        QCOMPARE(enabled(), QStringLiteral("11011000"));
        QVERIFY(c.select("Option"));
        QCOMPARE(enabled(), QStringLiteral("11111111"));
        c.window().tabs()->setCurrentIndex(2);
        QCOMPARE(enabled(), QStringLiteral("00000000"));
    }

    void theKeyboardReachesTheTabsTheListsTheCommandsAndThePane() {
        CodeHarness c;
        QVERIFY(c.selectFile("modFormat.bas"));
        MainWindow& w = c.window();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // Alt+3 shows the third review list; Ctrl+4 chooses a tab.
        QTest::keyClick(&w, Qt::Key_3, Qt::AltModifier);
        QCOMPARE(w.tabs()->currentWidget(), w.reviewPanel());
        QVERIFY(w.reviewPanel()->buttonAction(ReviewListId::NoReturn)->isChecked());
        QTest::keyClick(&w, Qt::Key_4, Qt::ControlModifier);
        QCOMPARE(w.tabs()->currentWidget(), w.spellPanel());
        // Ctrl+S saves the scan: the save dialog comes (and is cancelled here).
        w.updateProjectMenu();
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(c.prompts().captions.value(0), QStringLiteral("Save Project Scan"));

        // F6 from the tree lands in the pane; Tab stays in it, Ctrl+Tab leaves it.
        w.tabs()->setCurrentIndex(1);
        w.projectTree()->setFocus();
        QTest::keyClick(&w, Qt::Key_F6);
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
