#include "ui/codeview/EditorRichTextView.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "ui/codeview/CodeEditor.h"
#include "ui/codeview/CodeTextCodec.h"
#include "ui/codeview/EditorColours.h"

namespace tally {

// Marks the text changes made by the view itself for as long as it lives.
class EditorRichTextView::Change {
public:
    explicit Change(EditorRichTextView& view) : m_view(view) { ++m_view.m_changing; }
    ~Change() { --m_view.m_changing; }
    Change(const Change&) = delete;
    Change& operator=(const Change&) = delete;

private:
    EditorRichTextView& m_view;
};

EditorRichTextView::EditorRichTextView(CodeEditor* editor)
    : m_editor(editor),
      m_document(editor->document()),
      m_colours(new EditorColours(editor->document(), editor)) {}

EditorRichTextView::~EditorRichTextView() = default;

std::string EditorRichTextView::text() const {
    return coreTextOf(m_document->toRawText());
}

void EditorRichTextView::setText(std::string_view text) {
    Change change(*this);
    m_editor->setPlainText(editorTextOf(text));
}

std::size_t EditorRichTextView::textLength() const {
    int characters = std::max(0, m_document->characterCount() - 1);
    return static_cast<std::size_t>(characters + m_document->blockCount() - 1);
}

// Line n starts at its document position plus one for each of the n line ends before it, which
// the core counts twice.
std::size_t EditorRichTextView::toCore(int position) const {
    QTextBlock block = m_document->findBlock(position);
    if (!block.isValid()) block = m_document->lastBlock();
    return static_cast<std::size_t>(position + std::max(0, block.blockNumber()));
}

int EditorRichTextView::toDocument(std::size_t position) const {
    int low = 0;
    int high = m_document->blockCount() - 1;
    while (low < high) {
        int middle = (low + high + 1) / 2;
        QTextBlock block = m_document->findBlockByNumber(middle);
        if (static_cast<std::size_t>(block.position() + middle) <= position)
            low = middle;
        else
            high = middle - 1;
    }
    QTextBlock line = m_document->findBlockByNumber(low);
    std::size_t offset = position - static_cast<std::size_t>(line.position() + low);
    // A position between the CR and the LF of a line end lands on the paragraph break.
    int inLine = static_cast<int>(std::min<std::size_t>(offset, static_cast<std::size_t>(line.length() - 1)));
    return line.position() + inLine;
}

std::vector<std::size_t> EditorRichTextView::lineStarts() const {
    std::vector<std::size_t> starts;
    starts.reserve(static_cast<std::size_t>(m_document->blockCount()));
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next())
        starts.push_back(static_cast<std::size_t>(block.position() + block.blockNumber()));
    return starts;
}

std::size_t EditorRichTextView::selStart() const {
    return toCore(m_editor->textCursor().selectionStart());
}

void EditorRichTextView::setSelStart(std::size_t position) {
    QTextCursor cursor = m_editor->textCursor();
    cursor.setPosition(toDocument(std::min(position, textLength())));
    m_editor->setTextCursor(cursor);
}

std::size_t EditorRichTextView::selLength() const {
    QTextCursor cursor = m_editor->textCursor();
    return toCore(cursor.selectionEnd()) - toCore(cursor.selectionStart());
}

void EditorRichTextView::setSelLength(std::size_t length) {
    std::size_t start = selStart();
    std::size_t end = start + std::min(length, textLength() - start);
    QTextCursor cursor = m_editor->textCursor();
    cursor.setPosition(toDocument(start));
    cursor.setPosition(toDocument(end), QTextCursor::KeepAnchor);
    m_editor->setTextCursor(cursor);
}

std::string EditorRichTextView::selText() const {
    return text().substr(selStart(), selLength());
}

void EditorRichTextView::setSelText(std::string_view text) {
    Change change(*this);
    QTextCursor cursor = m_editor->textCursor();
    cursor.insertText(editorTextOf(text));
    m_editor->setTextCursor(cursor);
}

void EditorRichTextView::setSelColor(Colour colour) {
    QTextCursor cursor = m_editor->textCursor();
    if (!cursor.hasSelection()) {
        m_colours->setTypingColour(cursor.position(), colour);
        return;
    }
    m_colours->paint(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(), colour);
}

Colour EditorRichTextView::colourAt(std::size_t position) const {
    return m_colours->colourAt(toDocument(position));
}

void EditorRichTextView::suspendRedraw() {
    if (m_redrawDepth++ == 0) m_editor->viewport()->setUpdatesEnabled(false);
}

void EditorRichTextView::resumeRedraw() {
    if (m_redrawDepth > 0 && --m_redrawDepth == 0) m_editor->viewport()->setUpdatesEnabled(true);
}

void EditorRichTextView::applyColours(std::span<const ColourRun> runs) {
    std::vector<std::size_t> starts = lineStarts();
    auto map = [&starts, this](std::size_t position) {
        auto after = std::upper_bound(starts.begin(), starts.end(), position);
        std::size_t line = after == starts.begin() ? 0 : static_cast<std::size_t>(after - starts.begin() - 1);
        QTextBlock block = m_document->findBlockByNumber(static_cast<int>(line));
        std::size_t offset = std::min(position - starts[line], static_cast<std::size_t>(block.length() - 1));
        return block.position() + static_cast<int>(offset);
    };
    std::vector<EditorColourRun> mapped;
    mapped.reserve(runs.size());
    const std::size_t size = textLength();
    for (const ColourRun& run : runs) {
        if (run.start >= size || run.length == 0) continue;
        int start = map(run.start);
        int end = map(std::min(run.start + run.length, size));
        mapped.push_back(EditorColourRun{start, end - start, run.colour});
    }
    m_colours->paintMany(mapped);
}

// All rewrites are one edit of the document: one step of the undo history, one change report.
void EditorRichTextView::applyPatches(std::span<const TextPatch> patches) {
    if (patches.empty()) return;
    Change change(*this);
    std::size_t start = selStart();
    std::size_t length = selLength();
    std::size_t size = textLength();
    QTextCursor cursor(m_document);
    cursor.beginEditBlock();
    for (const TextPatch& patch : patches) {
        if (patch.start > size || patch.text.size() > size - patch.start) continue;
        cursor.setPosition(toDocument(patch.start));
        cursor.setPosition(toDocument(patch.start + patch.text.size()), QTextCursor::KeepAnchor);
        cursor.insertText(editorTextOf(patch.text));
    }
    cursor.endEditBlock();
    setSelStart(start);
    setSelLength(length);
}

void EditorRichTextView::undo() {
    Change change(*this);
    m_editor->undo();
}

void EditorRichTextView::setFocus() {
    if (m_focusOnFill && m_editor->isVisible()) m_editor->setFocus(Qt::OtherFocusReason);
}

}  // namespace tally
