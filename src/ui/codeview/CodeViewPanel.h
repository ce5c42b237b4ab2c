#pragma once
// The "Code View" tab: the file header strip (lblCodeFile), the strip with the routine combo
// (cmbSubs) and the refresh button (picCode), and the coloured text pane (txtCode). The code view's
// rules live in the core's CodeView; this panel adapts the widgets to it, forwards the pane's keys
// and changes, and carries out the "Code View" menu and toolbar commands.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "core/codeview/CodeView.h"
#include "core/codeview/CodeViewCommandState.h"
#include "core/settings/EditorSettings.h"
#include "ui/codeview/CodeViewActions.h"
#include "ui/codeview/CodeViewHost.h"
#include "ui/codeview/PromptedSaveIt.h"
#include "ui/common/SystemClipboard.h"

class QComboBox;
class QKeyEvent;
class QLabel;
class QToolButton;

namespace tally {

class CodeEditor;
class EditorRichTextView;
class FileHeaderStrip;
class FindDialog;
class ProgressStrip;
class UserPrompts;

class CodeViewPanel : public QWidget, public CodeViewHost {
    Q_OBJECT
public:
    CodeViewPanel(ProjectModel& model, UserPrompts& prompts, const EditorSettings& settings,
                  QWidget* parent = nullptr);
    ~CodeViewPanel() override;

    QWidget* widget() override { return this; }
    void commitPendingEdits() override;
    bool offerToSaveChanges() override;
    bool mayLeaveFile(const std::string& nextPath) override;
    std::string shownFilePath() const override { return m_code->codeFilePath(); }
    void clear() override;
    void showFile(const std::string& filePath, const std::vector<ComboItem>& items) override;
    void showTarget(const CodeTarget& target, const std::vector<ComboItem>& items) override;
    bool isEmpty() const override;
    QMenu* commandMenu() override;
    QList<QAction*> toolbarActions() override;
    void tabChosen(bool codeViewTab) override;

    // A command of the "Code View" menu or of the toolbar.
    void runCommand(CodeViewCommand command);
    // A routine chosen in the combo, as the user would choose it.
    void chooseItem(int index);
    // The refresh button: the tidy pass.
    void refresh();

    CodeView& code() { return *m_code; }
    EditorRichTextView& view() { return *m_view; }
    CodeEditor* editor() const { return m_editor; }
    QComboBox* routineCombo() const { return m_combo; }
    QToolButton* refreshButton() const { return m_refresh; }
    CodeViewActions* actions() const { return m_actions; }
    FindDialog* findDialog() const;
    ProgressStrip* progressStrip() const { return m_progress; }
    // The file name in the header strip.
    QString headerText() const;
    // The caret's place, as the strip shows it ("Ln 12, Col 5").
    QString caretText() const;
    // The marker beside the routine combo that shows while the file has changes not saved.
    QLabel* unsavedMarker() const { return m_unsaved; }
    // True while the file in memory has edits that are not on disk.
    bool hasUnsavedChanges() const;

signals:
    // The user emptied a routine: its row (key: file path & combo text) leaves the routine list.
    void routineRemoved(const std::string& routineKey);
    // The file came to have unsaved changes, or lost them (saved, or left).
    void unsavedChangesChanged(bool unsaved);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Building (CodeViewPanel.cpp).
    void buildStrip();
    void fillCombo(const std::vector<ComboItem>& items);
    void syncCombo();
    void afterShow();
    // The code page the file at `path` is read with, for the text shown next; the header says when
    // the file has a codec of its own.
    void useCodecOf(const std::string& path);
    // Whether `text` may go into the code: false, after saying why, when the shown file's code page
    // cannot hold one of its characters.
    bool mayInsert(const QString& text);
    void showCaret();
    void report(const CodeViewResult& result);
    void placeProgressStrip();
    void showEditState();

    // Keys, changes and commands (CodeViewPanelCommands.cpp).
    bool editorKeyPress(QKeyEvent* event);
    void textChanged();
    void selectionChanged();
    CodeViewFacts facts() const;
    void updateMenu();
    void applyToolbar();
    void openFind();
    QRect matchOnScreen() const;
    void keepFindClearOfMatch();
    void findFromDialog(const QString& text, const FindOptions& options);
    void reportFind(const FindResult& result);

    ProjectModel& m_model;
    UserPrompts& m_prompts;
    FileHeaderStrip* m_header = nullptr;
    QWidget* m_strip = nullptr;
    QComboBox* m_combo = nullptr;
    QToolButton* m_refresh = nullptr;
    QLabel* m_caret = nullptr;
    QLabel* m_unsaved = nullptr;
    CodeEditor* m_editor = nullptr;
    ProgressStrip* m_progress = nullptr;
    std::unique_ptr<EditorRichTextView> m_view;
    PromptedSaveIt m_saveIt;
    SystemClipboard m_clipboard;
    std::unique_ptr<CodeView> m_code;
    CodeViewActions* m_actions = nullptr;
    QPointer<FindDialog> m_find;

    CodeViewToolbarState m_toolbar;
    bool m_codeTab = false;
    bool m_shownUnsaved = false;
    bool m_arrowChoice = false;  // the combo's choice came from an arrow key on the closed combo
};

}  // namespace tally
