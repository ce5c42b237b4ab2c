#pragma once
// The code view's search: Find Next through the view text from the current selection.

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/text/TextCodec.h"

namespace tally {

// The options of the find dialog.
struct FindOptions {
    bool down = true;
    bool matchCase = false;
    bool wholeWord = false;
};

// Where the next `findText` lies in `text`, seen from the selection starting at `selStart`:
// going down, from the character after selStart on (so the current match is passed over); going
// up, the last one lying wholly before selStart. A whole word has a blank on one side and a blank
// or line break on the other, so a word at the very start or end of the text, or next to
// punctuation, is not found. Without matchCase, case is ignored as `codePage` has it (see
// AnsiCase.h). In a double-byte page or UTF-8 a match starts and ends between characters: text
// found from the trail byte of a pair on, or ending inside one, is passed over.
std::optional<std::size_t> findInCode(std::string_view text, std::size_t selStart, std::string_view findText,
                                      const FindOptions& options, int codePage = kCodePageWestern);

// The text that Find puts in the dialog from a selection: the selection up to its first line break.
std::string_view findTextOfSelection(std::string_view selection);

}  // namespace tally
