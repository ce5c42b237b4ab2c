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
      m_colours(new EditorColours(editor->document(), editor)) {
    QObject::connect(m_document, &QTextDocument::contentsChanged, editor, [this] { m_startsValid = false; });
}

EditorRichTextView::~EditorRichTextView() = default;

std::string EditorRichTextView::text() const {
    return m_codec.coreTextOf(m_document->toRawText());
}

void EditorRichTextView::setText(std::string_view text) {
    Change change(*this);
    m_codec = m_nextCodec;
    m_editor->setPlainText(m_codec.editorTextOf(text));
}

std::size_t EditorRichTextView::textLength() const {
    return lineStarts().back();
}

std::size_t EditorRichTextView::toCore(int position) const {
    QTextBlock block = m_document->findBlock(position);
    if (!block.isValid()) block = m_document->lastBlock();
    const int inLine = std::clamp(position - block.position(), 0, std::max(0, block.length() - 1));
    const std::size_t start = lineStarts()[static_cast<std::size_t>(block.blockNumber())];
    if (m_codec.oneBytePerUnit()) return start + static_cast<std::size_t>(inLine);
    return start + m_codec.byteLength(QStringView(block.text()).left(inLine));
}

int EditorRichTextView::toDocument(std::size_t position) const {
    const std::vector<std::size_t>& starts = lineStarts();
    // The last entry is the end of the text, not a line.
    auto after = std::upper_bound(starts.begin(), starts.end() - 1, position);
    const int line = after == starts.begin() ? 0 : static_cast<int>(after - starts.begin() - 1);
    QTextBlock block = m_document->findBlockByNumber(line);
    const std::size_t offset = position - starts[static_cast<std::size_t>(line)];
    // A position between the CR and the LF of a line end lands on the paragraph break.
    const int inLine = m_codec.oneBytePerUnit()
                           ? static_cast<int>(std::min<std::size_t>(offset, static_cast<std::size_t>(block.length() - 1)))
                           : m_codec.unitsFor(block.text(), offset);
    return block.position() + inLine;
}

// Line n starts after the bytes of the lines before it and the two of each of their line ends.
const std::vector<std::size_t>& EditorRichTextView::lineStarts() const {
    if (m_startsValid) return m_starts;
    m_starts.clear();
    m_starts.reserve(static_cast<std::size_t>(m_document->blockCount()) + 1);
    std::size_t start = 0;
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        m_starts.push_back(start);
        const std::size_t bytes = m_codec.oneBytePerUnit() ? static_cast<std::size_t>(block.length() - 1)
                                                           : m_codec.byteLength(block.text());
        start += bytes + (block.next().isValid() ? 2 : 0);
    }
    if (m_starts.empty()) m_starts.push_back(0);
    m_starts.push_back(start);
    m_startsValid = true;
    return m_starts;
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
    cursor.insertText(m_codec.editorTextOf(text));
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
    auto map = [this](std::size_t position) { return toDocument(position); };
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
        cursor.insertText(m_codec.editorTextOf(patch.text));
        m_startsValid = false;  // the document reports its change only at the end of the edit block
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
