#pragma once
// The string pieces every report document is made of. A document is the header, then paragraph
// starts, runs, tab runs and line ends in the report's order, then the closing brace; lines of RTF
// source are separated by CR LF. None of these has side effects.

#include <string>
#include <string_view>

namespace tally {

// Colours of the document's colour table.
enum RtfColour : int { kRtfBlack = 0, kRtfDarkBlue = 1, kRtfDarkGreen = 2 };

// The font table (report text uses font 2, Arial), the colour table and the language.
std::string rtfHeader();
// Starts a paragraph with tab stops every 240 twips, in the given style, followed by `text`.
std::string rtfParagraph(std::string_view text, int colour, bool big, bool bold);
// Continues the paragraph in a new style (mind the order of the flags: bold before big).
std::string rtfRun(std::string_view text, int colour, bool bold, bool big);
// A paragraph mark on a new source line, then one blank.
std::string rtfLineEnd();
// `count` moves to the next tab stop; nothing for a count of 0 or less.
std::string rtfTabs(int count);
std::string rtfClose();
// `value` with a backslash before each backslash and brace: for every name or path from a project,
// decoded to UTF-8 first: the trail byte of a double-byte character may be the byte of '\\', '{'
// or '}', and an escape put before it would break the character.
std::string rtfEscape(std::string_view value);

}  // namespace tally
