#pragma once
// A rich-text view held in memory: the text and one colour per character. Stands in for the
// widget in tests, benchmarks and the command line.

#include <optional>
#include <vector>

#include "core/codeview/RichTextView.h"

namespace tally {

class MemoryRichTextView final : public RichTextView {
public:
    std::string text() const override { return m_text; }
    void setText(std::string_view text) override;
    std::size_t textLength() const override { return m_text.size(); }

    std::size_t selStart() const override { return m_selStart; }
    void setSelStart(std::size_t position) override;
    std::size_t selLength() const override { return m_selLength; }
    void setSelLength(std::size_t length) override;
    std::string selText() const override { return m_text.substr(m_selStart, m_selLength); }
    void setSelText(std::string_view text) override;
    void setSelColor(Colour colour) override;

    void suspendRedraw() override;
    void resumeRedraw() override { --m_redrawDepth; }

    void applyColours(std::span<const ColourRun> runs) override;
    void applyPatches(std::span<const TextPatch> patches) override;

    void undo() override;

    // The text without copying it.
    const std::string& textRef() const { return m_text; }
    // The colour of each character.
    const std::vector<Colour>& colours() const { return m_colours; }
    // How deeply redraw is suspended now (0 when the view paints).
    int redrawDepth() const { return m_redrawDepth; }
    // How many times redraw was suspended from the painting state.
    int suspensions() const { return m_suspensions; }
    // How many batch calls reached the view.
    int colourBatches() const { return m_colourBatches; }
    int patchBatches() const { return m_patchBatches; }

private:
    struct Snapshot {
        std::string text;
        std::vector<Colour> colours;
    };
    void remember();

    std::string m_text;
    std::vector<Colour> m_colours;
    std::size_t m_selStart = 0;
    std::size_t m_selLength = 0;
    // The colour set for an empty selection, used by text typed there.
    std::optional<Colour> m_typingColour;
    int m_redrawDepth = 0;
    int m_suspensions = 0;
    int m_colourBatches = 0;
    int m_patchBatches = 0;
    std::optional<Snapshot> m_undo;
};

}  // namespace tally
