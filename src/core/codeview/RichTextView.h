#pragma once
// The rich-text box of the code view, seen through the operations the code view needs. Positions
// and lengths count characters from 0; the text is Windows-1252 bytes (one byte per character) and
// every line ends in CR LF, which counts as two characters. A front end adapts its own text widget;
// tests use MemoryRichTextView.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "core/codeview/CodeColours.h"

namespace tally {

// One coloured range: `length` characters from `start` get `colour`.
struct ColourRun {
    std::size_t start = 0;
    std::size_t length = 0;
    Colour colour = kPlainColour;

    bool operator==(const ColourRun&) const = default;
};

// One rewrite that keeps the length: the characters from `start` become `text`. The characters
// keep their colours.
struct TextPatch {
    std::size_t start = 0;
    std::string text;

    bool operator==(const TextPatch&) const = default;
};

class RichTextView {
public:
    virtual ~RichTextView() = default;

    // The whole text, lines ending in CR LF.
    virtual std::string text() const = 0;
    // Replaces the whole text; the selection becomes empty at 0.
    virtual void setText(std::string_view text) = 0;
    // Number of characters, without copying the text.
    virtual std::size_t textLength() const = 0;

    // Start of the selection (the caret when the selection is empty).
    virtual std::size_t selStart() const = 0;
    // Moves the caret, collapsing the selection; a position past the end goes to the end.
    virtual void setSelStart(std::size_t position) = 0;
    virtual std::size_t selLength() const = 0;
    // Extends the selection from its start; it ends at the end of the text at most.
    virtual void setSelLength(std::size_t length) = 0;
    virtual std::string selText() const = 0;
    // Replaces the selection; the caret ends after the new text with an empty selection.
    virtual void setSelText(std::string_view text) = 0;
    // Colours the selected characters; on an empty selection, the colour of text typed there.
    virtual void setSelColor(Colour colour) = 0;

    // The view is not repainted between the two calls. Calls nest: painting resumes at the
    // outermost resume.
    virtual void suspendRedraw() = 0;
    virtual void resumeRedraw() = 0;

    // Colours many ranges at once, in order (a later run wins where runs overlap). The selection
    // is left as it was. Adapters should override this with one batch edit of their widget.
    virtual void applyColours(std::span<const ColourRun> runs);
    // Applies same-length rewrites at once, keeping colours and the selection. Adapters should
    // override this with one batch edit of their widget.
    virtual void applyPatches(std::span<const TextPatch> patches);

    // Undoes the last edit with the widget's own undo.
    virtual void undo() {}
    // Gives the view the keyboard focus.
    virtual void setFocus() {}
};

// Suspends a view's redraw for the life of the object.
class RedrawSuspension {
public:
    explicit RedrawSuspension(RichTextView& view) : m_view(view) { m_view.suspendRedraw(); }
    ~RedrawSuspension() { m_view.resumeRedraw(); }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;

private:
    RichTextView& m_view;
};

}  // namespace tally
