#pragma once
// The code view's RichTextView over the editor widget. The core counts bytes of the file's code page
// and a line end (CR LF) as two, the editor's document UTF-16 units and one paragraph break: every
// position crossing the boundary is mapped. Colours go to EditorColours; text edits go through the document, so the widget's own
// undo history holds them.

#include <vector>

#include "core/codeview/RichTextView.h"
#include "ui/codeview/CodeTextCodec.h"

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

    // The code page of the next text put in (a file's own): the text shown keeps the codec it was
    // decoded with until then, so that committing it writes the bytes it came from.
    void setCodecForNextText(const TextCodec* codec) { m_nextCodec = CodeTextCodec(codec); }
    const CodeTextCodec& codec() const { return m_codec; }

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
    class Walk;
    // The core position where each line starts, for mapping many positions at once; one more entry
    // holds the length of the whole text.
    const std::vector<std::size_t>& lineStarts() const;

    CodeEditor* m_editor;
    QTextDocument* m_document;
    EditorColours* m_colours;
    int m_redrawDepth = 0;
    int m_changing = 0;
    bool m_focusOnFill = true;
    CodeTextCodec m_codec;
    CodeTextCodec m_nextCodec;
    // Line starts of the document as it is; rebuilt after each change of its text.
    mutable std::vector<std::size_t> m_starts;
    mutable bool m_startsValid = false;
};

}  // namespace tally
