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

// Maps core positions to document positions one after another. Positions that rise within a line (the
// runs of a colouring, the rewrites of the tidy pass) go over the line's text once, where toDocument
// goes over it from its start for each: a long line with many words would cost its length per word.
class EditorRichTextView::Walk {
public:
    explicit Walk(const EditorRichTextView& view) : m_view(view) {}

    int toDocument(std::size_t position) {
        if (m_view.m_codec.oneBytePerUnit()) return m_view.toDocument(position);
        const std::vector<std::size_t>& starts = m_view.lineStarts();
        auto after = std::upper_bound(starts.begin(), starts.end() - 1, position);
        const int line = after == starts.begin() ? 0 : static_cast<int>(after - starts.begin() - 1);
        const std::size_t offset = position - starts[static_cast<std::size_t>(line)];
        if (line != m_line) {
            const QTextBlock block = m_view.m_document->findBlockByNumber(line);
            m_line = line;
            m_blockPosition = block.position();
            m_text = block.text();
            m_bytes = 0;
            m_units = 0;
        } else if (offset < m_bytes) {
            m_bytes = 0;
            m_units = 0;
        }
        const QStringView rest = QStringView(m_text).mid(m_units);
        const int more = m_view.m_codec.unitsFor(rest, offset - m_bytes);
        m_bytes += m_view.m_codec.byteLength(rest.left(more));
        m_units += more;
        return m_blockPosition + m_units;
    }

    // The document's `removed` at `from` became `added`, inside an edit block (the document reports
    // the change only at its end). True when every line still starts where it did: the same bytes and
    // no paragraph break on either side. The walk goes on over the new text.
    bool replaced(int from, QStringView removed, QStringView added) {
        const bool sameLines = !removed.contains(QChar(QChar::ParagraphSeparator)) &&
                               !added.contains(QChar(QChar::ParagraphSeparator)) &&
                               !added.contains(QLatin1Char('\n')) &&
                               m_view.m_codec.byteLength(removed) == m_view.m_codec.byteLength(added);
        const qsizetype inLine = from - m_blockPosition;
        if (sameLines && m_line >= 0 && removed.size() == added.size() && inLine >= 0 &&
            inLine + added.size() <= m_text.size()) {
            std::copy(added.begin(), added.end(), m_text.begin() + inLine);
        } else {
            m_line = -1;
        }
        return sameLines;
    }

private:
    const EditorRichTextView& m_view;
    int m_line = -1;  // the block whose text is held, or -1
    int m_blockPosition = 0;
    QString m_text;
    std::size_t m_bytes = 0;  // the bytes of m_text's first m_units units
    int m_units = 0;
};

EditorRichTextView::EditorRichTextView(CodeEditor* editor)
    : m_editor(editor),
      m_document(editor->document()),
      m_colours(new EditorColours(editor->document(), editor)) {
    // contentsChange comes first, before the cursors and the widget report the change (and ask for
    // positions); contentsChanged alone would leave the line starts of the old text to them.
    QObject::connect(m_document, &QTextDocument::contentsChange, editor, [this] { m_startsValid = false; });
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
    // Starts and ends rise each on their own, also where a run lies inside another.
    Walk starts(*this);
    Walk ends(*this);
    std::vector<EditorColourRun> mapped;
    mapped.reserve(runs.size());
    const std::size_t size = textLength();
    for (const ColourRun& run : runs) {
        if (run.start >= size || run.length == 0) continue;
        int start = starts.toDocument(run.start);
        int end = ends.toDocument(std::min(run.start + run.length, size));
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
    Walk walk(*this);
    cursor.beginEditBlock();
    for (const TextPatch& patch : patches) {
        if (patch.start > size || patch.text.size() > size - patch.start) continue;
        const int from = walk.toDocument(patch.start);
        const int to = walk.toDocument(patch.start + patch.text.size());
        const QString text = m_codec.editorTextOf(patch.text);
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        const QString removed = cursor.selectedText();
        cursor.insertText(text);
        // Counting the line starts again after every rewrite would cost the whole text each time.
        if (!walk.replaced(from, removed, text)) m_startsValid = false;
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
