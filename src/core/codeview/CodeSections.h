#pragma once
// Where a file's "(Declarations)" section and each routine lie in the file's text (lines in CR LF).
// Positions count from 0; a range runs from `start` up to, not including, `end`.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tally {

inline constexpr std::string_view kDeclarationsHeader = "(Declarations)";

struct TextRange {
    std::size_t start = 0;
    std::size_t end = 0;

    bool operator==(const TextRange&) const = default;
};

// The declarations section of the file at `path`: from the line after the file's last attribute
// marker ("Attribute VB_Name = " for a .bas file, "Attribute VB_Exposed = " for .frm, .cls and .ctl
// files, the second line for others) and the attribute lines right after it, up to the first
// routine header; attribute lines among the declarations stay in it. Nothing when a marker is
// missing or the section is empty.
std::optional<TextRange> findDeclarations(std::string_view fileText, std::string_view path);

// A routine found by its header text.
struct RoutineLocation {
    // The header that was found: the one asked for, or, for a header continued on the next line
    // right after the name, the header without its "(" followed by " _". Empty when neither occurs.
    std::string header;
    // The routine with its comment lines above and the blank lines after it; nothing when the
    // header was not found or its end line is missing.
    std::optional<TextRange> range;
};

// Finds the routine whose header (for example «Private Sub cmdOK_Click(») occurs first in the text;
// failing that, the header continued after the name, or with a type character after the name, or
// with another scope word (the user may have made a Public routine Private since the parse).
RoutineLocation findRoutine(std::string_view fileText, std::string_view header);

// The header of the routine in `routineText` (a routine as the view shows it, with its comment
// lines above): its first line that starts with Sub, Function or Property after any scope words,
// up to and including the first "(" (the whole line, trimmed, when it has none). Empty when no
// line does (the header was commented out or is half typed).
std::string routineHeaderIn(std::string_view routineText);

// The header prefix of a routine combo code (Kind plus Scope), for example 9 gives "Private Sub ";
// empty for a code that has none (DLL declarations).
std::string_view headerPrefixOfCode(int code);

}  // namespace tally
