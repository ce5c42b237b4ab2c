#include "core/codeview/RichTextView.h"

namespace tally {

// The fallbacks drive the widget one selection at a time, as a plain rich-text box would.
void RichTextView::applyColours(std::span<const ColourRun> runs) {
    std::size_t start = selStart();
    std::size_t length = selLength();
    std::size_t size = textLength();
    for (const ColourRun& run : runs) {
        if (run.start >= size || run.length == 0) continue;
        setSelStart(run.start);
        setSelLength(run.length);
        setSelColor(run.colour);
    }
    setSelStart(start);
    setSelLength(length);
}

void RichTextView::applyPatches(std::span<const TextPatch> patches) {
    std::size_t start = selStart();
    std::size_t length = selLength();
    std::size_t size = textLength();
    for (const TextPatch& patch : patches) {
        if (patch.start > size || patch.text.size() > size - patch.start) continue;
        setSelStart(patch.start);
        setSelLength(patch.text.size());
        setSelText(patch.text);
    }
    setSelStart(start);
    setSelLength(length);
}

}  // namespace tally
