// The editing side of CodeView: menu and toolbar commands, keys, search and saving.
#include "core/codeview/BlockCommands.h"
#include "core/codeview/CodeFileSaver.h"
#include "core/codeview/CodeView.h"
#include "core/os/FileFacts.h"
#include "core/project/PathOps.h"

namespace tally {

namespace {
constexpr std::string_view kNotFound = "The search text was not found.";

// Ctrl with these keys changes the text: paste, cut, undo, redo, deleting a word, a line break.
bool isEditingControlKey(int keyCode) {
    return keyCode == 'V' || keyCode == 'X' || keyCode == 'Z' || keyCode == 'Y' || keyCode == 8 ||
           keyCode == 46 || keyCode == 13;
}
}  // namespace

void CodeView::markEdited() {
    // With nothing shown there is no text an edit could belong to.
    if (!m_showing) return;
    m_viewChanged = true;
    m_fileChanged = true;
}

void CodeView::undo() {
    if (!m_showing) return;
    m_view.undo();
    // Undo changes the text like any edit; without this the undone state would never be committed.
    markEdited();
}

void CodeView::cut(ClipboardAccess& clipboard) {
    // With nothing selected the clipboard keeps what it holds.
    if (!m_showing || m_view.selLength() == 0) return;
    clipboard.clear();
    clipboard.setText(m_view.selText());
    m_view.setSelText("");
    markEdited();
}

void CodeView::copy(ClipboardAccess& clipboard) {
    if (m_view.selLength() == 0) return;
    clipboard.clear();
    clipboard.setText(m_view.selText());
}

void CodeView::paste(ClipboardAccess& clipboard) {
    // Pasting an empty clipboard would only delete the selection.
    if (!m_showing || !clipboard.hasText()) return;
    std::string text = clipboard.text();
    std::size_t start = m_view.selStart();
    {
        RedrawSuspension quiet(m_view);
        m_view.setSelText(text);
        m_view.setSelStart(start);
        m_view.setSelLength(text.size());
        m_view.setSelColor(kPlainColour);
        m_view.setSelStart(start + text.size());
        m_view.setSelColor(kPlainColour);
    }
    markEdited();
}

void CodeView::selectAll() {
    m_view.setSelStart(0);
    m_view.setSelLength(m_view.textLength());
}

std::string CodeView::startFind() {
    if (m_view.selLength() > 0) m_findText = std::string(findTextOfSelection(m_view.selText()));
    return m_findText;
}

FindResult CodeView::findNext() {
    if (m_findText.empty()) return FindResult{};
    return search();
}

FindResult CodeView::findFromDialog(std::string_view text, const FindOptions& options) {
    m_findText = std::string(text);
    m_findOptions = options;
    if (m_findText.empty()) return FindResult{false, std::string(kNotFound)};
    return search();
}

FindResult CodeView::search() {
    std::optional<std::size_t> at = findInCode(m_view.text(), m_view.selStart(), m_findText, m_findOptions, m_codePage);
    if (!at) {
        m_findText.clear();
        return FindResult{false, std::string(kNotFound)};
    }
    m_view.setSelStart(*at);
    m_view.setSelLength(m_findText.size());
    return FindResult{true, {}};
}

void CodeView::applyBlock(const std::string& result, Colour colour) {
    RedrawSuspension quiet(m_view);
    std::size_t start = m_view.selStart();
    m_view.setSelText(result);
    m_view.setSelStart(start);
    m_view.setSelLength(result.size());
    m_view.setSelColor(colour);
}

void CodeView::comment() {
    if (!m_showing) return;
    applyBlock(commentBlock(m_view.selText()), kCommentColour);
    markEdited();
}

bool CodeView::indentOrOutdent(bool outdent) {
    if (!m_showing) return false;
    std::string selection = m_view.selText();
    if (!isMultiLineSelection(selection)) return false;
    applyBlock(outdent ? outdentBlock(selection) : indentBlock(selection), kPlainColour);
    markEdited();
    return true;
}

void CodeView::tabLeft() {
    indentOrOutdent(false);
}

void CodeView::tabRight() {
    indentOrOutdent(true);
}

bool CodeView::keyDown(int keyCode, int modifiers) {
    switch (keyCode) {
        case kKeyApostrophe: {
            bool commented = modifiers == kCtrlMask;
            if (commented) comment();
            markEdited();
            return commented;
        }
        case kKeyTab:
            if (indentOrOutdent(modifiers == kShiftMask)) return true;
            // A tab typed into one line is an edit like any other key.
            markEdited();
            return false;
        case 17:  // Ctrl
        case 18:  // Alt
        case 19:  // Pause
        case 20:  // Caps Lock
        case 27:  // Esc
        // Keys that change nothing either: Shift, Insert, the Windows and menu keys, the function
        // keys and the lock keys. Counting them as edits made merely reading a routine ask to save it.
        case 16:  // Shift
        case 45:  // Insert
        case 91:  // Left Windows
        case 92:  // Right Windows
        case 93:  // Menu
        case 144:  // Num Lock
        case 145:  // Scroll Lock
            return false;
        case 33:  // Page Up
        case 34:  // Page Down
        case 35:  // End
        case 36:  // Home
        case 37:  // Left
        case 38:  // Up
        case 39:  // Right
        case 40:  // Down
            m_lineReset = false;
            return false;
        default:
            if (keyCode >= 112 && keyCode <= 135) return false;  // F1 to F24
            // Alt with a key opens a menu. Ctrl with a key is a command, and most commands (Find,
            // Copy, Select All, ...) leave the text as it is; only the editing ones count.
            if (modifiers & kAltMask) return false;
            if ((modifiers & kCtrlMask) && !isEditingControlKey(keyCode)) return false;
            markEdited();
            if (!m_lineReset) plainCaretLine();
            m_lineReset = true;
            return false;
    }
}

// The line being typed in loses its keyword colours until the next full colouring, so a word
// half typed is not shown as something it is not.
void CodeView::plainCaretLine() {
    m_colouring = true;
    {
        RedrawSuspension quiet(m_view);
        std::size_t start = m_view.selStart();
        std::size_t length = m_view.selLength();
        std::string text = m_view.text();
        std::size_t lineStart = 0;
        if (start >= 2) {
            std::size_t previous = text.rfind("\r\n", start - 2);
            if (previous != std::string::npos) lineStart = previous + 2;
        }
        std::size_t lineEnd = text.find("\r\n", start);
        if (lineEnd == std::string::npos) lineEnd = text.size();
        m_view.setSelStart(lineStart);
        m_view.setSelLength(lineEnd - lineStart);
        m_view.setSelColor(kPlainColour);
        m_view.setSelStart(start);
        m_view.setSelLength(length);
        m_view.setSelColor(kPlainColour);
    }
    m_colouring = false;
}

void CodeView::saveOrZipOpenFile() {
    if (m_codeFilePath.empty()) return;
    if (m_viewChanged) commitIfHeaderIntact();
    (void)askToSave("Save " + fileNameOf(m_codeFilePath));
}

// True when the file may be left: it was saved, or the user chose to throw the edits away.
bool CodeView::askToSave(std::string_view label) {
    auto buttons = saveItButtons(m_archiver != nullptr);
    switch (m_prompt.choose(label, buttons)) {
        case SaveItChoice::ContinueWithoutSaving:
            return true;
        case SaveItChoice::BackOut:
            return false;
        case SaveItChoice::ZipAndSave: {
            if (!m_archiver) return false;
            std::optional<std::string> archive = m_archiver->archiveStoredFile(m_codeFilePath);
            // Without the backup the user asked for, the stored file is not replaced.
            if (!archive) return false;
            m_prompt.showMessage(*archive + " has been created.", MessageIcon::Information);
            return saveFile();
        }
        case SaveItChoice::SaveAs:
            return saveFileAs();
        case SaveItChoice::Save:
            return saveFile();
    }
    return false;
}

bool CodeView::agreedToLosses(const std::string& path) {
    const std::string question = codeSaveQuestion(path);
    return question.empty() || m_prompt.askYesNo(question);
}

bool CodeView::saveFile() {
    if (!agreedToLosses(m_codeFilePath)) return false;
    Outcome written = saveCodeText(m_codeFilePath, m_codeFileText, m_lineEnd, true);
    if (!written.ok) {
        m_prompt.showMessage(saveFailedMessage(m_codeFilePath, written), MessageIcon::None);
        return false;
    }
    // The text in memory is now what the disk holds.
    m_fileChanged = false;
    return true;
}

// The edited text goes under the new name; the file that was opened stays as it is on disk. A
// cancelled dialog or a refused overwrite is a step back to the code, not a reason to lose it.
bool CodeView::saveFileAs() {
    std::optional<std::string> target =
        m_prompt.chooseSaveAsPath(m_codeFilePath, saveAsFilter(m_codeFilePath));
    if (!target || target->empty()) return false;
    if (fileExists(*target) &&
        !m_prompt.askYesNo("The file " + *target + " exists. Do you want to overwrite this file?"))
        return false;
    if (!agreedToLosses(*target)) return false;
    Outcome written = saveCodeText(*target, m_codeFileText, m_lineEnd, true);
    if (!written.ok) {
        m_prompt.showMessage(writeFailedMessage(*target, written), MessageIcon::Exclamation);
        return false;
    }
    if (*target == m_codeFilePath) m_fileChanged = false;
    return true;
}

}  // namespace tally
