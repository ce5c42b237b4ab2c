// Writing code back from the Code View tab, checked byte for byte on a copy of the sample project:
// the "Save It" dialog and its choices, leaving or closing with changed code, and the jumps from
// the other tabs that land on a routine with its text selected, the tree and the status bar
// following. How a routine is cut out of its file and put back is the core's business
// (tests/core/codeview).

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>

#include "CodeViewTestSupport.h"
#include "ui/codeview/SaveItDialog.h"
#include "ui/review/ReviewListModel.h"
#include "ui/review/ReviewPanel.h"
#include "ui/review/RoutinesPanel.h"
#include "ui/review/SpellPanel.h"

Q_DECLARE_METATYPE(tally::SaveItChoice)

using namespace tally;
using namespace tally::test;

namespace {

// The file's bytes with `inserted` put before the first `before`.
QByteArray withInsert(QByteArray bytes, const QByteArray& before, const QByteArray& inserted) {
    qsizetype at = bytes.indexOf(before);
    return at < 0 ? QByteArray() : bytes.insert(at, inserted);
}

// True when a line of `text` starts with `start`.
bool hasLine(const std::string& text, const std::string& start) {
    return text.starts_with(start) || text.find("\r\n" + start) != std::string::npos;
}

// Types "é€ " at the start of the line holding `line` in the pane.
void editLine(CodeHarness& c, const std::string& line) {
    c.showCodeTab();
    QVERIFY(c.select(line, 0));
    typeText(c.editor(), QStringLiteral("é€ "));
}

}  // namespace

class CodeViewSavingTest : public QObject {
    Q_OBJECT

private slots:
    void saveWritesTheEditedFileOrSaysWhyAndKeepsFileAndEdits_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable file") << true;
        QTest::newRow("read-only file") << false;
    }

    void saveWritesTheEditedFileOrSaysWhyAndKeepsFileAndEdits() {
        QFETCH(bool, writable);
        CodeHarness c;
        QString path = c.path(QStringLiteral("modFormat.bas"));
        QByteArray original = c.bytes(QStringLiteral("modFormat.bas"));
        QVERIFY(original.contains("\"\x80\""));
        QVERIFY(c.selectFile("modFormat.bas"));
        editLine(c, "Option Explicit");
        if (!writable) QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
        c.prompts().saveItAnswers = {SaveItChoice::Save};
        c.panel->runCommand(CodeViewCommand::SaveOrZip);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

        QCOMPARE(c.prompts().saveItLabels, QStringList{QStringLiteral("Save modFormat.bas")});
        if (writable) {
            // Windows-1252 and CR LF line ends, byte for byte.
            QCOMPARE(c.bytes(QStringLiteral("modFormat.bas")),
                     withInsert(original, "Option Explicit\r\n", "\xE9\x80 "));
            QVERIFY(!c.panel->code().fileChanged());
            return;
        }
        QVERIFY(c.prompts().texts().value(0).startsWith(QStringLiteral(
            "The following error occured while trying to save ") + path + QStringLiteral("\r\n\r\n75 - ")));
        QCOMPARE(c.bytes(QStringLiteral("modFormat.bas")), original);
        QVERIFY(c.panel->code().fileChanged());
    }

    void saveAsWritesTheEditedTextAndLeavesTheOpenFileAlone() {
        CodeHarness c;
        QByteArray original = c.bytes(QStringLiteral("modFormat.bas"));
        QVERIFY(c.selectFile("modFormat.bas"));
        QVERIFY(c.choose(QStringLiteral("ParseHours")));
        editLine(c, "    Dim vParts");
        QString copy = c.path(QStringLiteral("Copy.bas"));
        c.prompts().saveItAnswers = {SaveItChoice::SaveAs};
        c.prompts().saveFiles = {copy};
        c.panel->runCommand(CodeViewCommand::SaveOrZip);
        QCOMPARE(c.prompts().filters.value(0), QStringLiteral("Basic Files (*.bas)|*.bas|All Files|*.*"));
        QCOMPARE(c.prompts().proposals.value(0), c.path(QStringLiteral("modFormat.bas")));
        QCOMPARE(c.bytes(QStringLiteral("Copy.bas")), withInsert(original, "    Dim vParts", "\xE9\x80 "));
        QCOMPARE(c.bytes(QStringLiteral("modFormat.bas")), original);
    }

    void leavingOrClosingWithChangedCodeOffersToSaveIt() {
        CodeHarness c;
        QByteArray format = c.bytes(QStringLiteral("modFormat.bas"));
        QVERIFY(c.selectFile("modFormat.bas"));
        editLine(c, "Option Explicit");
        // Another file: "Continue Without Saving" drops the edit.
        QVERIFY(c.selectFile("modMain.bas"));
        QCOMPARE(c.prompts().saveItLabels,
                 QStringList{QStringLiteral("The code in modFormat.bas has changed. ")});
        QCOMPARE(c.bytes(QStringLiteral("modFormat.bas")), format);

        QByteArray main = c.bytes(QStringLiteral("modMain.bas"));
        editLine(c, "Option Explicit");
        c.prompts().saveItAnswers = {SaveItChoice::Save};
        c.window().close();
        QCOMPARE(c.prompts().saveItLabels.last(), QStringLiteral("The code in modMain.bas has changed. "));
        QCOMPARE(c.bytes(QStringLiteral("modMain.bas")), withInsert(main, "Option Explicit", "\xE9\x80 "));
        // The scan question comes after the code.
        QCOMPARE(c.prompts().texts().last(), QStringLiteral("Would you like to save this project scan?"));
    }

    void jumpsFromTheOtherTabsLandOnTheRoutineWithTheTextSelected() {
        CodeHarness c;
        QVERIFY(c.ok);
        MainWindow& w = c.window();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // A DLL declaration of the Never Called list: the declarations, the name selected.
        w.showReviewList(ReviewListId::NeverCalled);
        QTreeView* list = w.reviewPanel()->listView();
        doubleClick(list, w.reviewPanel()->listModel()->index(1, 0));
        QCOMPARE(w.tabs()->currentWidget(), c.panel);
        QCOMPARE(c.panel->headerText(), QStringLiteral("modMain.bas"));
        QCOMPARE(c.panel->routineCombo()->currentText(), QStringLiteral("(Declarations)"));
        QCOMPARE(c.view().selText(), std::string(" Sleep "));
        QCOMPARE(QApplication::focusWidget(), c.editor());
        // The tree and the status bar follow the file shown.
        QCOMPARE(w.projectTree()->selectedKey(), fileKey(w, "modMain.bas"));
        QCOMPARE(w.statusPath(), c.path(QStringLiteral("modMain.bas")));

        // A dependency row: the caller shown, the callee's name selected in it.
        QVERIFY(c.selectFile("modFormat.bas"));
        w.tabs()->setCurrentIndex(0);
        w.routinesPanel()->chooseEntry(6);  // Percent
        auto* deps = w.findChild<PanelRowsView*>(QStringLiteral("lvwCalledBy"));
        doubleClick(deps, deps->model()->index(1, 0));  // LoadEntriesFor in frmMain.frm
        QCOMPARE(c.panel->routineCombo()->currentText(), QStringLiteral("LoadEntriesFor"));
        QVERIFY(c.view().text().starts_with("Private Sub LoadEntriesFor("));
        QCOMPARE(w.projectTree()->selectedKey(), fileKey(w, "frmMain.frm"));
        QCOMPARE(w.statusPath(), c.path(QStringLiteral("frmMain.frm")));
        // Following the jump in the tree did not show the file anew: the selection is still there.
        QCOMPARE(c.view().selText(), std::string("Percent"));

        // A spell row of a routine.
        w.tabs()->setCurrentWidget(w.spellPanel());
        QAbstractItemModel* rows = w.spellPanel()->listView()->model();
        int row = columnTexts(rows, 3).indexOf(QStringLiteral("Café Lumière (sample)"));
        doubleClick(w.spellPanel()->listView(), rows->index(row, 3));
        QCOMPARE(c.panel->routineCombo()->currentText(), QStringLiteral("LoadClients"));
        QVERIFY(c.view().text().find("Private Sub LoadClients()") != std::string::npos);
    }

    void theSaveItDialogAnswersWithTheButtonPressed() {
        auto buttons = saveItButtons(false);
        SaveItDialog dialog(QStringLiteral("Save modFormat.bas"), buttons);
        QCOMPARE(dialog.labelText(), QStringLiteral("Save modFormat.bas"));
        QVERIFY(!dialog.button(SaveItChoice::ZipAndSave)->isEnabled());
        QVERIFY(dialog.button(SaveItChoice::Save)->isDefault());
        dialog.button(SaveItChoice::SaveAs)->click();
        QCOMPARE(dialog.choice(), SaveItChoice::SaveAs);
        // Esc and the window's close button go back to the code; they never discard.
        SaveItDialog escaped(QStringLiteral("x"), buttons);
        escaped.show();
        QVERIFY(QTest::qWaitForWindowExposed(&escaped));
        QTest::keyClick(&escaped, Qt::Key_Escape);
        QVERIFY(!escaped.isVisible());
        QCOMPARE(escaped.choice(), SaveItChoice::BackOut);
        SaveItDialog closed(QStringLiteral("x"), buttons);
        closed.show();
        QVERIFY(QTest::qWaitForWindowExposed(&closed));
        closed.close();
        QCOMPARE(closed.choice(), SaveItChoice::BackOut);
    }

    void backingOutOfTheSaveItPromptGoesBackToTheCodeWithTheEdit_data() {
        QTest::addColumn<bool>("closing");
        QTest::addColumn<SaveItChoice>("answer");
        QTest::newRow("another file, Esc") << false << SaveItChoice::BackOut;
        QTest::newRow("another file, Save As cancelled") << false << SaveItChoice::SaveAs;
        QTest::newRow("closing the window, Esc") << true << SaveItChoice::BackOut;
        QTest::newRow("closing the window, Save As cancelled") << true << SaveItChoice::SaveAs;
    }

    void backingOutOfTheSaveItPromptGoesBackToTheCodeWithTheEdit() {
        QFETCH(bool, closing);
        QFETCH(SaveItChoice, answer);
        CodeHarness c;
        QByteArray original = c.bytes(QStringLiteral("modFormat.bas"));
        QVERIFY(c.selectFile("modFormat.bas"));
        editLine(c, "Option Explicit");
        std::string edited = c.view().text();
        // Looking at another tab first: backing out brings the code to the front again.
        c.window().tabs()->setCurrentIndex(0);
        c.prompts().saveItAnswers = {answer};  // a Save As whose file dialog is cancelled
        if (closing) {
            QVERIFY(!c.window().close());
            QVERIFY(c.window().isVisible());
            // The scan is not asked about: the close did not happen.
            QVERIFY(c.prompts().texts().isEmpty());
        } else {
            QVERIFY(c.selectFile("modMain.bas"));
        }
        QCOMPARE(c.prompts().saveItLabels, QStringList{QStringLiteral("The code in modFormat.bas has changed. ")});
        QCOMPARE(c.window().tabs()->currentWidget(), c.panel);
        QCOMPARE(c.panel->headerText(), QStringLiteral("modFormat.bas"));
        QCOMPARE(c.view().text(), edited);
        QVERIFY(c.panel->code().fileChanged());
        QCOMPARE(c.window().projectTree()->selectedKey(), fileKey(c.window(), "modFormat.bas"));
        QCOMPARE(c.window().statusPath(), c.path(QStringLiteral("modFormat.bas")));
        QCOMPARE(c.bytes(QStringLiteral("modFormat.bas")), original);

        // Asked again, the explicit "Continue Without Saving" does leave the file.
        c.prompts().saveItAnswers = {SaveItChoice::ContinueWithoutSaving};
        QVERIFY(c.selectFile("modMain.bas"));
        QCOMPARE(c.panel->headerText(), QStringLiteral("modMain.bas"));
        QVERIFY(!c.panel->code().fileChanged());
    }

    void editingARoutinesHeaderKeepsItsOtherEditsAndCanBeUndone() {
        CodeHarness c;
        QVERIFY(c.showRoutine("modFormat.bas", QStringLiteral("ParseHours")));
        editLine(c, "    Dim vParts");
        // Public made Private, typed over the selected word.
        QVERIFY(c.select("Public"));
        typeText(c.editor(), QStringLiteral("Private"));
        std::string shown = c.view().text();
        QVERIFY(hasLine(shown, "Private Function ParseHours("));
        const std::string bodyEdit = "\xE9\x80     Dim vParts";
        QVERIFY(shown.find(bodyEdit) != std::string::npos);
        QCOMPARE(c.panel->code().shownHeader(), std::string("Private Function ParseHours("));
        // The file text holds both edits at once, the same as the view.
        const std::string& file = c.panel->code().codeFileText();
        QVERIFY(file.find(shown) != std::string::npos);
        QVERIFY(file.find("Public Function ParseHours(") == std::string::npos);
        QVERIFY(c.panel->code().fileChanged());

        // Undo takes the header back; the body's edit stays.
        for (int step = 0; step < 10 && !hasLine(c.view().text(), "Public Function ParseHours("); ++step)
            c.panel->runCommand(CodeViewCommand::Undo);
        QVERIFY(hasLine(c.view().text(), "Public Function ParseHours("));
        QCOMPARE(c.panel->code().shownHeader(), std::string("Public Function ParseHours("));
        QVERIFY(c.view().text().find(bodyEdit) != std::string::npos);
        QVERIFY(c.view().text() != shown);
        QVERIFY(c.panel->code().codeFileText().find(c.view().text()) != std::string::npos);

        // Back to Private, saved: the file on disk has the new header.
        QVERIFY(c.select("Public"));
        typeText(c.editor(), QStringLiteral("Private"));
        c.prompts().saveItAnswers = {SaveItChoice::Save};
        c.panel->runCommand(CodeViewCommand::SaveOrZip);
        QVERIFY(c.bytes(QStringLiteral("modFormat.bas")).contains("Private Function ParseHours(ByVal sText"));
        // Another routine and back: it is found under its new scope.
        QVERIFY(c.choose(QStringLiteral("Percent")));
        QVERIFY(c.choose(QStringLiteral("ParseHours")));
        QVERIFY(hasLine(c.view().text(), "Private Function ParseHours("));
    }
};

QTEST_MAIN(CodeViewSavingTest)
#include "CodeViewSavingTest.moc"
