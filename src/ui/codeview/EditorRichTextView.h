#pragma once
// The code view's RichTextView over the editor widget. The core counts a line end (CR LF) as two
// characters, the editor's document as one paragraph break: every position crossing the boundary
// is mapped. Colours go to EditorColours; text edits go through the document, so the widget's own
// undo history holds them.

#include <vector>

#include "core/codeview/RichTextView.h"

class QTextDocument;

namespace tally {

class CodeEditor;
class EditorColours;

class EditorRichTextView final : public RichTextView {
public:
    explicit EditorRichTextView(CodeEditor* editor);
    ~EditorRichTextView() override;

    std::string text() const override;
    void setText(std::string_view text) override;
    std::size_t textLength() const override;

    std::size_t selStart() const override;
    void setSelStart(std::size_t position) override;
    std::size_t selLength() const override;
    void setSelLength(std::size_t length) override;
    std::string selText() const override;
    void setSelText(std::string_view text) override;
    void setSelColor(Colour colour) override;

    void suspendRedraw() override;
    void resumeRedraw() override;

    void applyColours(std::span<const ColourRun> runs) override;
    void applyPatches(std::span<const TextPatch> patches) override;

    void undo() override;
    void setFocus() override;

    // Whether filling the view may take the keyboard focus (not while the user walks the tree).
    void setFocusOnFill(bool allowed) { m_focusOnFill = allowed; }
    // True while the view itself changes the text; the widget's change signal is then not a user edit.
    bool changingText() const { return m_changing > 0; }
    // The colour of the character at core position `position`.
    Colour colourAt(std::size_t position) const;

    // Core position <-> document position.
    int toDocument(std::size_t position) const;
    std::size_t toCore(int position) const;

private:
    class Change;
    // The core position where each line starts, for mapping many positions at once.
    std::vector<std::size_t> lineStarts() const;

    CodeEditor* m_editor;
    QTextDocument* m_document;
    EditorColours* m_colours;
    int m_redrawDepth = 0;
    int m_changing = 0;
    bool m_focusOnFill = true;
};

}  // namespace tally
