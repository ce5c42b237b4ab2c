#pragma once
// The code view's search: Find Next through the view text from the current selection.

#include <cstddef>
#include <optional>
#include <string_view>

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
// punctuation, is not found. Without matchCase, case is ignored.
std::optional<std::size_t> findInCode(std::string_view text, std::size_t selStart, std::string_view findText,
                                      const FindOptions& options);

// The text that Find puts in the dialog from a selection: the selection up to its first line break.
std::string_view findTextOfSelection(std::string_view selection);

}  // namespace tally
