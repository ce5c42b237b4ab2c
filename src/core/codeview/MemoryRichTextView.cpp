#include "core/codeview/MemoryRichTextView.h"

#include <algorithm>

namespace tally {

// Like a widget's set-text, this starts a new undo history.
void MemoryRichTextView::setText(std::string_view text) {
    m_undo.reset();
    m_text.assign(text);
    m_colours.assign(m_text.size(), kPlainColour);
    m_selStart = 0;
    m_selLength = 0;
    m_typingColour.reset();
}

void MemoryRichTextView::setSelStart(std::size_t position) {
    m_selStart = std::min(position, m_text.size());
    m_selLength = 0;
    m_typingColour.reset();
}

void MemoryRichTextView::setSelLength(std::size_t length) {
    m_selLength = std::min(length, m_text.size() - m_selStart);
    m_typingColour.reset();
}

void MemoryRichTextView::setSelText(std::string_view text) {
    remember();
    // New text takes the colour a rich-text box would give it: the one chosen for the caret, else
    // that of the first replaced character, else that of the character before.
    Colour colour = kPlainColour;
    if (m_typingColour)
        colour = *m_typingColour;
    else if (m_selLength > 0)
        colour = m_colours[m_selStart];
    else if (m_selStart > 0)
        colour = m_colours[m_selStart - 1];
    m_text.replace(m_selStart, m_selLength, text);
    auto at = m_colours.begin() + static_cast<std::ptrdiff_t>(m_selStart);
    at = m_colours.erase(at, at + static_cast<std::ptrdiff_t>(m_selLength));
    m_colours.insert(at, text.size(), colour);
    m_selStart += text.size();
    m_selLength = 0;
    m_typingColour.reset();
}

void MemoryRichTextView::setSelColor(Colour colour) {
    if (m_selLength == 0) {
        m_typingColour = colour;
        return;
    }
    std::fill_n(m_colours.begin() + static_cast<std::ptrdiff_t>(m_selStart), m_selLength, colour);
}

void MemoryRichTextView::suspendRedraw() {
    if (m_redrawDepth++ == 0) ++m_suspensions;
}

void MemoryRichTextView::applyColours(std::span<const ColourRun> runs) {
    ++m_colourBatches;
    std::size_t size = m_text.size();
    for (const ColourRun& run : runs) {
        if (run.start >= size) continue;
        std::size_t length = std::min(run.length, size - run.start);
        std::fill_n(m_colours.begin() + static_cast<std::ptrdiff_t>(run.start), length, run.colour);
    }
}

void MemoryRichTextView::applyPatches(std::span<const TextPatch> patches) {
    ++m_patchBatches;
    std::size_t size = m_text.size();
    for (const TextPatch& patch : patches) {
        if (patch.start > size || patch.text.size() > size - patch.start) continue;
        m_text.replace(patch.start, patch.text.size(), patch.text);
    }
}

void MemoryRichTextView::undo() {
    if (!m_undo) return;
    m_text = std::move(m_undo->text);
    m_colours = std::move(m_undo->colours);
    m_undo.reset();
    m_selStart = std::min(m_selStart, m_text.size());
    m_selLength = 0;
}

// One level of undo is enough for the view's own Undo command; larger histories are the widget's.
void MemoryRichTextView::remember() {
    m_undo = Snapshot{m_text, m_colours};
}

}  // namespace tally
