#pragma once
// The code view's text logic: the whole text of the file being viewed is kept in memory, the view
// shows one routine or the file's "(Declarations)" section of it, edits are put back into the text
// (a commit) and the text goes to disk only through the "Save It" dialog. Works on a RichTextView
// and the project model; the front end forwards the view's events and shows what comes back.

#include <string>
#include <string_view>
#include <vector>

#include "core/codeview/ClipboardAccess.h"
#include "core/codeview/CodeSearch.h"
#include "core/codeview/CodeSections.h"
#include "core/codeview/ColouringProgress.h"
#include "core/codeview/LineEnds.h"
#include "core/codeview/RichTextView.h"
#include "core/codeview/SaveItPrompt.h"
#include "core/model/ProjectModel.h"
#include "core/review/RoutineListing.h"

namespace tally {

// Key codes the view reacts to, as the front end reports them (Windows virtual-key codes).
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyApostrophe = 222;
// Modifier bits held with a key.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// The outcome of loading or showing code: on failure the message to show (exclamation icon).
struct CodeViewResult {
    bool ok = true;
    std::string message;
};

// The outcome of a search: when nothing was found, the message to show (information icon).
struct FindResult {
    bool found = false;
    std::string message;
};

// What the front end must do after the view's text changed.
struct ChangeOutcome {
    enum class Action {
        None,
        HeaderChanged,    // the header line was edited; the routine was committed under its new header
        RoutineRemoved,   // the routine was emptied and left the file; another item is shown
    };
    Action action = Action::None;
    // For RoutineRemoved: the key of the routine list row to remove (CodeFilePath & combo text).
    std::string removedRoutineKey;
};

class CodeView {
public:
    CodeView(ProjectModel& model, RichTextView& view, SaveItPrompt& prompt, ColouringProgress& progress);

    // Lets "Zip && Save File" archive the stored file first; without one that choice is disabled.
    void setBackupArchiver(BackupArchiver* archiver) { m_archiver = archiver; }
    // The code page of the project's sources, for case folding and word boundaries when colouring,
    // tidying and searching; Windows-1252 until set.
    void setCodePage(int codePage) { m_codePage = codePage; }
    int codePage() const { return m_codePage; }

    const std::string& codeFilePath() const { return m_codeFilePath; }
    // The whole file as read and as changed by commits, lines in CR LF.
    const std::string& codeFileText() const { return m_codeFileText; }
    // The line-end convention of the file on disk, kept when it is saved.
    LineEnd fileLineEnd() const { return m_lineEnd; }
    // True when the view shows a slice of the file; shownRange() is that slice.
    bool isShowing() const { return m_showing; }
    TextRange shownRange() const { return m_shown; }
    const std::string& shownHeader() const { return m_shownHeader; }
    bool viewChanged() const { return m_viewChanged; }
    bool fileChanged() const { return m_fileChanged; }
    // True while the view is being filled or coloured; the view's events are ignored meanwhile.
    bool colouring() const { return m_colouring; }
    bool routineShown() const { return m_routineShown; }
    bool lineReset() const { return m_lineReset; }
    const std::string& findText() const { return m_findText; }
    const FindOptions& findOptions() const { return m_findOptions; }

    // Makes `path` the file in memory; leaves the previous file first when it is another one.
    CodeViewResult loadCodeFile(std::string_view path);
    // Commits pending edits, asks whether to save a changed file, and forgets the file. False when
    // the user backed out of the question (or the save failed): then the file, its edits and the
    // view stay as they were.
    bool leaveCodeFile();
    // Leaves the file in memory when `path` is another file (empty: any); false when the user
    // backed out, as for leaveCodeFile.
    bool mayLeaveFor(std::string_view path);
    // Puts the view's text back into the file text in place of the slice shown.
    void commit();
    // Commits the view's edits when there are any, unless the shown routine's header was damaged.
    void commitPending();
    // Shows the "(Declarations)" section of the file at `path`.
    CodeViewResult showDeclarations(std::string_view path);
    // Shows the routine of the file at `path` whose header text (for example «Private Sub
    // cmdOK_Click(») occurs first.
    CodeViewResult showRoutine(std::string_view path, std::string_view header);
    // Selects the first `text` after the line-th line break of the view; false when there is none.
    bool goToText(std::string_view text, int line);

    // The file whose routines are in the routine combo, and the combo's items.
    void setRoutineItems(std::string_view filePath, std::vector<ComboItem> items);
    const std::vector<ComboItem>& routineItems() const { return m_items; }
    // Index of the chosen combo item; -1 when none.
    int currentItem() const { return m_currentItem; }
    // A combo item was chosen: commits, rebuilds the marks and shows the section or routine.
    CodeViewResult showSubFile(std::size_t index);
    // The refresh button: the tidy pass over the view. A tidy that rewrote words counts as an edit.
    void refresh();

    // The commands of the "Code View" menu and toolbar.
    void undo();
    void cut(ClipboardAccess& clipboard);
    void copy(ClipboardAccess& clipboard);
    void paste(ClipboardAccess& clipboard);
    void selectAll();
    // Find: takes the search text from the selection and returns what the find dialog starts with.
    std::string startFind();
    // Find Next with the last search text and options.
    FindResult findNext();
    // A find-next request of the find dialog.
    FindResult findFromDialog(std::string_view text, const FindOptions& options);
    // Tab Left indents the selected lines, Tab Right outdents them; one line: nothing.
    void tabLeft();
    void tabRight();
    void comment();
    // "Save or Zip The Open File...".
    void saveOrZipOpenFile();

    // A key went down in the view; true when the key was consumed and must not be typed.
    bool keyDown(int keyCode, int modifiers);
    // The view's text changed.
    ChangeOutcome textChanged();
    // A mouse click in the view.
    void clicked() { m_lineReset = false; }
    // Records an edit made some other way (drag and drop, the widget's own menu).
    void markEdited();

private:
    bool routineIsShown() const { return m_shownHeader != kDeclarationsHeader; }
    void commitIfHeaderIntact();
    void fill(std::string_view text);
    void emptyView();
    void applyBlock(const std::string& result, Colour colour);
    bool indentOrOutdent(bool outdent);
    void plainCaretLine();
    FindResult search();
    bool askToSave(std::string_view label);
    bool saveFile();
    bool saveFileAs();
    // Asks before a save that would lose the file's hard links or owner; true when there is nothing
    // to ask or the user said Yes.
    bool agreedToLosses(const std::string& path);
    std::string currentRoutineName() const;

    ProjectModel& m_model;
    RichTextView& m_view;
    SaveItPrompt& m_prompt;
    ColouringProgress& m_progress;
    BackupArchiver* m_archiver = nullptr;
    int m_codePage = kCodePageWestern;

    std::string m_codeFilePath;
    std::string m_codeFileText;
    LineEnd m_lineEnd = LineEnd::CrLf;
    bool m_showing = false;
    TextRange m_shown;
    std::string m_shownHeader;
    bool m_viewChanged = false;
    bool m_fileChanged = false;
    bool m_colouring = false;
    bool m_routineShown = false;
    bool m_lineReset = false;
    std::string m_findText;
    FindOptions m_findOptions;

    std::string m_itemsFile;
    std::vector<ComboItem> m_items;
    int m_currentItem = -1;
};

}  // namespace tally
