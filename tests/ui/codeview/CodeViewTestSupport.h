#pragma once
// Shared pieces of the code view tests: the main window on a scratch copy of the sample project,
// the real code view panel, and readers of the pane's text, selection and colours.

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <QtTest>

#include "UiTestSupport.h"
#include "ui/codeview/CodeEditor.h"
#include "ui/codeview/CodeViewPanel.h"
#include "ui/codeview/EditorRichTextView.h"
#include "ui/project/ProjectTreePanel.h"

namespace tally::test {

// Types text into a widget the way a keyboard with those characters would.
inline void typeText(QWidget* editor, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(editor, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(editor, &release);
    }
}

// The main window, shown, with a copy of a project opened (the sample project unless another
// folder of the source tree is named); the source tree is never written.
struct CodeHarness {
    explicit CodeHarness(const QString& source = QStringLiteral("examples/sample"),
                         const QString& project = QStringLiteral("Hourglass.vbp")) {
        ok = h.openShown(copySource(source, folder.path(), project));
        panel = dynamic_cast<CodeViewPanel*>(h.window->codeView());
        ok = ok && panel != nullptr;
    }

    MainWindow& window() { return *h.window; }
    ScriptedPrompts& prompts() { return h.prompts; }
    EditorRichTextView& view() { return panel->view(); }
    CodeEditor* editor() { return panel->editor(); }

    // The copy's path of a sample file, and its bytes on disk now.
    QString path(const QString& name) const { return folder.filePath(name); }
    QByteArray bytes(const QString& name) const { return fileBytes(path(name)); }

    // Selects the file in the tree, as a click would; false when there is no such file or the window
    // could not be set up.
    bool selectFile(const std::string& name) {
        return ok && window().projectTree()->selectKey(fileKey(window(), name));
    }
    // Chooses the combo item with this text; false when there is none.
    bool choose(const QString& routine) {
        int index = panel->routineCombo()->findText(routine);
        if (index < 0) return false;
        panel->routineCombo()->setCurrentIndex(index);
        panel->chooseItem(index);
        return true;
    }
    // Shows the file's routine on the Code View tab, with the focus in the pane.
    bool showRoutine(const std::string& file, const QString& routine) {
        if (!selectFile(file) || !choose(routine)) return false;
        showCodeTab();
        return true;
    }
    // Brings the Code View tab to the front with the focus in the pane.
    void showCodeTab() {
        window().tabs()->setCurrentWidget(panel);
        window().activateWindow();
        editor()->setFocus();
    }
    // Selects `length` characters from the first occurrence of `text` in the pane (all of it when
    // length is negative).
    bool select(const std::string& text, int length = -1) {
        std::size_t at = view().text().find(text);
        if (at == std::string::npos) return false;
        view().setSelStart(at);
        view().setSelLength(length < 0 ? text.size() : static_cast<std::size_t>(length));
        return true;
    }
    Colour colourOf(const std::string& text) {
        std::size_t at = view().text().find(text);
        return at == std::string::npos ? 0xFFFFFFFF : view().colourAt(at);
    }

    QTemporaryDir folder;
    Harness h;
    CodeViewPanel* panel = nullptr;
    bool ok = false;
};

}  // namespace tally::test
