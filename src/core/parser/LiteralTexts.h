#pragma once
// Texts taken out of string literals: every literal of a line, and the text argument of a list or
// tree item added in code.

#include <string>
#include <string_view>

namespace tally {

// Every non-empty literal of the line in order, each preceded by one space (so a non-empty result
// begins with a space). A doubled quote inside a literal splits it in two; an unclosed literal is
// left out.
std::string quotedTexts(std::string_view line);

// The calls whose text argument is taken.
enum class ItemCall { ListItemsAdd, NodesAdd };

// The text argument of `ListItems.Add` (after two commas) or `Nodes.Add` (after three commas),
// found ignoring case: the literal that starts two characters after the last of those commas (a
// comma, a space, the quote). Empty when a comma, the opening or the closing quote is missing.
std::string argumentText(std::string_view line, ItemCall call);

}  // namespace tally
