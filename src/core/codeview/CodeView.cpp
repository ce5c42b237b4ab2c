#include "core/codeview/CodeView.h"

#include <cstdlib>

#include "core/codeview/CodeScanner.h"
#include "core/project/PathOps.h"
#include "core/os/RegularFile.h"
#include "core/review/ProblemMarks.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// The number after " - " in a combo key, read the way the language's Val reads it.
int codeOfKey(std::string_view key) {
    std::size_t dash = key.find(" - ");
    if (dash == std::string_view::npos) return 0;
    std::string rest(trim(key.substr(dash + 3)));
    return static_cast<int>(std::strtol(rest.c_str(), nullptr, 10));
}

bool onlyBlanks(std::string_view text) {
    return text.find_first_not_of("\t\n\r ") == std::string_view::npos;
}

}  // namespace

CodeView::CodeView(ProjectModel& model, RichTextView& view, SaveItPrompt& prompt, ColouringProgress& progress)
    : m_model(model), m_view(view), m_prompt(prompt), m_progress(progress) {}

CodeViewResult CodeView::loadCodeFile(std::string_view path) {
    // A FIFO, device or folder in a source's place says what it is rather than "does not exist".
    const FileCheck check = checkReadableFile(path);
    if (!check.ok()) return CodeViewResult{false, std::string(path) + " " + refusalPhrase(check) + "."};
    if (path == m_codeFilePath) return CodeViewResult{};
    // The user chose to stay with the changed file; the caller shows nothing else.
    if (!leaveCodeFile()) return CodeViewResult{false, {}};
    FileRead read = readRegularFile(path);
    if (!read.bytes) return CodeViewResult{false, std::string(path) + " " + refusalPhrase(read.check) + "."};
    std::optional<std::string>& bytes = read.bytes;
    m_lineEnd = detectLineEnd(*bytes);
    m_codeFileText = toCrLfText(*bytes, m_lineEnd);
    m_codeFilePath = std::string(path);
    return CodeViewResult{};
}

bool CodeView::mayLeaveFor(std::string_view path) {
    if (!path.empty() && path == m_codeFilePath) return true;
    return leaveCodeFile();
}

bool CodeView::leaveCodeFile() {
    if (m_viewChanged) commitIfHeaderIntact();
    if (m_fileChanged && !askToSave("The code in " + fileNameOf(m_codeFilePath) + " has changed. "))
        return false;
    m_viewChanged = false;
    m_fileChanged = false;
    m_codeFilePath.clear();
    // The slice shown belongs to the text being forgotten; a later commit must not put it into
    // the next file's text.
    m_codeFileText.clear();
    emptyView();
    return true;
}

void CodeView::commit() {
    if (!m_showing) return;
    std::string shown = m_view.text();
    m_codeFileText.replace(m_shown.start, m_shown.end - m_shown.start, shown);
    // A later commit replaces exactly the text put back.
    m_shown.end = m_shown.start + shown.size();
    m_viewChanged = false;
    m_fileChanged = true;
}

void CodeView::commitPending() {
    if (m_viewChanged) commitIfHeaderIntact();
}

// A routine whose header line was damaged in the view is never written back.
void CodeView::commitIfHeaderIntact() {
    if (!routineIsShown() || contains(m_view.text(), m_shownHeader)) commit();
}

CodeViewResult CodeView::showDeclarations(std::string_view path) {
    CodeViewResult loaded = loadCodeFile(path);
    if (!loaded.ok) return loaded;
    std::optional<TextRange> section = findDeclarations(m_codeFileText, m_codeFilePath);
    if (!section) {
        // Whatever the view held belongs to another section; it must not be committed as this one.
        emptyView();
        return loaded;
    }
    m_shownHeader = std::string(kDeclarationsHeader);
    m_shown = *section;
    m_showing = true;
    fill(std::string_view(m_codeFileText).substr(section->start, section->end - section->start));
    return loaded;
}

CodeViewResult CodeView::showRoutine(std::string_view path, std::string_view header) {
    CodeViewResult loaded = loadCodeFile(path);
    if (!loaded.ok) return loaded;
    RoutineLocation found = findRoutine(m_codeFileText, header);
    if (!found.header.empty()) m_shownHeader = found.header;
    if (!found.range) {
        emptyView();
        return loaded;
    }
    m_shown = *found.range;
    m_showing = true;
    fill(std::string_view(m_codeFileText).substr(m_shown.start, m_shown.end - m_shown.start));
    return loaded;
}

void CodeView::fill(std::string_view text) {
    // The widget reports its own text changes; they are not the user's edits.
    m_colouring = true;
    {
        RedrawSuspension quiet(m_view);
        m_view.setText(text);
        m_view.setSelStart(0);
        m_view.setSelLength(m_view.textLength());
        m_view.setSelColor(kPlainColour);
        colourCode(m_view, m_model.marks, false, m_progress, m_codePage);
        m_view.setFocus();
    }
    m_colouring = false;
}

void CodeView::emptyView() {
    m_colouring = true;
    m_view.setText("");
    m_colouring = false;
    m_showing = false;
    m_shown = TextRange{};
}

bool CodeView::goToText(std::string_view text, int line) {
    std::string shown = m_view.text();
    std::size_t from = 0;
    for (int k = 0; k < line; ++k) {
        std::size_t lineEnd = shown.find(kCrLf, from);
        if (lineEnd == std::string::npos) break;
        from = lineEnd + 2;
    }
    std::size_t at = shown.find(text, from);
    if (text.empty() || at == std::string::npos) return false;
    m_view.setSelStart(at);
    m_view.setSelLength(text.size());
    return true;
}

void CodeView::setRoutineItems(std::string_view filePath, std::vector<ComboItem> items) {
    m_itemsFile = std::string(filePath);
    m_items = std::move(items);
    m_currentItem = -1;
}

std::string CodeView::currentRoutineName() const {
    if (m_currentItem < 0) return {};
    std::string name = m_items[static_cast<std::size_t>(m_currentItem)].text;
    // " [Get]", " [Let]" and " [Set]" mark property procedures in the combo only.
    if (endsWith(name, "]") && name.size() >= 6) name.resize(name.size() - 6);
    return name;
}

CodeViewResult CodeView::showSubFile(std::size_t index) {
    if (index >= m_items.size()) return CodeViewResult{};
    if (m_viewChanged) commitIfHeaderIntact();
    m_routineShown = false;
    m_currentItem = static_cast<int>(index);
    const ComboItem& item = m_items[index];
    std::string name = currentRoutineName();
    int code = codeOfKey(item.key);

    CodeViewResult result;
    if (code == -1) {
        buildFileMarks(m_model, m_itemsFile);
        result = showDeclarations(m_itemsFile);
        m_routineShown = true;
        return result;
    }
    std::string_view prefix = headerPrefixOfCode(code);
    buildFileMarks(m_model, m_itemsFile);
    appendRoutineMarks(m_model, fileNameOf(m_itemsFile), name);
    if (prefix.empty()) {
        // DLL declarations have no body to show.
        result = loadCodeFile(m_itemsFile);
        if (result.ok) emptyView();
    } else {
        result = showRoutine(m_itemsFile, std::string(prefix) + name + "(");
    }
    m_routineShown = true;
    m_lineReset = false;
    return result;
}

void CodeView::refresh() {
    if (m_currentItem < 0) return;
    buildFileMarks(m_model, m_itemsFile);
    appendRoutineMarks(m_model, fileNameOf(m_itemsFile), currentRoutineName());
    std::string before = m_view.text();
    {
        RedrawSuspension quiet(m_view);
        tidyCode(m_view, m_model.marks, m_progress, m_codePage);
    }
    // The rewritten words are the user's text now; without this they would be dropped at the next
    // commit, which only happens after an edit.
    if (m_view.text() != before) markEdited();
}

ChangeOutcome CodeView::textChanged() {
    if (m_colouring || !m_routineShown || m_currentItem < 0) return {};
    const ComboItem& item = m_items[static_cast<std::size_t>(m_currentItem)];
    if (item.text == kDeclarationsHeader) return {};
    std::string shown = m_view.text();
    if (contains(shown, m_shownHeader)) return {};

    if (!onlyBlanks(shown)) {
        // The header line was edited (Public made Private, say). The routine's text goes into the
        // file as leaving the routine would put it, so no other edit of it is lost, and the routine
        // is known by its new header from now on. The view is left alone, so Undo still works.
        commit();
        std::string header = routineHeaderIn(shown);
        if (!header.empty()) m_shownHeader = header;
        return ChangeOutcome{ChangeOutcome::Action::HeaderChanged, {}};
    }
    m_viewChanged = false;
    // The user emptied the routine: its text leaves the file, and so does its combo item.
    commit();
    ChangeOutcome outcome{ChangeOutcome::Action::RoutineRemoved, m_codeFilePath + item.text};
    std::size_t removed = static_cast<std::size_t>(m_currentItem);
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(removed));
    m_currentItem = -1;
    showSubFile(removed > 0 ? removed - 1 : 0);
    return outcome;
}

}  // namespace tally
