#pragma once
// Path texts as project files write them. Project-file texts separate with "\" (and sometimes "/");
// native paths on this system use "/". Every split accepts both separators.

#include <string>
#include <string_view>

namespace tally {

inline constexpr char kNativeSeparator = '/';

bool isSeparator(char c);
// The text before the last separator; the whole text when there is none; empty for an empty path.
std::string directoryOf(std::string_view path);
// The text after the last separator; the whole text when there is none.
std::string fileNameOf(std::string_view path);
// The text with a native separator appended unless it already ends in a separator; "" gives "/".
std::string ensureTrailingSeparator(std::string_view path);
// Trimmed, then without one leading and one trailing double quote where present.
std::string unquote(std::string_view text);
// Joins a project-file text to the project directory: a network path ("\\server\share", "\\?\...")
// is kept as it is; each leading "..\" climbs one folder; separators become native. The result is
// lexical: it does not look at the disk.
std::string resolveProjectText(std::string_view projectDir, std::string_view fileText);
// The path up to its last "." followed by ".frx" (the companion of a form-like file).
std::string frxPathOf(std::string_view path);

}  // namespace tally
