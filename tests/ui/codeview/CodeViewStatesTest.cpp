// What the Code View tab shows about its own state: keys that only move, search or copy are not
// edits, an empty view cannot be typed into, unsaved changes are marked on the tab and beside the
// routine combo, and the Find dialog keeps out of the way of what it found.

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "CodeViewTestSupport.h"
#include "ui/codeview/FindDialog.h"

using namespace tally;
using namespace tally::test;

namespace {

// Where the pane's selected text is on the screen.
QRect selectionOnScreen(CodeEditor* editor) {
    QTextCursor start = editor->textCursor();
    QTextCursor end = start;
    start.setPosition(start.selectionStart());
    end.setPosition(end.selectionEnd());
    QRect local = editor->cursorRect(start).united(editor->cursorRect(end));
    return QRect(editor->viewport()->mapToGlobal(local.topLeft()), local.size());
}

QString codeTabText(CodeHarness& c) {
    return c.window().tabs()->tabText(c.window().tabs()->indexOf(c.panel));
}

}  // namespace

class CodeViewStatesTest : public QObject {
    Q_OBJECT

private slots:
    void keysThatChangeNoTextAreNotEdits() {
        CodeHarness c;
        QVERIFY(c.showRoutine("modFormat.bas", QStringLiteral("ParseHours")));
        const std::string text = c.view().text();
        QVERIFY(c.select("Dim vParts", 0));
        const Colour keyword = c.colourOf("Dim vParts");
        QVERIFY(keyword != kPlainColour);

        // Find keeps the caret line's colours: it is not typing.
        QTest::keyClick(c.editor(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(c.panel->findDialog() && c.panel->findDialog()->isVisible());
        QCOMPARE(c.colourOf("Dim vParts"), keyword);
        c.panel->findDialog()->close();

        const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_C, Qt::ControlModifier},   {Qt::Key_A, Qt::ControlModifier},
            {Qt::Key_F3, Qt::NoModifier},       {Qt::Key_Escape, Qt::NoModifier},
            {Qt::Key_Left, Qt::NoModifier},     {Qt::Key_Right, Qt::ShiftModifier},
            {Qt::Key_Up, Qt::NoModifier},       {Qt::Key_Down, Qt::NoModifier},
            {Qt::Key_Home, Qt::NoModifier},     {Qt::Key_End, Qt::ControlModifier},
            {Qt::Key_PageUp, Qt::NoModifier},   {Qt::Key_PageDown, Qt::NoModifier},
            {Qt::Key_Shift, Qt::ShiftModifier}, {Qt::Key_Control, Qt::ControlModifier},
            {Qt::Key_Alt, Qt::AltModifier},     {Qt::Key_Meta, Qt::MetaModifier},
        };
        for (const auto& [key, modifiers] : keys) {
            QTest::keyClick(c.editor(), key, modifiers);
            QVERIFY2(!c.panel->code().viewChanged() && !c.panel->code().fileChanged(),
                     qPrintable(QKeySequence(key | modifiers).toString()));
        }
        QCOMPARE(c.view().text(), text);
        QVERIFY(!c.panel->unsavedMarker()->isVisible());
        QCOMPARE(codeTabText(c), QStringLiteral("Code View"));

        // A typed character is an edit, and shows as one.
        QVERIFY(c.select("Dim vParts", 0));
        QTest::keyClicks(c.editor(), QStringLiteral("x"));
        QVERIFY(c.panel->code().viewChanged());
        QVERIFY(c.panel->unsavedMarker()->isVisible());
    }

    void withNoFileTheCodeViewIsReadOnlyAndSaysWhy() {
        Harness h;
        QVERIFY(h.show());
        auto* panel = dynamic_cast<CodeViewPanel*>(h.window->codeView());
        QVERIFY(panel);
        h.window->tabs()->setCurrentWidget(panel);
        panel->editor()->setFocus();
        QVERIFY(panel->editor()->isReadOnly());
        QVERIFY(panel->editor()->placeholderText().contains(QStringLiteral("No file is open")));
        QTest::keyClicks(panel->editor(), QStringLiteral("Dim x"));
        QTest::keyClick(panel->editor(), Qt::Key_Return);
        panel->runCommand(CodeViewCommand::Comment);
        panel->runCommand(CodeViewCommand::Paste);
        QVERIFY(panel->editor()->document()->isEmpty());
        QVERIFY(!panel->code().fileChanged());
        QVERIFY(!panel->unsavedMarker()->isVisible());
        // Closing asks nothing about code.
        QVERIFY(h.window->close());
        QVERIFY(h.prompts.saveItLabels.isEmpty());
    }

    void aShownFileCanBeTypedIntoAndWhenChangedIsMarkedOnTheTabAndBesideTheRoutineCombo() {
        CodeHarness c;
        QVERIFY(c.editor()->isReadOnly());  // a project but no file yet
        QVERIFY(c.showRoutine("modFormat.bas", QStringLiteral("ParseHours")));
        QVERIFY(!c.editor()->isReadOnly());
        QVERIFY(c.editor()->placeholderText().isEmpty());
        QVERIFY(!c.panel->unsavedMarker()->isVisible());
        QVERIFY(c.select("Dim vParts", 0));
        QTest::keyClicks(c.editor(), QStringLiteral("x"));
        QVERIFY(c.panel->unsavedMarker()->isVisible());
        QVERIFY(c.panel->unsavedMarker()->toolTip().contains(QStringLiteral("modFormat.bas")));
        QVERIFY(codeTabText(c) != QStringLiteral("Code View"));
        QVERIFY(codeTabText(c).startsWith(QStringLiteral("Code View")));
        // The mark stays while another routine of the same file is shown: the file is still changed.
        QVERIFY(c.choose(QStringLiteral("Percent")));
        QVERIFY(c.panel->unsavedMarker()->isVisible());
        // The prompt names the file.
        c.prompts().saveItAnswers = {SaveItChoice::Save};
        c.panel->runCommand(CodeViewCommand::SaveOrZip);
        QCOMPARE(c.prompts().saveItLabels, QStringList{QStringLiteral("Save modFormat.bas")});
        QVERIFY(!c.panel->unsavedMarker()->isVisible());
        QCOMPARE(codeTabText(c), QStringLiteral("Code View"));
    }

    void theFindDialogOpensBesideTheCodeAndStepsAsideFromAMatchUnderIt() {
        CodeHarness c;
        QVERIFY(c.showRoutine("modFormat.bas", QStringLiteral("ParseHours")));
        QVERIFY(c.select("vParts"));
        c.panel->runCommand(CodeViewCommand::Find);
        FindDialog* find = c.panel->findDialog();
        QVERIFY(find && find->isVisible());
        QCOMPARE(find->findText(), QStringLiteral("vParts"));
        QVERIFY(!find->frameGeometry().intersects(selectionOnScreen(c.editor())));
        // It stays over the code pane, not somewhere off the window.
        QRect pane(c.editor()->viewport()->mapToGlobal(QPoint(0, 0)), c.editor()->viewport()->size());
        QVERIFY(pane.intersects(find->frameGeometry()));

        for (int round = 0; round < 2; ++round) {
            // The dialog is dragged over the next match; finding it moves the dialog off it.
            std::size_t from = c.view().selStart() + 1;
            std::size_t next = c.view().text().find("vParts", from);
            QVERIFY(next != std::string::npos);
            QTextCursor at = c.editor()->textCursor();
            at.setPosition(static_cast<int>(next));
            QPoint spot = c.editor()->viewport()->mapToGlobal(c.editor()->cursorRect(at).center());
            find->move(spot - QPoint(20, 10));
            QVERIFY(find->frameGeometry().contains(spot));
            find->findNextButton()->click();
            QCOMPARE(c.view().selText(), std::string("vParts"));
            QCOMPARE(c.view().selStart(), next);
            QVERIFY(!find->frameGeometry().intersects(selectionOnScreen(c.editor())));
        }
        find->close();
    }

    void arialIsShownInItsMetricTwinWhenItIsNotInstalled() {
        if (QFontDatabase::hasFamily(QStringLiteral("Arial"))) QSKIP("Arial is installed here");
        if (!QFontDatabase::hasFamily(QStringLiteral("Liberation Sans"))) QSKIP("Liberation Sans is missing");
        CodeEditor editor;
        EditorSettings settings;
        settings.fontFace = "Arial";
        editor.applySettings(settings);
        QCOMPARE(QFontInfo(editor.font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(editor.document()->defaultFont()).family(), QStringLiteral("Liberation Sans"));
        // A family that is installed is used as it is.
        settings.fontFace = "DejaVu Sans Mono";
        editor.applySettings(settings);
        if (QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans Mono")))
            QCOMPARE(QFontInfo(editor.font()).family(), QStringLiteral("DejaVu Sans Mono"));
    }
};

QTEST_MAIN(CodeViewStatesTest)
#include "CodeViewStatesTest.moc"
