#pragma once
// The colouring scanner of the code view and its two passes. The full pass (colourCode) runs each
// time new text is put into the view and compares words exactly; the tidy pass (tidyCode) runs on
// the refresh button, compares words ignoring case and also rewrites every recognised word in its
// canonical spelling. Both scan the text once, collect what to colour and rewrite, and hand it to
// the view in one batch with redraw suspended.

#include <span>
#include <string_view>
#include <vector>

#include "core/codeview/ColouringProgress.h"
#include "core/codeview/RichTextView.h"
#include "core/model/Records.h"
#include "core/text/TextCodec.h"

namespace tally {

enum class ScanPass { Colour, Tidy };

// What a scan found: the ranges to colour, in the order to apply them (a later run wins where two
// overlap), and the same-length rewrites (only where the text actually changes).
struct CodeScan {
    std::vector<ColourRun> runs;
    std::vector<TextPatch> patches;
};

// Scans `text` (lines ending in CR LF), whose bytes are in `codePage`. `withFunctionList` applies to
// the full pass only; the tidy pass always uses the function list. Marks are looked up in row order,
// the first equal name wins. In a double-byte page a two-byte character belongs to the word around
// it (names may be written in the page's script) and its bytes are never taken for letters, so no
// rewrite and no case folding touches them.
CodeScan scanCode(std::string_view text, ScanPass pass, bool withFunctionList, std::span<const MarkRec> marks,
                  ColouringProgress& progress, int codePage = kCodePageWestern);

// The full pass over the whole view text; ends with the caret at 0. The caller has given the text
// PlainColour first, so characters the pass does not touch stay black.
void colourCode(RichTextView& view, std::span<const MarkRec> marks, bool withFunctionList,
                ColouringProgress& progress, int codePage = kCodePageWestern);

// The tidy pass over the whole view text; the caret ends where it was.
void tidyCode(RichTextView& view, std::span<const MarkRec> marks, ColouringProgress& progress,
              int codePage = kCodePageWestern);

}  // namespace tally
