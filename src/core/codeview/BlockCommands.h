#pragma once
// The block commands of the code view on a selected text (lines in CR LF): Comment puts an
// apostrophe before each line, Indent a tab, Outdent takes one level of indent away. A line break
// that ends the selection starts no new line, so nothing is put after it.

#include <string>
#include <string_view>

namespace tally {

// Each line of `selection` with an apostrophe in front.
std::string commentBlock(std::string_view selection);
// Each line of `selection` with a tab in front.
std::string indentBlock(std::string_view selection);
// Each line of `selection` without its first tab; when no line starts with a tab, without its first
// four blanks. All lines lose the same kind of indent, at most one level each.
std::string outdentBlock(std::string_view selection);
// True when the selection holds a CR LF, so that Tab works on its lines instead of typing a tab.
bool isMultiLineSelection(std::string_view selection);

}  // namespace tally
