#include "ui/codeview/EditorColours.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace tally {

namespace {

// A block whose layout carries colour formats; plain blocks are left without a layout of their own
// until they are drawn.
constexpr int kColouredBlock = 1;

}  // namespace

EditorColours::EditorColours(QTextDocument* document, QObject* parent)
    : QObject(parent), m_document(document) {
    m_colours.assign(static_cast<std::size_t>(documentLength()), kPlainColour);
    connect(document, &QTextDocument::contentsChange, this, &EditorColours::contentsChanged);
}

int EditorColours::documentLength() const {
    return std::max(0, m_document->characterCount() - 1);
}

// New text takes the colour a rich-text box gives it: the colour chosen for the caret, else that
// of the first character it replaces, else that of the character before it. Same-length rewrites
// keep the colours they replace.
void EditorColours::contentsChanged(int position, int removed, int added) {
    int size = static_cast<int>(m_colours.size());
    position = std::clamp(position, 0, size);
    removed = std::clamp(removed, 0, size - position);
    if (removed == added) {
        // A rewrite of the same length (the tidy pass, a typed-over character) keeps the colours,
        // and the lines' formats still fit their text.
        m_typingPosition = -1;
        return;
    }
    Colour inherited = kPlainColour;
    if (m_typingPosition == position)
        inherited = m_typingColour;
    else if (removed > 0)
        inherited = m_colours[static_cast<std::size_t>(position)];
    else if (position > 0)
        inherited = m_colours[static_cast<std::size_t>(position - 1)];
    m_typingPosition = -1;

    auto at = m_colours.begin() + position;
    at = m_colours.erase(at, at + removed);
    m_colours.insert(at, static_cast<std::size_t>(std::max(0, added)), inherited);
    // The document reports the implicit last paragraph break in some changes (setting the whole
    // text); the array follows the document's own count.
    m_colours.resize(static_cast<std::size_t>(documentLength()), kPlainColour);
    // A line split or joined by the edit has a new layout, or one that no longer fits its text.
    redraw(position, position + std::max(0, added) + 1);
}

void EditorColours::paint(int start, int length, Colour colour) {
    EditorColourRun run{start, length, colour};
    paintMany(std::span<const EditorColourRun>(&run, 1));
}

void EditorColours::paintMany(std::span<const EditorColourRun> runs) {
    int size = static_cast<int>(m_colours.size());
    int from = size;
    int to = 0;
    for (const EditorColourRun& run : runs) {
        int start = std::clamp(run.start, 0, size);
        int end = std::clamp(run.start + run.length, start, size);
        if (start == end) continue;
        std::fill(m_colours.begin() + start, m_colours.begin() + end, run.colour);
        from = std::min(from, start);
        to = std::max(to, end);
    }
    if (from < to) redraw(from, to);
}

Colour EditorColours::colourAt(int position) const {
    if (position < 0 || position >= static_cast<int>(m_colours.size())) return kPlainColour;
    return m_colours[static_cast<std::size_t>(position)];
}

void EditorColours::setTypingColour(int position, Colour colour) {
    m_typingPosition = position;
    m_typingColour = colour;
}

const QTextCharFormat& EditorColours::formatOf(Colour colour) {
    auto found = m_formats.find(colour);
    if (found != m_formats.end()) return *found;
    QTextCharFormat format;
    format.setForeground(QColor(int(redOf(colour)), int(greenOf(colour)), int(blueOf(colour))));
    return *m_formats.insert(colour, format);
}

// Rebuilds the layout formats of every line between the two positions from the colours, then has
// the document lay those lines out again once.
void EditorColours::redraw(int from, int to) {
    QTextBlock block = m_document->findBlock(from);
    const int size = static_cast<int>(m_colours.size());
    int firstPosition = block.isValid() ? block.position() : 0;
    int lastPosition = firstPosition;
    bool changed = false;
    QList<QTextLayout::FormatRange> ranges;
    while (block.isValid() && block.position() < to) {
        const int start = block.position();
        const int end = std::min(start + block.length() - 1, size);
        ranges.clear();
        int i = start;
        while (i < end) {
            Colour colour = m_colours[static_cast<std::size_t>(i)];
            int j = i + 1;
            while (j < end && m_colours[static_cast<std::size_t>(j)] == colour) ++j;
            if (colour != kPlainColour)
                ranges.append(QTextLayout::FormatRange{i - start, j - i, formatOf(colour)});
            i = j;
        }
        if (!ranges.isEmpty() || block.userState() == kColouredBlock) {
            block.layout()->setFormats(ranges);
            block.setUserState(ranges.isEmpty() ? -1 : kColouredBlock);
            changed = true;
        }
        lastPosition = start + block.length();
        block = block.next();
    }
    if (changed && lastPosition > firstPosition)
        m_document->markContentsDirty(firstPosition, std::min(lastPosition, size + 1) - firstPosition);
}

}  // namespace tally
