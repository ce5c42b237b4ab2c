#pragma once
// Small text operations on Windows-1252 byte strings, with the semantics the analysis relies on:
// one byte is one character, comparisons are case-sensitive unless the name says otherwise.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

// Removes blanks and tabs at both ends (sources indented with tabs must trim like blank-indented ones).
std::string_view trimView(std::string_view s);
std::string trim(std::string_view s);

bool startsWith(std::string_view s, std::string_view prefix);
bool endsWith(std::string_view s, std::string_view suffix);
bool contains(std::string_view s, std::string_view part);

// ASCII lower/upper case; bytes above 0x7F are left as they are.
std::string toLower(std::string_view s);
std::string toUpper(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
// Position of `part` in `s` ignoring ASCII case, or npos.
std::size_t findIgnoreCase(std::string_view s, std::string_view part, std::size_t from = 0);

// Splits at every occurrence of `sep`; an empty input gives one empty part.
std::vector<std::string> split(std::string_view s, std::string_view sep);

// Replaces every occurrence of `from` (non-empty) by `to`.
std::string replaceAll(std::string_view s, std::string_view from, std::string_view to);

// Decimal text of an integer, "-" in front when negative.
std::string toDecimal(long long value);

}  // namespace tally
